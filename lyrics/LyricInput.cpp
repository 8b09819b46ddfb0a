#include "lyrics/LyricInput.h"

#include <algorithm>
#include <cstring>

#include "lyrics/LyricBar.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Static.h"
#include "song/BarTick.h"
#include "song/Song.h"
#include "song/TextEncoding.h"

namespace tw {

namespace {
constexpr int kLyricChars = kLyricTextSize - 1;
}

LyricInput::LyricInput(ui::Window* parent, int resourceId) : Dialog(parent, resourceId) {
    if (ui::Edit* edit = Item<ui::Edit>(kLyricEdit)) {
        edit->LimitText(kLyricChars);
    }
}

void LyricInput::SetupWindow() {
    Dialog::SetupWindow();
    if (ui::Static* time = Item<ui::Static>(kLyricTime)) {
        time->SetText("Time : " + BarTick(templyric.time, sd.barTicks));
    }
    if (ui::Edit* edit = Item<ui::Edit>(kLyricEdit)) {
        edit->SetText(ShownText({templyric.text, strnlen(templyric.text, kLyricChars)}));
        shown = edit->GetText();
    }
}

// A syllable left as shown keeps its stored bytes: one in an older encoding
// is shown converted, and must not come back rewritten or cut.
bool LyricInput::CanClose() {
    const ui::Edit* edit = Item<ui::Edit>(kLyricEdit);
    if (edit != nullptr && edit->GetText() != shown) {
        const std::string text = edit->GetText();
        std::memset(templyric.text, 0, sizeof templyric.text);
        std::memcpy(templyric.text, text.data(), std::min<size_t>(text.size(), kLyricChars));
    }
    return true;
}

}  // namespace tw
