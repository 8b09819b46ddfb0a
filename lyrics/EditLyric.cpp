#include "lyrics/EditLyric.h"

#include <cstdio>
#include <cstring>

#include "lyrics/LyricBar.h"
#include "lyrics/LyricInput.h"
#include "platform/ui/ListBox.h"
#include "song/BarTick.h"
#include "song/Song.h"
#include "song/TextEncoding.h"

namespace tw {

EditLyric::EditLyric(ui::Window* parent, int resourceId)
    : TableList(parent, resourceId, SongTable::Lyrics, kLyricList,
                static_cast<int>(kLyricsUsable)) {}

const ui::ResponseTable& EditLyric::Table() {
    static constexpr ui::ResponseEntry entries[] = {
        ui::OnChildNotify<&EditLyric::EditLyricItem>(kLyricList, ui::ListBox::DoubleClick),
    };
    static const ui::ResponseTable table{&TableList::Table(), entries};
    return table;
}

uint32_t EditLyric::Total() const {
    return sd.lyricTotal;
}

// The text is shown as the strip decodes it (UTF-8, else Windows-1252), but
// whole: the list is where karaoke marks and tags are seen and corrected.
std::string EditLyric::Line(uint32_t i) const {
    const lyric& l = lcd[i];
    char track[16];
    std::snprintf(track, sizeof track, "   %2u  ", l.track + 1u);
    return BarTick(l.time, sd.barTicks) + track +
           ShownText({l.text, strnlen(l.text, kLyricTextSize)});
}

void EditLyric::EditLyricItem() {
    const ui::ListBox* list = Item<ui::ListBox>(kLyricList);
    if (list == nullptr || list->GetCount() == 0) {
        return;
    }
    const auto i = static_cast<uint32_t>(list->GetCaretIndex());
    if (i >= sd.lyricTotal) {
        return;
    }
    templyric = lcd[i];
    LyricInput input(this);
    if (input.Execute() == ui::IdOk) {
        lyric edited = lcd[i];
        std::memcpy(edited.text, templyric.text, sizeof edited.text);
        ReplaceLyric(i, edited);
        LoadData();
    }
}

}  // namespace tw
