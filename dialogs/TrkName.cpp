#include "dialogs/TrkName.h"

#include <algorithm>
#include <cstring>

#include "platform/ui/Edit.h"
#include "song/TextEncoding.h"
#include "song/Transfer.h"

namespace tw {

namespace {
constexpr int kNameChars = kTrackNameSize - 1;
}

TrkName::TrkName(ui::Window* parent, int resourceId) : Dialog(parent, resourceId) {
    if (ui::Edit* edit = Item<ui::Edit>(kTrackNameEdit)) {
        edit->LimitText(kNameChars);
    }
}

bool TrkName::Run(ui::Window* parent, char (&name)[kTrackNameSize]) {
    transfernumber = 0;
    std::memset(transferstring, 0, sizeof transferstring);
    std::memcpy(transferstring, name, strnlen(name, kNameChars));
    TrkName dialog(parent);
    if (dialog.Execute() != ui::IdOk) {
        return false;
    }
    std::memset(name, 0, sizeof name);
    std::memcpy(name, transferstring, strnlen(transferstring, kNameChars));
    return true;
}

void TrkName::SetupWindow() {
    Dialog::SetupWindow();
    if (ui::Edit* edit = Item<ui::Edit>(kTrackNameEdit)) {
        edit->SetText(ShownText({transferstring, strnlen(transferstring, sizeof transferstring)}));
        shown = edit->GetText();
    }
}

// A name left as shown keeps its stored bytes: a name in an older encoding
// is shown converted, and must not come back rewritten or cut.
bool TrkName::CanClose() {
    const ui::Edit* edit = Item<ui::Edit>(kTrackNameEdit);
    if (edit == nullptr || edit->GetText() == shown) {
        return true;
    }
    const std::string text = edit->GetText();
    std::memset(transferstring, 0, sizeof transferstring);
    std::memcpy(transferstring, text.data(), std::min<std::size_t>(text.size(), kNameChars));
    return true;
}

}  // namespace tw
