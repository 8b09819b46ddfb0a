#include "dialogs/CopyRight.h"

#include <algorithm>
#include <cstring>

#include "platform/ui/Edit.h"
#include "song/Song.h"
#include "song/TextEncoding.h"

namespace tw {

CopyRight::CopyRight(ui::Window* parent, int resourceId) : Dialog(parent, resourceId) {
    if (ui::Edit* edit = Item<ui::Edit>(kCopyrightEdit)) {
        edit->LimitText(kCopyrightMaxChars);
    }
}

void CopyRight::SetupWindow() {
    Dialog::SetupWindow();
    if (ui::Edit* edit = Item<ui::Edit>(kCopyrightEdit)) {
        edit->SetText(ShownText({cpyright, strnlen(cpyright, kCopyrightMaxChars)}));
        shown = edit->GetText();
    }
}

// A notice left as shown keeps its stored bytes (it may be in an older
// encoding). Any change marks the song changed, so that Save offers itself
// and closing asks before the notice is lost.
bool CopyRight::CanClose() {
    const ui::Edit* edit = Item<ui::Edit>(kCopyrightEdit);
    if (edit == nullptr) {
        return true;
    }
    const std::string text = edit->GetText();
    if (text != shown) {
        std::memset(cpyright, 0, kCopyrightSize - 1);
        std::memcpy(cpyright, text.data(), std::min<std::size_t>(text.size(), kCopyrightMaxChars));
        sd.changed = 1;
    }
    const char set = cpyright[0] != '\0' ? 1 : 0;
    if (copyrightSet() != set) {
        copyrightSet() = set;
        sd.changed = 1;
    }
    return true;
}

}  // namespace tw
