#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/Control.h"
#include "platform/ui/Font.h"
#include "song/Song.h"

namespace tw {

// The lyric being entered or edited, shared by the lyric strip, its entry
// dialog and the main window's insertion of a new lyric.
extern lyric templyric;

inline constexpr ui::MsgId LyricNotify = 621;

// The strip under the staff that shows the syllables of the lyric track for
// the bars of the staff page, each at the column of its time on the staff's
// scale, in two rows so that close syllables do not overlap.
//
// With the transport stopped, a left click on the time axis opens the entry
// dialog on the lyric drawn in the clicked (snapped) column, or on a new one
// there: a new text asks the parent to insert templyric (LyricNotify code
// 0), a changed one replaces the lyric, a cleared one removes it (code 1).
// A right click removes the lyric drawn there (code 1). Every removal and
// change marks the song changed.
class LyricBar : public ui::Control {
    TW_DECLARE_RESPONSE_TABLE()

public:
    static constexpr int kOriginX = 50;  // the start of bar sd.bar
    static constexpr int kUpperRow = 2;
    static constexpr int kLowerRow = 20;

    LyricBar(ui::Window* parent, int id, int x, int y, int w, int h);

    // Repaints the whole strip for the current page and lyric track.
    void Refresh();
    // The song time of a position x measured from the time axis origin,
    // snapped to the snap setting.
    [[nodiscard]] uint32_t GetTime(int x) const;
    // Looks for a lyric of the lyric track drawn in the column of
    // templyric.time; when there is one, copies its text into templyric and
    // remembers its index. 1 found, 0 not.
    int FindLyric();
    [[nodiscard]] uint32_t FoundIndex() const { return foundIndex; }

    // The right edge of the grid and of the clickable area.
    [[nodiscard]] static int RightEdge();
    // The column at which a lyric at song time t is drawn on the page that
    // starts at pageStart.
    [[nodiscard]] static int64_t Column(uint32_t t, uint32_t pageStart);
    // The text a stored lyric shows: karaoke tags, line marks and hyphens
    // left out, the letters of every alphabet kept. UTF-8.
    [[nodiscard]] static std::string ShownLyric(const char* stored);

protected:
    void Paint(ui::DC& dc, bool erase, ui::Rect& rect) override;
    void EvLButtonDown(unsigned keys, const ui::Point& point);
    void EvRButtonDown(unsigned keys, const ui::Point& point);

private:
    // Whether a click at x may edit: the transport stopped, x on the axis.
    [[nodiscard]] static bool Editable(int x);
    // Removes the lyric last found and tells the parent.
    void RemoveFound();
    void DrawGrid(ui::DC& dc);
    void DisplayLyrics(ui::DC& dc);

    uint32_t notifyId;
    ui::Font lyricFont;
    uint32_t foundIndex = 0;
};

}  // namespace tw
