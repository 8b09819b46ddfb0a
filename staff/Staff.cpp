#include "staff/Staff.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <utility>

#include "platform/ui/Bitmap.h"
#include "platform/ui/DC.h"
#include "platform/ui/ScrollBar.h"
#include "song/PageTime.h"
#include "song/Pitch.h"
#include "song/Song.h"
#include "song/SongLock.h"
#include "song/Transfer.h"

namespace tw {

displaydata temp{};

namespace {

constexpr ui::Color kGrey{192, 192, 192};
constexpr ui::Color kLedger{150, 0, 0};
constexpr ui::Color kNoteColour{128, 0, 0};
constexpr ui::Color kGrid{0, 0, 192};
constexpr ui::Color kFirstMarker{0, 255, 0};
constexpr ui::Color kSecondMarker{255, 0, 255};
constexpr ui::Color kMarked{128, 128, 128};

constexpr int kTrebleClef = 537;
constexpr int kBassClef = 538;
constexpr int kLeftX = 50;
constexpr int kLines = 26;
constexpr int kScrollMax = 8;

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
    return CappedProduct({sd.ts32nds, sd.tsNumerator, 10}, Staff::kMaxRightX);
}

// 50 + staffBars * ts32nds * tsNumerator * 10, held at kMaxRightX.
int ComputeRightX() {
    return kLeftX + static_cast<int>(CappedProduct({sd.staffBars, sd.ts32nds, sd.tsNumerator, 10},
                                                   Staff::kMaxRightX - kLeftX));
}

bool IsStaffLine(int i) {
    return (i >= 9 && i <= 13) || (i >= 15 && i <= 19);
}

// Ticks of a note of the given type (0 whole .. 5 thirty-second).
uint32_t NoteTicks(uint32_t type) {
    switch (type) {
        case 0:
            return 4 * sd.division;
        case 1:
            return 2 * sd.division;
        case 2:
            return sd.division;
        case 3:
            return sd.division / 2;
        case 4:
            return sd.division / 4;
        default:
            return sd.division / 8;
    }
}

template <std::size_t N>
bool Contains(const std::array<int32_t, N>& notes, int32_t note) {
    return std::find(notes.begin(), notes.end(), note) != notes.end();
}

// Applies the chosen accidental to the natural at position line. The
// spelling is fixed per pitch class, so a flat can turn into a sharp on
// the position below and a sharp into a flat on the position above; false
// when the result cannot be written (flat of C or F, sharp of E or B, or a
// position off the staff).
bool Spell(int32_t symbol, int32_t& note, int& line, int32_t& accidental) {
    accidental = kNoAccidental;
    if (symbol == kFlat) {
        const int32_t n = note - 1;
        if (Contains(flatnotes, n)) {
            accidental = kFlat;
        } else if (Contains(sharpnotes, n)) {
            accidental = kSharp;
            if (++line > kNaturalCount - 1) {
                return false;
            }
        } else {
            return false;
        }
        note = n;
    } else if (symbol == kSharp) {
        const int32_t n = note + 1;
        if (Contains(sharpnotes, n)) {
            accidental = kSharp;
        } else if (Contains(flatnotes, n)) {
            accidental = kFlat;
            if (--line < 1) {
                return false;
            }
        } else {
            return false;
        }
        note = n;
    }
    return true;
}

}  // namespace

Staff::Staff(ui::Window* parent, int id, int x, int y, int w, int h)
    : Control(parent, id, x, y, w, h),
      staffFont_("Times New Roman", -16, 8, 700),
      scrollBar_(new ui::ScrollBar(this, kScrollBarId, 781, 3, 8, 147, false)) {
    SetBkgndColor(kGrey);
}

const ui::ResponseTable& Staff::Table() {
    static constexpr ui::ResponseEntry entries[] = {
        ui::OnLButtonDown<&Staff::EvLButtonDown>(),
        ui::OnRButtonDown<&Staff::EvRButtonDown>(),
        ui::OnChildNotify<&Staff::UpdatePosition>(kScrollBarId, ui::ScrollBar::ThumbPosition),
        ui::OnChildNotify<&Staff::UpdatePosition>(kScrollBarId, ui::ScrollBar::EndScroll),
    };
    static const ui::ResponseTable table{&Control::Table(), entries};
    return table;
}

void Staff::SetupWindow() {
    Control::SetupWindow();
    markRect_ = {40, 0, 780, 154};
    scrollOffset_ = 5;
    scrollBar_->SetLineMagnitude(1);
    scrollBar_->SetPageMagnitude(2);
    scrollBar_->SetRange(0, kScrollMax);
    scrollBar_->SetPosition(4);
    rightX_ = ComputeRightX();
    markStartSet_ = 0;
    markEndSet_ = 0;
}

void Staff::NewSong() {
    Invalidate();
}

void Staff::Refresh() {
    rightX_ = ComputeRightX();
    Invalidate();
}

void Staff::ClearMarkers() {
    markStartSet_ = 0;
    markEndSet_ = 0;
    InvalidateRect(markRect_);
}

void Staff::SetMarkers(uint32_t start, int startSet, uint32_t end, int endSet) {
    markStart_ = start;
    markStartSet_ = startSet;
    markEnd_ = end;
    markEndSet_ = endSet;
    InvalidateRect(markRect_);
}

int Staff::GetEditStatus(uint32_t* start, uint32_t* end) const {
    *start = markStart_;
    *end = markEnd_;
    return markEndSet_ != 0 ? 1 : 0;
}

// The tick offset on the page in single precision as the notes are placed;
// a numerator of 0 (no width per bar) gives the page's start. Times past the
// last 32-bit tick are held there.
uint32_t Staff::GetTime(int x) const { return PageTime(x - kLeftX); }

bool Staff::AcceptsClick(int x) const {
    return x >= kLeftX && x < rightX_ && sd.playState == 0;
}

void Staff::EvRButtonDown(unsigned, const ui::Point& point) {
    if (!AcceptsClick(point.x)) {
        return;
    }
    if (markStartSet_ == 0) {
        markStart_ = GetTime(point.x);
        if (sd.editFlag == 1) {
            NotifyParent(static_cast<ui::MsgId>(Id()), kPasteNotes, markStart_);
            return;
        }
        markStartSet_ = 1;
    } else if (markEndSet_ == 0) {
        markEnd_ = GetTime(point.x);
        markEndSet_ = 1;
        if (markEnd_ < markStart_) {
            std::swap(markStart_, markEnd_);
        }
    } else {
        markStartSet_ = 0;
        markEndSet_ = 0;
    }
    InvalidateRect(markRect_);
}

int Staff::LineAt(int y) const {
    return (std::max(y - 8, 0) + 8 * scrollOffset_) / 4;
}

void Staff::EvLButtonDown(unsigned, const ui::Point& point) {
    if (!AcceptsClick(point.x) || sd.track >= kTracks) {
        return;
    }
    const uint32_t t = GetTime(point.x);
    int line = LineAt(point.y);
    if (line > kNaturalCount - 1) {
        return;
    }
    int32_t note = naturalnotes[static_cast<std::size_t>(line)];
    if (FindNote(t, line) == 1 && sd.noteMode == 0) {
        InvalidateRect(markRect_);
        return;
    }
    int32_t accidental = kNoAccidental;
    if (!Spell(sd.symbolType, note, line, accidental)) {
        return;
    }
    const uint32_t d = NoteTicks(sd.noteType);
    const uint64_t length = uint64_t{d} + (sd.dot == 1 ? d / 2 : 0);
    const auto pitch = static_cast<uint8_t>(note);
    const auto channel = static_cast<uint8_t>(sd.channel & 0x0F);
    const auto velocity = static_cast<uint8_t>(std::min<uint32_t>(sd.velocity, 127));
    temp = displaydata{};
    temp.start = t;
    // A note at the very last ticks ends at the last tick rather than wrap.
    temp.end = static_cast<uint32_t>(std::min<uint64_t>(t + length, UINT32_MAX));
    temp.note = pitch;
    temp.type = static_cast<uint8_t>(sd.noteType);
    temp.dotted = static_cast<uint8_t>(sd.dot);
    temp.line = static_cast<uint8_t>(line);
    temp.channel = channel;
    temp.velocity = velocity;
    temp.accidental = accidental;
    temp.onMsg = PackMsg(static_cast<uint8_t>(0x90 | channel), pitch, velocity);
    temp.offMsg = PackMsg(static_cast<uint8_t>(0x80 | channel), pitch, 0);
    temp.closed = 0;
    transfernumber = sd.track;
    NotifyParent(static_cast<ui::MsgId>(Id()), kNoteEntered, 0);
    sd.changed = 1;
    InvalidateRect(markRect_);
}

// A deleted note is an edit like an entered one: the song must be saved.
int Staff::FindNote(uint32_t time, int line) {
    transfernumber = sd.track;
    if (sd.track >= kTracks || dd[sd.track] == nullptr) {
        return 0;
    }
    displaydata* notes = dd[sd.track];
    uint32_t& count = sd.noteCount[sd.track];
    displaydata* end = notes + std::min(count, kNotesPerTrack);
    displaydata* hit = std::find_if(
        notes, end, [&](const displaydata& n) { return n.start == time && n.line == line; });
    if (hit == end) {
        return 0;
    }
    std::copy(hit + 1, end, hit);
    count = static_cast<uint32_t>(end - notes) - 1;
    sd.changed = 1;
    NotifyParent(static_cast<ui::MsgId>(Id()), kNoteDeleted, 0);
    return 1;
}

void Staff::UpdatePosition() {
    scrollOffset_ = std::clamp(scrollBar_->GetPosition(), 0, kScrollMax);
    Invalidate();
}

// A page of no ticks (barTicks 0) puts every time at the left edge instead
// of dividing by zero; far-off times are held at kMaxRightX so that the
// conversion to int stays defined.
int Staff::Page::X(uint64_t time) const {
    if (barTicks == 0) {
        return kLeftX;
    }
    const auto offset = static_cast<uint32_t>(time - start);
    const float x = static_cast<float>(offset) / static_cast<float>(barTicks) * beatsPerBar;
    return kLeftX + static_cast<int>(std::min(x, static_cast<float>(kMaxRightX)));
}

// Computed in 64 bits: bar * barTicks of a late page may pass the last
// 32-bit tick, and such a page simply holds no notes.
Staff::Page Staff::CurrentPage() const {
    Page page;
    page.barTicks = sd.barTicks;
    page.start = uint64_t{Locked([] { return sd.bar; })} * sd.barTicks;
    page.end = page.start + uint64_t{sd.barTicks} * sd.staffBars;
    page.beatsPerBar = static_cast<float>(sd.tsNumerator) * 80.0f;
    page.right = GetClientRect().right;
    return page;
}

void Staff::Paint(ui::DC& dc, bool, ui::Rect&) {
    const ui::Rect c = GetClientRect();
    dc.SelectPen(ui::Pen(ui::Color::Black(), 3));
    dc.SelectBrush(ui::Brush(kGrey));
    dc.Rectangle(c);
    dc.MoveTo(779, 0);
    dc.LineTo(779, 153);
    DrawStaff(dc, CurrentPage());
}

void Staff::DrawStaff(ui::DC& dc, const Page& page) {
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

void Staff::DrawTimeSignature(ui::DC& dc) {
    const int y0 = LineY0();
    char text[16];
    dc.SelectFont(staffFont_);
    dc.SetTextColor(ui::Color::Black());
    dc.SetBkColor(kGrey);
    std::snprintf(text, sizeof text, "%u", sd.tsNumerator);
    dc.TextOut(35, y0 + 71, text);
    std::snprintf(text, sizeof text, "%u", sd.tsDenominator);
    dc.TextOut(35, y0 + 88, text);
}

// The staff lines in black from the braces, every other line (the ledger
// lines and the two outermost) from the first bar line.
void Staff::DrawLines(ui::DC& dc) {
    const int y0 = LineY0();
    const int end = std::min(rightX_, GetClientRect().right);
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

void Staff::DrawFrame(ui::DC& dc) {
    const ui::Rect c = GetClientRect();
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
void Staff::DrawBarLines(ui::DC& dc) {
    const int y0 = LineY0();
    const uint64_t spacing = BarLineSpacing();
    const uint64_t right = static_cast<uint64_t>(GetClientRect().right);
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
void Staff::DrawSelected(ui::DC& dc, const Page& page) {
    if (markStartSet_ == 0) {
        return;
    }
    const int x1 = page.X(std::clamp<uint64_t>(markStart_, page.start, page.end));
    dc.SelectPen(ui::Pen(kFirstMarker, 3));
    dc.MoveTo(x1, 2);
    dc.LineTo(x1, 151);
    if (markEndSet_ == 0) {
        return;
    }
    const int x2 = page.X(std::clamp<uint64_t>(markEnd_, page.start, page.end));
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
void Staff::DrawGrid(ui::DC& dc) {
    static constexpr int kSpacing[] = {0, 10, 20, 40, 80, 160};
    if (sd.gridSetting >= std::size(kSpacing)) {
        return;
    }
    const int g = kSpacing[sd.gridSetting];
    const int end = std::min(rightX_, GetClientRect().right);
    dc.SelectPen(ui::Pen(kGrid));
    for (int x = kLeftX + g; g > 0 && x < end; x += g) {
        dc.MoveTo(x, 2);
        dc.LineTo(x, 153);
    }
}

// The track is in time order, so the page's first note is found by binary
// search and the walk ends at the page's end or the control's right edge.
void Staff::DisplayNotes(ui::DC& dc, const Page& page) {
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
void Staff::DrawNote(ui::DC& dc, int x, int y, uint8_t type, uint8_t dotted, int32_t accidental) {
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

void Staff::DrawSharp(ui::DC& dc, int x, int y) {
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

void Staff::DrawFlat(ui::DC& dc, int x, int y) {
    dc.SelectPen(ui::Pen(kNoteColour, 2));
    dc.SelectBrush(ui::Brush(kGrey));
    dc.MoveTo(x, y - 3);
    dc.LineTo(x, y + 6);
    dc.Ellipse(x, y + 1, x + 6, y + 6);
}

}  // namespace tw
