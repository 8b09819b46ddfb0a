#include "staff/StaffPainter.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <iterator>

#include "platform/ui/Bitmap.h"
#include "platform/ui/Brush.h"
#include "platform/ui/DC.h"
#include "platform/ui/Pen.h"
#include "song/Song.h"
#include "song/SongLock.h"

namespace tw {

namespace {

constexpr ui::Color kGrey = StaffPainter::kBackground;
constexpr ui::Color kLedger{150, 0, 0};
constexpr ui::Color kNoteColour{128, 0, 0};
constexpr ui::Color kGrid{0, 0, 192};
constexpr ui::Color kFirstMarker{0, 255, 0};
constexpr ui::Color kSecondMarker{255, 0, 255};
constexpr ui::Color kMarked{128, 128, 128};

constexpr int kTrebleClef = 537;
constexpr int kBassClef = 538;
constexpr int kLeftX = StaffPainter::kLeftX;
constexpr int kLines = 26;

// Accidentals reach up to 11 pixels left of their head, so a head this far
// beyond the right edge draws nothing at all.
constexpr int kNoteMargin = 12;

// a * b * ..., but never more than cap: staff widths come from file fields
// that may hold anything, and must neither overflow nor grow without end.
uint64_t CappedProduct(std::initializer_list<uint64_t> factors, uint64_t cap) {
    uint64_t product = 1;
    for (const uint64_t f : factors) {
        product = std::min(product * std::min<uint64_t>(f, cap + 1), cap);
    }
    return product;
}

// Pixels per bar for the bar lines and rightX.
uint64_t BarLineSpacing() {
    return CappedProduct({sd.ts32nds, sd.tsNumerator, 10}, StaffPainter::kMaxRightX);
}

bool IsStaffLine(int i) {
    return (i >= 9 && i <= 13) || (i >= 15 && i <= 19);
}

}  // namespace

StaffPainter::StaffPainter(const StaffView& view, const ui::Font& font, const ui::Rect& client)
    : view_(view), font_(font), client_(client) {}

// 50 + staffBars * ts32nds * tsNumerator * 10, held at kMaxRightX.
int StaffPainter::RightX() {
    return kLeftX + static_cast<int>(CappedProduct({sd.staffBars, sd.ts32nds, sd.tsNumerator, 10},
                                                   kMaxRightX - kLeftX));
}

void StaffPainter::Paint(ui::DC& dc) const {
    const ui::Rect c = client_;
    dc.SelectPen(ui::Pen(ui::Color::Black(), 3));
    dc.SelectBrush(ui::Brush(kGrey));
    dc.Rectangle(c);
    dc.MoveTo(779, 0);
    dc.LineTo(779, 153);
    DrawStaff(dc, CurrentPage());
}

// A page of no ticks (barTicks 0) puts every time at the left edge instead
// of dividing by zero; far-off times are held at kMaxRightX so that the
// conversion to int stays defined.
int StaffPainter::Page::X(uint64_t time) const {
    if (barTicks == 0) {
        return kLeftX;
    }
    const auto offset = static_cast<uint32_t>(time - start);
    const float x = static_cast<float>(offset) / static_cast<float>(barTicks) * beatsPerBar;
    return kLeftX + static_cast<int>(std::min(x, static_cast<float>(kMaxRightX)));
}

// Computed in 64 bits: bar * barTicks of a late page may pass the last
// 32-bit tick, and such a page simply holds no notes.
StaffPainter::Page StaffPainter::CurrentPage() const {
    Page page;
    page.barTicks = sd.barTicks;
    page.start = uint64_t{Locked([] { return sd.bar; })} * sd.barTicks;
    page.end = page.start + uint64_t{sd.barTicks} * sd.staffBars;
    page.beatsPerBar = static_cast<float>(sd.tsNumerator) * 80.0f;
    page.right = client_.right;
    return page;
}

void StaffPainter::DrawStaff(ui::DC& dc, const Page& page) const {
    DrawSelected(dc, page);
    if (sd.gridSetting > 0) {
        DrawGrid(dc);
    }
    DrawTimeSignature(dc);
    DrawLines(dc);
    const int y0 = LineY0();
    dc.BitBlt(6, y0 + 114, ui::Bitmap(kBassClef));
    dc.BitBlt(6, y0 + 57, ui::Bitmap(kTrebleClef));
    DrawFrame(dc);
    DrawBarLines(dc);
    if (sd.track < kTracks && sd.noteCount[sd.track] != 0) {
        DisplayNotes(dc, page);
    }
}

void StaffPainter::DrawTimeSignature(ui::DC& dc) const {
    const int y0 = LineY0();
    char text[16];
    dc.SelectFont(font_);
    dc.SetTextColor(ui::Color::Black());
    dc.SetBkColor(kGrey);
    std::snprintf(text, sizeof text, "%u", sd.tsNumerator);
    dc.TextOut(35, y0 + 71, text);
    std::snprintf(text, sizeof text, "%u", sd.tsDenominator);
    dc.TextOut(35, y0 + 88, text);
}

// The staff lines in black from the braces, every other line (the ledger
// lines and the two outermost) from the first bar line.
void StaffPainter::DrawLines(ui::DC& dc) const {
    const int y0 = LineY0();
    const int end = std::min(view_.rightX, client_.right);
    for (int i = 0; i < kLines; ++i) {
        const int y = y0 + 8 * i;
        if (y <= 0 || y >= 147) {
            continue;
        }
        const bool staffLine = IsStaffLine(i);
        const bool outer = i == 0 || i == kLines - 1;
        dc.SelectPen(ui::Pen(staffLine || outer ? ui::Color::Black() : kLedger));
        dc.MoveTo(staffLine ? 5 : kLeftX, y);
        dc.LineTo(end, y);
    }
}

void StaffPainter::DrawFrame(ui::DC& dc) const {
    const ui::Rect c = client_;
    const int y0 = LineY0();
    dc.SelectPen(ui::Pen(ui::Color::Black(), 2));
    dc.MoveTo(c.left, c.top);
    dc.LineTo(c.right, c.top);
    dc.MoveTo(c.left, c.bottom - 1);
    dc.LineTo(c.right, c.bottom - 1);
    dc.MoveTo(5, y0 + 72);
    dc.LineTo(5, y0 + 103);
    dc.MoveTo(5, y0 + 120);
    dc.LineTo(5, y0 + 152);
}

// staffBars + 1 lines, but none past the right edge: the bar count and the
// spacing come from the song and may be absurd.
void StaffPainter::DrawBarLines(ui::DC& dc) const {
    const int y0 = LineY0();
    const uint64_t spacing = BarLineSpacing();
    const uint64_t right = static_cast<uint64_t>(client_.right);
    for (uint64_t k = 0; k <= sd.staffBars; ++k) {
        const uint64_t x64 = kLeftX + k * spacing;
        if (x64 > right) {
            break;
        }
        const int x = static_cast<int>(x64);
        dc.MoveTo(x, y0 + 72);
        dc.LineTo(x, y0 + 103);
        dc.MoveTo(x, y0 + 120);
        dc.LineTo(x, y0 + 152);
        if (spacing == 0) {
            break;
        }
    }
}

// A marker beyond the page is drawn at the page edge it lies beyond.
void StaffPainter::DrawSelected(ui::DC& dc, const Page& page) const {
    if (view_.markStartSet == 0) {
        return;
    }
    const int x1 = page.X(std::clamp<uint64_t>(view_.markStart, page.start, page.end));
    dc.SelectPen(ui::Pen(kFirstMarker, 3));
    dc.MoveTo(x1, 2);
    dc.LineTo(x1, 151);
    if (view_.markEndSet == 0) {
        return;
    }
    const int x2 = page.X(std::clamp<uint64_t>(view_.markEnd, page.start, page.end));
    dc.SelectPen(ui::Pen(kSecondMarker, 3));
    dc.MoveTo(x2, 2);
    dc.LineTo(x2, 151);
    if (x2 - x1 >= 5) {
        dc.SelectPen(ui::Pen(kMarked));
        dc.SelectBrush(ui::Brush(kMarked));
        dc.Rectangle(x1 + 1, 2, x2 - 1, 151);
    }
}

// Grid settings 1..5 are a thirty-second down to a half note at 80 pixels
// per quarter; any other value draws no grid.
void StaffPainter::DrawGrid(ui::DC& dc) const {
    static constexpr int kSpacing[] = {0, 10, 20, 40, 80, 160};
    if (sd.gridSetting >= std::size(kSpacing)) {
        return;
    }
    const int g = kSpacing[sd.gridSetting];
    const int end = std::min(view_.rightX, client_.right);
    dc.SelectPen(ui::Pen(kGrid));
    for (int x = kLeftX + g; g > 0 && x < end; x += g) {
        dc.MoveTo(x, 2);
        dc.LineTo(x, 153);
    }
}

// The track is in time order, so the page's first note is found by binary
// search and the walk ends at the page's end or the control's right edge.
void StaffPainter::DisplayNotes(ui::DC& dc, const Page& page) const {
    const displaydata* notes = dd[sd.track];
    if (notes == nullptr || page.start > UINT32_MAX) {
        return;
    }
    const uint32_t count = std::min(sd.noteCount[sd.track], kNotesPerTrack);
    const displaydata* first = std::partition_point(
        notes, notes + count, [&](const displaydata& n) { return n.start < page.start; });
    for (const displaydata* n = first; n != notes + count && n->start < page.end; ++n) {
        const int x = page.X(n->start);
        if (x > page.right + kNoteMargin) {
            break;
        }
        DrawNote(dc, x, NoteY(n->line), n->type, n->dotted, n->accidental);
    }
}

// x is the head's left edge, y the head's bottom row + 1.
void StaffPainter::DrawNote(ui::DC& dc, int x, int y, uint8_t type, uint8_t dotted,
                            int32_t accidental) {
    dc.SelectPen(ui::Pen(kNoteColour, 2));
    if (accidental == kFlat) {
        DrawFlat(dc, x - 8, y - 7);
    } else if (accidental == kSharp) {
        DrawSharp(dc, x - 11, y - 7);
    }
    if (dotted == 1) {
        dc.SelectBrush(ui::Brush(kGrey));
        dc.Ellipse(x + 9, y - 3, x + 12, y + 1);
    }
    dc.SelectBrush(ui::Brush(type == 0 ? kGrey : kNoteColour));
    dc.Ellipse(x, y - 6, x + 6, y);
    if (type < 2) {
        return;
    }
    dc.MoveTo(x + 5, y - 20);
    dc.LineTo(x + 5, y - 2);
    if (type >= 3) {
        dc.MoveTo(x + 5, y - 20);
        dc.LineTo(x + 9, y - 18);
    }
    if (type >= 4) {
        dc.MoveTo(x + 5, y - 16);
        dc.LineTo(x + 9, y - 14);
    }
    if (type == 5) {
        dc.MoveTo(x + 5, y - 12);
        dc.LineTo(x + 9, y - 10);
    }
}

void StaffPainter::DrawSharp(ui::DC& dc, int x, int y) {
    dc.SelectPen(ui::Pen(kNoteColour, 2));
    dc.MoveTo(x + 2, y - 1);
    dc.LineTo(x + 2, y + 6);
    dc.MoveTo(x + 5, y - 2);
    dc.LineTo(x + 5, y + 5);
    dc.MoveTo(x, y + 1);
    dc.LineTo(x + 7, y + 1);
    dc.MoveTo(x + 1, y + 4);
    dc.LineTo(x + 8, y + 4);
}

void StaffPainter::DrawFlat(ui::DC& dc, int x, int y) {
    dc.SelectPen(ui::Pen(kNoteColour, 2));
    dc.SelectBrush(ui::Brush(kGrey));
    dc.MoveTo(x, y - 3);
    dc.LineTo(x, y + 6);
    dc.Ellipse(x, y + 1, x + 6, y + 6);
}

}  // namespace tw
