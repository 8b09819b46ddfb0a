#include "mainwin/MixerSection.h"

#include <algorithm>

#include "controls/Button2.h"
#include "controls/Fader.h"
#include "controls/Led.h"
#include "controls/Pot.h"
#include "controls/VU.h"
#include "playback/MidiPort.h"
#include "playback/MixerReset.h"
#include "song/Edits.h"
#include "song/Song.h"
#include "song/SongLock.h"

namespace tw {

namespace {
bool IsChannel(ui::LParam c) {
    return c >= 0 && c < 16;
}

// The port's output volume; a port without volume control counts as full.
uint32_t PortVolume() {
    uint32_t volume = 0;
    return Port().GetVolume(volume) ? volume : 0xFFFFFFFFu;
}

void SetPortVolume(unsigned left, unsigned right) {
    // A port without volume control keeps sounding at full scale.
    (void)Port().SetVolume((left << 8) | (right << 24));
}
}  // namespace

MixerSection::MixerSection(ui::Window& panel, Reporter& reporter)
    : panel(panel), reporter(reporter) {}

void MixerSection::CreateStrip(int c) {
    const int x0 = 8 + 40 * c;
    const auto i = static_cast<size_t>(c);
    channelFader[i] = new Fader(&panel, 450, x0 + 1, 460, 35, 80, 1, c);
    panPot[i] = new Pot(&panel, 453, x0 + 1, 425, 35, 25, 4, 15, c);
    reverbPot[i] = new Pot(&panel, 454, x0 + 1, 388, 35, 25, 2, 15, c);
    chorusPot[i] = new Pot(&panel, 455, x0 + 1, 348, 35, 25, 2, 15, c);
    muteButton[i] = new Button2(&panel, 456, x0 + 3, 324, 9, 9, 458, 459, 1, c);
    soloButton[i] = new Button2(&panel, 457, x0 + 3, 302, 9, 9, 460, 461, 1, c);
    channelVU[i] = new VU(&panel, -1, x0 + 17, 302, 12, 30);
    channelLed[i] = new Led(&panel, -1, x0 + 22, 540, 12, 14, 1);
}

void MixerSection::CreateMasters() {
    masterFader[0] = new Fader(&panel, 451, 656, 450, 40, 90, 1, 0);
    masterFader[1] = new Fader(&panel, 451, 700, 450, 40, 90, 1, 1);
}

void MixerSection::SetFirstPositions() {
    for (size_t c = 0; c < 16; ++c) {
        channelFader[c]->SetRange(0, 127);
        panPot[c]->SetRange(0, 127);
        panPot[c]->SetPosition(63);
        reverbPot[c]->SetRange(0, 127);
        chorusPot[c]->SetRange(0, 127);
    }
    masterFader[0]->SetRange(0, 255);
    masterFader[1]->SetRange(0, 255);
}

void MixerSection::StripController(uint8_t controller, ui::WParam value, ui::LParam c) {
    if (!IsChannel(c)) {
        return;
    }
    const SongLock lock;
    const uint32_t msg = PackMsg(static_cast<uint8_t>(0xB0 + c), controller,
                                 static_cast<uint8_t>(std::min<ui::WParam>(value, 127)));
    Port().Send(msg);
    (void)StoreController(reporter, eventdata{sd.bar * sd.barTicks, msg, sd.track});
}

void MixerSection::Mute(ui::WParam state, ui::LParam c) {
    if (!IsChannel(c)) {
        return;
    }
    const SongLock lock;
    const auto i = static_cast<size_t>(c);
    sd.channelMute[i] = state != 0 ? 1 : 0;
    if (sd.soloChannel == c) {
        soloButton[i]->SetPosition(0);
        sd.soloChannel = -1;
    }
}

void MixerSection::Solo(ui::WParam state, ui::LParam c) {
    if (!IsChannel(c)) {
        return;
    }
    const SongLock lock;
    const auto i = static_cast<size_t>(c);
    if (state == 0) {
        sd.soloChannel = -1;
        return;
    }
    if (sd.soloChannel >= 0 && sd.soloChannel != c) {
        soloButton[static_cast<size_t>(sd.soloChannel & 0x0F)]->SetPosition(0);
    }
    sd.soloChannel = static_cast<int32_t>(c);
    if (sd.channelMute[i] == 1) {
        sd.channelMute[i] = 0;
        muteButton[i]->SetPosition(0);
    }
}

void MixerSection::SetMasterLevels() {
    const uint32_t volume = PortVolume();
    const unsigned left = (volume >> 8) & 0xFF;
    const unsigned right = sd.masterLock == 1 ? left : (volume >> 24) & 0xFF;
    masterFader[0]->SetPosition(left);
    masterFader[1]->SetPosition(right);
    SetPortVolume(left, right);
}

void MixerSection::MasterFader(ui::WParam value, ui::LParam side) {
    const uint32_t volume = PortVolume();
    unsigned left = (volume >> 8) & 0xFF;
    unsigned right = (volume >> 24) & 0xFF;
    const auto v = static_cast<unsigned>(std::min<ui::WParam>(value, 255));
    if (side == 0) {
        left = v;
        if (sd.masterLock == 1) {
            masterFader[1]->SetPosition(v);
            right = v;
        }
    } else {
        right = v;
        if (sd.masterLock == 1) {
            masterFader[0]->SetPosition(v);
            left = v;
        }
    }
    SetPortVolume(left, right);
}

void MixerSection::SetControl(uint32_t msg) {
    const size_t c = msg & 0x0F;
    const unsigned value = (msg >> 16) & 0xFF;
    switch ((msg >> 8) & 0xFF) {
        case kVolumeController:
            channelFader[c]->SetPosition(value);
            break;
        case kPanController:
            panPot[c]->SetPosition(value);
            break;
        case kReverbController:
            reverbPot[c]->SetPosition(value);
            break;
        case kChorusController:
            chorusPot[c]->SetPosition(value);
            break;
        default:
            break;
    }
}

void MixerSection::Reset() {
    for (size_t c = 0; c < 16; ++c) {
        channelFader[c]->SetPosition(kResetVolume);
        panPot[c]->SetPosition(kResetPan);
        chorusPot[c]->SetPosition(kResetChorus);
        reverbPot[c]->SetPosition(kResetReverb);
    }
}

void MixerSection::ShowActiveChannels() {
    std::array<int, 16> used{};
    for (size_t t = 0; t < kTracks; ++t) {
        if (sd.noteCount[t] != 0) {
            used[sd.trackChannel[t] & 0x0F] = 1;
        }
    }
    for (size_t c = 0; c < 16; ++c) {
        if (channelLed[c]->GetPosition() != used[c]) {
            channelLed[c]->SetPosition(used[c]);
        }
    }
}

void MixerSection::ShowNoteLevel(uint32_t v) {
    channelVU[v & 0x0F]->SetPosition(static_cast<int>((v >> 16) & 0xFF));
}

void MixerSection::ClearMeters() {
    for (VU* meter : channelVU) {
        meter->SetPosition(0);
    }
}

// The song reset clears every mute and the solo; the buttons follow.
void MixerSection::ShowMuteAndSolo() {
    for (size_t c = 0; c < 16; ++c) {
        muteButton[c]->SetPosition(sd.channelMute[c] != 0 ? 1 : 0);
        soloButton[c]->SetPosition(sd.soloChannel == static_cast<int32_t>(c) ? 1 : 0);
    }
}

}  // namespace tw
