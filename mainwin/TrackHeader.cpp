#include "mainwin/TrackHeader.h"

#include <algorithm>
#include <cstring>

#include "controls/Display.h"
#include "dialogs/SetVoices.h"
#include "dialogs/TrkName.h"
#include "mainwin/PanelText.h"
#include "platform/ui/ModalRunner.h"
#include "playback/Player.h"
#include "song/Edits.h"
#include "song/Song.h"
#include "song/SongLock.h"
#include "song/Transfer.h"
#include "song/Voices.h"
#include "staff/SetNr.h"

namespace tw {

TrackHeader::TrackHeader(ui::Window& panel, Reporter& reporter)
    : panel(panel), reporter(reporter) {}

void TrackHeader::Create() {
    barDisplay = new Display(&panel, 401, 40, 8, 40, 20, 1, 0);
    trackDisplay = new Display(&panel, 402, 125, 8, 25, 20, 1, 0);
    trackNameDisplay = new Display(&panel, 403, 155, 8, 250, 20, 1, 0);
    channelDisplay = new Display(&panel, 404, 445, 8, 25, 20, 1, 0);
    voiceDisplay = new Display(&panel, 405, 475, 8, 214, 20, 1, 0);
    notesDisplay = new Display(&panel, -1, 750, 8, 40, 20, 0, 0);
}

void TrackHeader::SetFirstTexts() {
    barDisplay->SetDisplayString("0000");
    trackDisplay->SetDisplayString("01");
    trackNameDisplay->SetDisplayString(tn[0]);
    channelDisplay->SetDisplayString("01");
    voiceDisplay->SetDisplayString(Voices[0]);
    notesDisplay->SetDisplayString("0000");
}

void TrackHeader::ShowStartUp() {
    ShowNoteCount();
    barDisplay->SetDisplayString(PanelText("%02d", sd.bar).c_str());
    trackDisplay->SetDisplayString(PanelText("%02d", sd.track + 1u).c_str());
    trackNameDisplay->SetDisplayString(tn[sd.track]);
    channelDisplay->SetDisplayString(PanelText("%02d", sd.channel + 1u).c_str());
    voiceDisplay->SetDisplayString(Voices[sd.channelProgram[sd.channel] & 0x7F]);
}

void TrackHeader::ShowVoice() {
    voiceDisplay->SetDisplayString(sd.channel == 9 ? "Percussion"
                                                   : Voices[sd.channelProgram[sd.channel] & 0x7F]);
}

void TrackHeader::ShowChannel() {
    channelDisplay->SetDisplayString(PanelText("%02d", sd.channel + 1u).c_str());
    ShowVoice();
}

void TrackHeader::ShowBar() {
    barDisplay->SetDisplayString(PanelText("%04d", sd.bar).c_str());
}

void TrackHeader::ShowNoteCount() {
    notesDisplay->SetDisplayString(PanelText("%04d", sd.noteCount[sd.track]).c_str());
}

void TrackHeader::ShowProgram(uint8_t program) {
    voiceDisplay->SetDisplayString(Voices[program & 0x7F]);
}

void TrackHeader::SetTrack(int t) {
    sd.track = static_cast<uint8_t>(std::clamp(t, 0, kTracks - 1));
    trackDisplay->SetDisplayString(PanelText("%02d", sd.track + 1u).c_str());
    trackNameDisplay->SetDisplayString(tn[sd.track]);
    sd.channel = sd.trackChannel[sd.track];
    ShowChannel();
    ShowNoteCount();
}

int TrackHeader::EnterNumber(int mode) {
    transfernumber = mode;
    SetNr dialog(&panel);
    return dialog.Execute() == ui::IdOk ? transfernumber : -1;
}

void TrackHeader::StepBar(ui::WParam step, Player& player) {
    if (SongPlaying()) {
        return;
    }
    if (step == 0 && sd.bar > 0) {
        --sd.bar;
    } else if (step == 1) {
        ++sd.bar;
    } else if (step == 2) {
        const int bar = EnterNumber(kSetNrBar);
        if (bar < 0) {
            return;
        }
        sd.bar = static_cast<uint32_t>(bar);
    } else if (step != 0) {
        return;
    }
    GoToBar(sd.bar, player);
}

void TrackHeader::GoToBar(uint32_t bar, Player& player) {
    if (SongPlaying()) {
        return;
    }
    sd.bar = bar;
    sd.now = sd.bar * sd.barTicks;
    player.UpdateBarChange();
}

bool TrackHeader::StepTrack(ui::WParam step) {
    if (SongPlaying()) {
        return false;
    }
    int track = -1;
    if (step == 0 && sd.track > 0) {
        track = sd.track - 1;
    } else if (step == 1 && sd.track < kTracks - 1) {
        track = sd.track + 1;
    } else if (step == 2) {
        track = EnterNumber(kSetNrTrack) - 1;
    }
    if (track < 0) {
        return false;
    }
    SetTrack(track);
    return true;
}

void TrackHeader::EditTrackName() {
    if (SongPlaying()) {
        return;
    }
    char name[kTrackNameSize];
    std::memcpy(name, tn[sd.track], sizeof name);
    if (TrkName::Run(&panel, name)) {
        RenameTrack(sd.track, name);
        trackNameDisplay->SetDisplayString(tn[sd.track]);
    }
}

bool TrackHeader::StepChannel(ui::WParam step) {
    if (SongPlaying()) {
        return false;
    }
    if (step == 0 && sd.channel > 0) {
        --sd.channel;
    } else if (step == 1 && sd.channel < 15) {
        ++sd.channel;
    } else if (step == 2) {
        const int channel = EnterNumber(kSetNrChannel);
        if (channel <= 0) {
            return false;
        }
        sd.channel = static_cast<uint8_t>(channel - 1);
    } else {
        return false;
    }
    ShowChannel();
    MoveTrackToChannel(sd.track, sd.channel);
    return true;
}

void TrackHeader::ChooseVoice() {
    if (SongPlaying()) {
        return;
    }
    if (sd.channel == 9) {
        (void)ui::MessageBox(&panel, "Channel 10 can only be set to Percussion",
                             "Warning: Voice Setting", ui::MbOk);
        return;
    }
    SetVoices dialog(&panel);
    if (dialog.Execute() != ui::IdOk) {
        return;
    }
    const uint8_t program = sd.channelProgram[sd.channel] & 0x7F;
    voiceDisplay->SetDisplayString(Voices[program]);
    const eventdata change{sd.bar * sd.barTicks,
                           PackMsg(static_cast<uint8_t>(0xC0 + sd.channel), program, 0), sd.track};
    (void)StoreProgram(reporter, change);
}

}  // namespace tw
