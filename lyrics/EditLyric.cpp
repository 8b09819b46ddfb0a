#include "lyrics/EditLyric.h"

#include <cstdio>
#include <cstring>

#include "lyrics/LyricBar.h"
#include "lyrics/LyricInput.h"
#include "platform/ui/ListBox.h"
#include "song/Song.h"
#include "song/TextEncoding.h"

namespace tw {

EditLyric::EditLyric(ui::Window* parent, int resourceId)
    : TableList(parent, resourceId, kLyricList, static_cast<int>(kLyricsUsable)) {}

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
    return BarTick(l.time) + track + ShownText({l.text, strnlen(l.text, kLyricTextSize)});
}

void EditLyric::DeleteLyricItem(int i) {
    const auto index = static_cast<uint32_t>(i);
    if (index >= sd.lyricTotal) {
        return;
    }
    const uint32_t track = lcd[index].track;
    if (track < kTracks && sd.lyricCount[track] > 0) {
        --sd.lyricCount[track];
    }
    std::memmove(&lcd[index], &lcd[index + 1], (sd.lyricTotal - index - 1) * sizeof(lyric));
    --sd.lyricTotal;
}

void EditLyric::ClearTable() {
    std::memset(sd.lyricCount, 0, sizeof sd.lyricCount);
    sd.lyricTotal = 0;
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
        std::memcpy(lcd[i].text, templyric.text, sizeof lcd[i].text);
        LoadData();
    }
}

}  // namespace tw
