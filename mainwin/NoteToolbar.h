#pragma once

#include <array>
#include <cstdint>

#include "platform/ui/Messages.h"

namespace tw {

class Button2;
class Display;
class LyricBar;
class Pot2;
class Reporter;
class Staff;

namespace ui {
class Window;
}

// The toolbar under the header: the lyric track and its counts, the note
// length, accidental and dot, the velocity, the entry mode, cut, copy and
// paste, and the store switch. Its controls are children of the panel; the
// panel forwards their notifications here.
class NoteToolbar {
public:
    NoteToolbar(ui::Window& panel, Reporter& reporter);

    void Create();
    void SetFirstTexts();
    void SetFirstPositions();
    // Every button and the velocity from the song's note-entry choices.
    void ShowStartUp();

    void SetVelocity(ui::WParam value);
    void SetStoreEnable(ui::WParam state);
    // The radio groups of the two entry modes and the six note lengths.
    void ChooseMode(ui::LParam i);
    void ChooseType(ui::LParam i);
    // Flat (0) or sharp (1); pressing the lit one again chooses neither.
    void ChooseSymbol(ui::LParam i);
    void SetDot(ui::WParam state);
    // Cut (0) and copy (1) of the staff's marked notes; true when notes
    // were cut. Paste (2) arms or disarms the next right click on the staff.
    bool NoteEdit(ui::WParam state, ui::LParam i, Staff& staff);
    // After a paste: the paste button out, nothing armed.
    void PasteDone();

    // LyricNotify from the strip: code 0 inserts templyric; then the lyric
    // counts are shown.
    void LyricEdited(ui::WParam code);
    // 0 steps down, 1 up (within tracks 1..32), 2 asks for the number.
    // Refused while playing.
    void StepLyricTrack(ui::WParam code, LyricBar& lyricBar);
    // The lyric track and its count on their read-outs, and the strip.
    void ShowLyricTrack(LyricBar& lyricBar);
    void UpdateLyricTotal();

private:
    ui::Window& panel;
    Reporter& reporter;
    Display* velocityDisplay = nullptr;
    Display* lyricTrackDisplay = nullptr;
    Display* lyricCountDisplay = nullptr;
    Display* lyricTotalDisplay = nullptr;
    Pot2* velocityPot = nullptr;
    std::array<Button2*, 6> noteTypeButton{};
    std::array<Button2*, 2> symbolButton{};
    Button2* dotButton = nullptr;
    std::array<Button2*, 2> noteModeButton{};
    std::array<Button2*, 3> noteEditButton{};
    Button2* storeButton = nullptr;
};

}  // namespace tw
