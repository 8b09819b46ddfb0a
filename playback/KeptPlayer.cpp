#include "playback/KeptPlayer.h"

#include <algorithm>

namespace tw {
namespace {

// What a chase sends per channel: the last value of each controller,
// pitch bend and channel pressure, -1 where there was none.
struct ChannelState {
    std::array<int16_t, 128> controllers;
    int32_t bend = -1;
    int16_t pressure = -1;
    ChannelState() { controllers.fill(-1); }
};

struct SysExAt {
    uint32_t time;
    uint32_t track;
    uint32_t index;
};

void Remember(std::array<ChannelState, kChannels>& state, uint32_t msg) {
    ChannelState& channel = state[MsgChannel(msg)];
    switch (MsgStatus(msg) & 0xF0) {
        case 0xB0:
            channel.controllers[MsgData1(msg) & 0x7F] = MsgData2(msg);
            break;
        case 0xE0:
            channel.bend = static_cast<int32_t>(msg >> 8) & 0xFFFF;
            break;
        case 0xD0:
            channel.pressure = MsgData1(msg);
            break;
        default:
            break;
    }
}

void SendState(midi::MidiOut& port, const std::array<ChannelState, kChannels>& state) {
    for (uint8_t c = 0; c < kChannels; ++c) {
        const ChannelState& channel = state[c];
        for (uint8_t number = 0; number < 128; ++number) {
            if (channel.controllers[number] >= 0) {
                port.Send(
                    PackMsg(0xB0 | c, number, static_cast<uint8_t>(channel.controllers[number])));
            }
        }
        if (channel.bend >= 0) {
            port.Send(PackMsg(0xE0 | c, channel.bend & 0xFF, (channel.bend >> 8) & 0xFF));
        }
        if (channel.pressure >= 0) {
            port.Send(PackMsg(0xD0 | c, static_cast<uint8_t>(channel.pressure), 0));
        }
    }
}

}  // namespace

bool ChannelSounds(uint8_t channel) {
    if (sd.channelMute[channel & 0x0F] == 1) {
        return false;
    }
    return sd.soloChannel < 0 || sd.soloChannel == channel;
}

void KeptPlayer::Chase(midi::MidiOut& port, uint32_t startTime) {
    std::array<ChannelState, kChannels> state;
    std::vector<SysExAt> sysex;
    for (uint32_t t = 0; t < kTracks; ++t) {
        const std::vector<KeptEvent>& events = kept.Track(t).events;
        uint32_t i = 0;
        for (; i < events.size() && events[i].time < startTime; ++i) {
            const uint8_t status = MsgStatus(events[i].msg);
            if (IsChannelMessage(events[i].msg)) {
                Remember(state, events[i].msg);
            } else if (status == 0xF0 || status == 0xF7) {
                sysex.push_back({events[i].time, t, i});
            }
        }
        next_[t] = i;
    }
    std::stable_sort(sysex.begin(), sysex.end(),
                     [](const SysExAt& a, const SysExAt& b) { return a.time < b.time; });
    for (const SysExAt& at : sysex) {
        SendSysEx(port, at.track, kept.Track(at.track).events[at.index]);
    }
    SendState(port, state);
}

void KeptPlayer::Play(midi::MidiOut& port, uint32_t now) {
    for (uint32_t t = 0; t < kTracks; ++t) {
        const std::vector<KeptEvent>& events = kept.Track(t).events;
        uint32_t& i = next_[t];
        for (; i < events.size() && events[i].time <= now; ++i) {
            Send(port, t, events[i]);
        }
    }
}

// A kept note-on of a muted channel is not sounded; its note-off does no harm.
void KeptPlayer::Send(midi::MidiOut& port, uint32_t track, const KeptEvent& event) {
    const uint8_t status = MsgStatus(event.msg);
    if (status == 0xF0 || status == 0xF7) {
        SendSysEx(port, track, event);
    } else if (IsChannelMessage(event.msg)) {
        if ((status & 0xF0) != 0x90 || ChannelSounds(status & 0x0F)) {
            port.Send(event.msg);
        }
    }
}

// An F0 event's data follows its F0; an F7 event carries its bytes whole.
void KeptPlayer::SendSysEx(midi::MidiOut& port, uint32_t track, const KeptEvent& event) {
    const std::span<const uint8_t> data = kept.Data(track, event);
    message_.clear();
    if (MsgStatus(event.msg) == 0xF0) {
        message_.push_back(0xF0);
    }
    message_.insert(message_.end(), data.begin(), data.end());
    port.SendSysEx(message_);
}

void KeptPlayer::Release(midi::MidiOut& port) {
    for (uint8_t c = 0; c < kChannels; ++c) {
        port.Send(PackMsg(0xE0 | c, 0x00, 0x40));
        port.Send(PackMsg(0xB0 | c, 64, 0));
    }
}

}  // namespace tw
