#pragma once

#include <cstdint>

#include "platform/ui/Messages.h"

namespace tw {

class Display;
class Player;
class Reporter;

namespace ui {
class Window;
}

// The header row: the bar, the track with its name and note count, and the
// track's channel and instrument, with their steps and entry dialogs. Its
// read-outs are children of the panel; the panel forwards their clicks here.
// Every step is refused while playing.
class TrackHeader {
public:
    TrackHeader(ui::Window& panel, Reporter& reporter);

    void Create();
    void SetFirstTexts();
    // The song's first track, its channel and instrument, as a new song
    // starts.
    void ShowStartUp();

    // Moves the song position to the start of bar; refused while playing.
    void GoToBar(uint32_t bar, Player& player);
    // Clicks on the read-outs: 0 steps down, 1 up, 2 asks for the number.
    void StepBar(ui::WParam step, Player& player);
    // True when the current track was set (the staff then shows it).
    bool StepTrack(ui::WParam step);
    // True when the current track moved to another channel.
    bool StepChannel(ui::WParam step);
    void EditTrackName();
    // The instrument of the current channel, stored as a program change at
    // the start of the current bar.
    void ChooseVoice();

    // Shows the track's number, name, channel, instrument and note count.
    void SetTrack(int t);
    void ShowBar();
    void ShowNoteCount();
    // A played program change's instrument.
    void ShowProgram(uint8_t program);

private:
    void ShowVoice();
    void ShowChannel();
    // Runs the number entry dialog in the given mode; the number entered,
    // or -1 when it was cancelled.
    int EnterNumber(int mode);

    ui::Window& panel;
    Reporter& reporter;
    Display* barDisplay = nullptr;
    Display* trackDisplay = nullptr;
    Display* trackNameDisplay = nullptr;
    Display* channelDisplay = nullptr;
    Display* voiceDisplay = nullptr;
    Display* notesDisplay = nullptr;
};

}  // namespace tw
