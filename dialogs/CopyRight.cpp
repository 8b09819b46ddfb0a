#include "dialogs/CopyRight.h"

#include <algorithm>
#include <cstring>

#include "platform/ui/Edit.h"
#include "song/Edits.h"
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
        SetCopyright(text);
    } else {
        MatchCopyrightFlag();
    }
    return true;
}

}  // namespace tw
