#pragma once

#include <cstdint>

#include "platform/ui/Control.h"
#include "platform/ui/Font.h"
#include "platform/ui/Rect.h"
#include "song/Song.h"
#include "staff/StaffPainter.h"

namespace tw {

// The note built by the last left click on the staff, handed to the parent
// with the entry notification.
extern displaydata temp;

namespace ui {
class ScrollBar;
}

// The grand staff of the current track as a control: note entry and
// deletion with the left button, the marked range and paste with the right,
// and the vertical scroll bar at its right; StaffPainter draws it.
class Staff : public ui::Control {
    TW_DECLARE_RESPONSE_TABLE()

public:
    static constexpr int kScrollBarId = 721;
    // wParam of the notification (message number: the staff's id) that
    // asks the parent to paste the note clipboard at the song time lParam.
    static constexpr ui::WParam kPasteNotes = 2;
    // wParam of the notification: a note was entered (it is in temp, for
    // the track in transfernumber), or a note of the current track was
    // deleted.
    static constexpr ui::WParam kNoteEntered = 0;
    static constexpr ui::WParam kNoteDeleted = 1;
    static constexpr int kMaxRightX = StaffPainter::kMaxRightX;

    Staff(ui::Window* parent, int id, int x, int y, int w, int h);

    // A song has been set up: repaints the whole control.
    void NewSong();
    // The time settings, the track or the page changed: recomputes rightX
    // and repaints the whole control.
    void Refresh();
    // Takes both markers away and repaints the marked area.
    void ClearMarkers();
    // The scroll bar has finished a scroll action: the view takes its
    // position as the vertical offset and repaints.
    void UpdatePosition();
    // Song time for a column x of the page, snapped to the nearest multiple
    // of the snap unit (counted from song time 0, a tie going to the earlier
    // one); unsnapped with snapping off or a unit that comes out as 0.
    uint32_t GetTime(int x) const;
    // Stores the marked times; 1 when both markers are placed (a complete
    // range), else 0.
    int GetEditStatus(uint32_t* start, uint32_t* end) const;
    // Deletes the first note of the current track that starts exactly at
    // time on staff position line, tells the parent and marks the song
    // changed; 1 if a note was deleted, else 0.
    int FindNote(uint32_t time, int line);
    // The staff position under row y at the current scroll offset (a click
    // on a drawn line or up to 3 pixels below it selects that line).
    int LineAt(int y) const;

    // Vertical offset in line spacings, 0..8.
    int ScrollOffset() const { return scrollOffset_; }
    // x at which the staff lines end.
    int RightX() const { return rightX_; }
    // The area repainted when notes or markers change.
    const ui::Rect& MarkRect() const { return markRect_; }
    ui::ScrollBar& GetScrollBar() const { return *scrollBar_; }

    // The marked range [markStart, markEnd) in song ticks; each end counts
    // only while its flag is set.
    uint32_t MarkStart() const { return markStart_; }
    uint32_t MarkEnd() const { return markEnd_; }
    int MarkStartSet() const { return markStartSet_; }
    int MarkEndSet() const { return markEndSet_; }
    // Places or removes the markers and repaints the marked area.
    void SetMarkers(uint32_t start, int startSet, uint32_t end, int endSet);

protected:
    void SetupWindow() override;
    void Paint(ui::DC& dc, bool erase, ui::Rect& rect) override;
    // Places the first marker, then the second, then takes both away; with
    // a paste armed and no first marker it asks the parent to paste there
    // instead (message id, wParam 2, lParam the time).
    void EvRButtonDown(unsigned keys, const ui::Point& point);
    // Enters a note at the snapped time and the clicked position with the
    // chosen length, dot and accidental; a click on an existing note
    // deletes it (mode 0) or replaces it (mode 1).
    void EvLButtonDown(unsigned keys, const ui::Point& point);

private:
    // Clicks count only on the staff (50 <= x < rightX) while the transport
    // is stopped.
    bool AcceptsClick(int x) const;

    int scrollOffset_ = 5;
    int rightX_ = 50;
    ui::Rect markRect_{40, 0, 780, 154};
    uint32_t markStart_ = 0;
    uint32_t markEnd_ = 0;
    int markStartSet_ = 0;
    int markEndSet_ = 0;
    ui::Font staffFont_;
    ui::ScrollBar* scrollBar_;
};

}  // namespace tw
