#include "staff/Staff.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "platform/ui/DC.h"
#include "platform/ui/ScrollBar.h"
#include "song/Edits.h"
#include "song/PageTime.h"
#include "song/Pitch.h"
#include "song/Song.h"
#include "song/SongLock.h"
#include "song/Transfer.h"

namespace tw {

displaydata temp{};

namespace {

constexpr int kLeftX = StaffPainter::kLeftX;
constexpr int kScrollMax = 8;

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
    SetBkgndColor(StaffPainter::kBackground);
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
    rightX_ = StaffPainter::RightX();
    markStartSet_ = 0;
    markEndSet_ = 0;
}

void Staff::NewSong() {
    Invalidate();
}

void Staff::Refresh() {
    rightX_ = StaffPainter::RightX();
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
    return x >= kLeftX && x < rightX_ && !SongPlaying();
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
    InvalidateRect(markRect_);
}

// A deleted note is an edit like an entered one: the song must be saved.
int Staff::FindNote(uint32_t time, int line) {
    transfernumber = sd.track;
    if (!RemoveNoteAt(sd.track, time, line)) {
        return 0;
    }
    NotifyParent(static_cast<ui::MsgId>(Id()), kNoteDeleted, 0);
    return 1;
}

void Staff::UpdatePosition() {
    scrollOffset_ = std::clamp(scrollBar_->GetPosition(), 0, kScrollMax);
    Invalidate();
}

void Staff::Paint(ui::DC& dc, bool, ui::Rect&) {
    const StaffView view{scrollOffset_, rightX_, markStart_, markEnd_, markStartSet_, markEndSet_};
    StaffPainter(view, staffFont_, GetClientRect()).Paint(dc);
}

}  // namespace tw
