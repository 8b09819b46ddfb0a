#include "lyrics/LyricBar.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "lyrics/LyricInput.h"
#include "platform/ui/DC.h"
#include "platform/ui/Text.h"
#include "song/Edits.h"
#include "song/PageTime.h"
#include "song/SongLock.h"
#include "song/TextEncoding.h"

namespace tw {

lyric templyric{};

namespace {

const ui::Color kStripGrey{128, 128, 128};
const ui::Color kGridBlue{0, 0, 192};
const ui::Color kMarkerGreen{0, 255, 0};

// Pixels per bar at 80 pixels per beat.
float BarWidth() { return static_cast<float>(sd.tsNumerator) * 80.0f; }

// The code points of valid UTF-8 text.
std::u32string Decode(const std::string& utf8) {
    std::u32string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (size_t k = 1; k < length && i + k < utf8.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        out.push_back(c);
        i += length;
    }
    return out;
}

void Append(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool Kept(char32_t c, size_t index) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
        return true;
    }
    switch (c) {
    case ' ':
        return index > 0;
    case U'\u00A9':
    case '@':
    case '!':
    case '.':
    case ',':
    case ':':
    case '"':
    case '\'':
        return true;
    default:
        return c >= 0x80 && ui::IsLetter(c);
    }
}

}  // namespace

LyricBar::LyricBar(ui::Window* parent, int id, int x, int y, int w, int h)
    : Control(parent, id, x, y, w, h),
      notifyId(static_cast<uint32_t>(id)),
      lyricFont("Helvetica", -14, 8, 700) {
    SetBkgndColor(kStripGrey);
}

const ui::ResponseTable& LyricBar::Table() {
    static constexpr ui::ResponseEntry entries[] = {
        ui::OnLButtonDown<&LyricBar::EvLButtonDown>(),
        ui::OnRButtonDown<&LyricBar::EvRButtonDown>(),
    };
    static const ui::ResponseTable table{&Control::Table(), entries};
    return table;
}

void LyricBar::Refresh() { Invalidate(true); }

int LyricBar::RightEdge() {
    const int64_t right = 50 + int64_t{sd.staffBars} * sd.ts32nds * sd.tsNumerator * 10;
    // A time signature from a file can be absurd; nothing past this is seen.
    return static_cast<int>(std::min<int64_t>(right, 1 << 20));
}

int64_t LyricBar::Column(uint32_t t, uint32_t pageStart) {
    if (sd.barTicks == 0) {
        return kOriginX;
    }
    const float offset =
        static_cast<float>(t - pageStart) / static_cast<float>(sd.barTicks) * BarWidth();
    // Times before the page come out far to the right, as unsigned
    // differences do; keep the conversion defined.
    return kOriginX + static_cast<int64_t>(std::min(offset, 1e15f));
}

uint32_t LyricBar::GetTime(int x) const { return PageTime(x); }

int LyricBar::FindLyric() {
    if (sd.lyricTotal == 0) {
        return 0;
    }
    const uint32_t pageStart = sd.bar * sd.barTicks;
    const int64_t xc = Column(templyric.time, pageStart);
    for (uint32_t i = 0; i < sd.lyricTotal; ++i) {
        if (lcd[i].track == sd.lyricTrack && Column(lcd[i].time, pageStart) == xc) {
            std::memcpy(templyric.text, lcd[i].text, sizeof templyric.text);
            templyric.text[kLyricTextSize - 1] = '\0';
            foundIndex = i;
            return 1;
        }
    }
    return 0;
}

std::string LyricBar::ShownLyric(const char* stored) {
    const std::u32string text = Decode(ShownText({stored, strnlen(stored, kLyricTextSize)}));
    std::string shown;
    size_t i = 0;
    if (!text.empty() && text[0] == '@') {
        i = 2;  // the tag and its letter
    }
    for (; i < text.size(); ++i) {
        if (Kept(text[i], i)) {
            Append(shown, text[i]);
        }
    }
    return shown;
}

void LyricBar::Paint(ui::DC& dc, bool, ui::Rect&) {
    dc.SelectBrush(ui::Brush(kStripGrey));
    dc.SelectPen(ui::Pen(ui::Color::Black(), 3));
    dc.Rectangle(GetClientRect());
    if (sd.gridSetting > 0) {
        DrawGrid(dc);
    }
    DisplayLyrics(dc);
}

void LyricBar::DrawGrid(ui::DC& dc) {
    static constexpr int kSpacing[] = {0, 10, 20, 40, 80, 160};
    if (sd.gridSetting >= std::size(kSpacing)) {
        return;
    }
    const int s = kSpacing[sd.gridSetting];
    // Lines past the strip's own edge would be clipped anyway.
    const int right = std::min(RightEdge(), GetClientRect().right);
    dc.SelectPen(ui::Pen(kGridBlue));
    for (int x = kOriginX; x <= right; x += s) {
        dc.MoveTo(x, 2);
        dc.LineTo(x, 38);
    }
}

void LyricBar::DisplayLyrics(ui::DC& dc) {
    dc.SelectFont(lyricFont);
    dc.SetTextColor(ui::Color::White());
    dc.SetBkColor(kStripGrey);
    dc.SelectPen(ui::Pen(kMarkerGreen));
    if (sd.lyricTotal == 0 || lcd == nullptr) {
        return;
    }
    const uint32_t pageStart = Locked([] { return sd.bar; }) * sd.barTicks;
    const uint32_t pageEnd = pageStart + sd.barTicks * sd.staffBars;
    // The table is in time order: start at the page's first lyric.
    const lyric* const end = lcd + sd.lyricTotal;
    const lyric* first = std::lower_bound(
        static_cast<const lyric*>(lcd), end, pageStart, [](const lyric& l, uint32_t t) { return l.time < t; });
    const int width = GetClientRect().right;
    int row = kUpperRow;
    int64_t lastEnd = 45;
    for (const lyric* l = first; l != end && l->time < pageEnd; ++l) {
        if (l->track != sd.lyricTrack) {
            continue;
        }
        const int64_t x = Column(l->time, pageStart);
        if (x > width) {
            break;  // later syllables lie further right, beyond the strip
        }
        const std::string shown = ShownLyric(l->text);
        row = x > lastEnd ? kUpperRow : (row == kUpperRow ? kLowerRow : kUpperRow);
        const int xi = static_cast<int>(x);
        lastEnd = x + dc.TextOut(xi + 1, row, shown).cx + 5;
        dc.MoveTo(xi, row + 1);
        dc.LineTo(xi, row + 13);
    }
}

// ---- Entry with the mouse ---------------------------------------------------

bool LyricBar::Editable(int x) {
    return !SongPlaying() && x >= kOriginX && x < RightEdge();
}

void LyricBar::RemoveFound() {
    if (foundIndex >= sd.lyricTotal) {
        return;
    }
    RemoveTableEntry(SongTable::Lyrics, foundIndex);
    NotifyParent(static_cast<ui::MsgId>(notifyId), 1, 0);
}

void LyricBar::EvLButtonDown(unsigned, const ui::Point& point) {
    if (!Editable(point.x)) {
        return;
    }
    templyric = {};
    templyric.time = GetTime(point.x - kOriginX);
    templyric.track = sd.lyricTrack;
    const bool found = FindLyric() == 1;
    LyricInput input(this);
    if (input.Execute() == ui::IdOk) {
        const bool empty = templyric.text[0] == '\0';
        if (!empty && !found) {
            NotifyParent(static_cast<ui::MsgId>(notifyId), 0, 0);
        } else if (!empty) {
            ReplaceLyric(foundIndex, templyric);
        } else if (found) {
            RemoveFound();
        }
    }
    Refresh();
}

void LyricBar::EvRButtonDown(unsigned, const ui::Point& point) {
    if (!Editable(point.x)) {
        return;
    }
    templyric.time = GetTime(point.x - kOriginX);
    std::memset(templyric.text, 0, sizeof templyric.text);
    if (FindLyric() == 1) {
        RemoveFound();
        Refresh();
    }
}

}  // namespace tw
