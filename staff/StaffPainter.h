#pragma once

#include <cstdint>

#include "platform/ui/Color.h"
#include "platform/ui/Font.h"
#include "platform/ui/Rect.h"

namespace tw {

namespace ui {
class DC;
}

// What a paint of the staff needs of the view: the vertical scroll, where
// the staff lines end, and the marked range.
struct StaffView {
    int scrollOffset;
    int rightX;
    uint32_t markStart;
    uint32_t markEnd;
    int markStartSet;
    int markEndSet;
};

// Draws the grand staff of the current track for one view: the page of
// sd.staffBars bars from bar sd.bar, treble and bass with their ledger
// lines, the time signature, the grid, the marked range and every note that
// starts on the page, each drawn by itself with its own head, stem, flags,
// dot and accidental.
//
// Horizontally a beat is 80 pixels from x = 50 for the notes; bar lines and
// the end of the staff lines (rightX) use ts32nds * 10 pixels per beat.
// Vertically the view is scrolled in steps of one line spacing (8 pixels).
class StaffPainter {
public:
    static constexpr ui::Color kBackground{192, 192, 192};
    static constexpr int kLeftX = 50;
    // rightX never goes beyond this, whatever the time signature and the
    // bars per page say; everything right of the control is clipped anyway.
    static constexpr int kMaxRightX = 32767;

    StaffPainter(const StaffView& view, const ui::Font& font, const ui::Rect& client);

    // x at which the staff lines end for the song's time settings.
    [[nodiscard]] static int RightX();

    void Paint(ui::DC& dc) const;

private:
    // Where the current page lies in song time, and how time maps to x.
    struct Page {
        uint64_t start = 0;  // ws: the song time of the left edge
        uint64_t end = 0;    // we: start + staffBars bars
        uint32_t barTicks = 0;
        float beatsPerBar = 0;
        int right = 0;  // the control's right edge

        // x of the head's left edge for a time on the page.
        int X(uint64_t time) const;
    };

    Page CurrentPage() const;
    int LineY0() const { return 8 - 8 * view_.scrollOffset; }
    int NoteY(int line) const { return 12 + 4 * line - 8 * view_.scrollOffset; }

    void DrawStaff(ui::DC& dc, const Page& page) const;
    void DrawTimeSignature(ui::DC& dc) const;
    void DrawLines(ui::DC& dc) const;
    void DrawFrame(ui::DC& dc) const;
    void DrawBarLines(ui::DC& dc) const;
    void DrawSelected(ui::DC& dc, const Page& page) const;
    void DrawGrid(ui::DC& dc) const;
    void DisplayNotes(ui::DC& dc, const Page& page) const;
    static void DrawNote(ui::DC& dc, int x, int y, uint8_t type, uint8_t dotted,
                         int32_t accidental);
    static void DrawSharp(ui::DC& dc, int x, int y);
    static void DrawFlat(ui::DC& dc, int x, int y);

    StaffView view_;
    const ui::Font& font_;
    ui::Rect client_;
};

}  // namespace tw
