#include "platform/midi/Synth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <iterator>
#include <mutex>
#include <span>
#include <vector>

#include "platform/midi/ShortMsg.h"
#include "platform/midi/SoundFont.h"
#include "platform/midi/SystemAudio.h"

namespace tw::midi {

namespace {

constexpr int kSustain = 64;
constexpr uint32_t kRenderChunkFrames = 4096;

// FluidSynth's failures come back as results; nothing goes to the terminal.
void SilenceFluidSynth() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
            fluid_set_log_function(level, nullptr, nullptr);
        }
    });
}

float LeftGain(uint32_t volume) {
    return static_cast<float>(volume & 0xFFFF) / 65535.0f;
}
float RightGain(uint32_t volume) {
    return static_cast<float>(volume >> 16) / 65535.0f;
}

int16_t ToSample(float value) {
    const float scaled = std::clamp(value * 32767.0f, -32768.0f, 32767.0f);
    return static_cast<int16_t>(std::lrint(scaled));
}

bool Clips(float value) {
    return value * 32767.0f > 32767.0f || value * 32767.0f < -32768.0f;
}

int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Live, a message sounds this long after it was sent, at its own moment
// within the audio buffer, however the audio driver groups its callbacks.
constexpr int64_t kLeastLatencyNs = 3000000;
// An audio clock this far off the monotonic clock (a driver that stalled or
// ran ahead) is set afresh.
constexpr int64_t kRealignNs = 30000000;

// A message waiting for its frame; a reset when `reset` is set, a system
// exclusive message (the bytes between F0 and F7) when `sysex` holds any.
struct Timed {
    int64_t ns;
    uint32_t msg;
    bool reset;
    std::vector<char> sysex;
};

void Apply(fluid_synth_t* synth, const Timed& event);

}  // namespace

struct Synth::Engine {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_audio_driver_t* driver = nullptr;
    std::string driverName;
    std::atomic<uint32_t> volume{0xFFFFFFFF};
    std::vector<float> left, right;
    float peak = 0.0f;
    uint64_t clipped = 0;

    // Live only: messages stamped when sent, taken by the audio thread.
    std::mutex pendingMutex;
    std::vector<Timed> pending;
    std::vector<Timed> scheduled;  // the audio thread's own
    std::vector<float*> parts;
    double rate = 44100;
    uint64_t framesDone = 0;
    int64_t anchorNs = 0;  // the wall-clock moment that frame 0 stands for
    int64_t latencyNs = 0;

    ~Engine() {
        if (driver != nullptr) {
            delete_fluid_audio_driver(driver);
        }
        if (synth != nullptr) {
            delete_fluid_synth(synth);
        }
        if (settings != nullptr) {
            delete_fluid_settings(settings);
        }
    }

    // Sets up settings and synth with `soundFont` loaded; a Synth result.
    int Create(const std::string& soundFont) {
        if (soundFont.empty()) {
            return kNoSoundFont;
        }
        fluid_settings_setnum(settings, "synth.gain", kDefaultGain);
        synth = new_fluid_synth(settings);
        if (synth == nullptr) {
            return kSynthUnavailable;
        }
        // Checked first: a file that is no SoundFont at all would otherwise go
        // to loaders that print on the terminal.
        const bool loaded = fluid_is_soundfont(soundFont.c_str()) != 0 &&
                            fluid_synth_sfload(synth, soundFont.c_str(), 1) != FLUID_FAILED;
        return !loaded ? kSoundFontUnreadable : kSynthOpened;
    }

    void Stamp(uint32_t msg, bool reset, std::vector<char> sysex = {}) {
        const std::lock_guard lock(pendingMutex);
        pending.push_back({NowNs(), msg, reset, std::move(sysex)});
    }

    // Frames map to wall-clock moments a fixed latency behind the callback,
    // so that each message lands at the frame of the moment it was sent.
    void Align(int len) {
        const int64_t now = NowNs();
        if (latencyNs == 0) {
            latencyNs = std::max<int64_t>(kLeastLatencyNs, static_cast<int64_t>(2e9 * len / rate));
        }
        const int64_t expected = now - latencyNs - static_cast<int64_t>(1e9 * framesDone / rate);
        if (anchorNs == 0 || std::llabs(expected - anchorNs) > kRealignNs) {
            anchorNs = expected;
        }
        const std::lock_guard lock(pendingMutex);
        scheduled.insert(scheduled.end(), std::make_move_iterator(pending.begin()),
                         std::make_move_iterator(pending.end()));
        pending.clear();
    }

    [[nodiscard]] int64_t FrameOf(const Timed& event) const {
        return static_cast<int64_t>(std::floor((event.ns - anchorNs) * rate / 1e9));
    }

    // Renders `len` frames, applying each scheduled message at its frame.
    int RenderScheduled(int len, int nout, float* out[]) {
        Align(len);
        parts.resize(static_cast<size_t>(nout));
        size_t used = 0;
        int done = 0;
        int result = FLUID_OK;
        while (true) {
            while (used < scheduled.size() &&
                   FrameOf(scheduled[used]) <= static_cast<int64_t>(framesDone)) {
                Apply(synth, scheduled[used++]);
            }
            if (done == len || result != FLUID_OK) {
                break;
            }
            int until = len;
            if (used < scheduled.size()) {
                const int64_t ahead = FrameOf(scheduled[used]) - static_cast<int64_t>(framesDone);
                until = static_cast<int>(std::min<int64_t>(len, done + ahead));
            }
            for (size_t i = 0; i < parts.size(); ++i) {
                parts[i] = out[i] + done;
            }
            result =
                fluid_synth_process(synth, until - done, nout, parts.data(), nout, parts.data());
            framesDone += static_cast<uint64_t>(until - done);
            done = until;
        }
        scheduled.erase(scheduled.begin(), scheduled.begin() + static_cast<long>(used));
        return result;
    }

    // The audio thread's callback: effects mixed into the dry output, then
    // the left and right gains.
    static int Process(void* data, int len, int, float*[], int nout, float* out[]) {
        auto* engine = static_cast<Engine*>(data);
        const int result = engine->RenderScheduled(len, nout, out);
        const uint32_t volume = engine->volume.load(std::memory_order_relaxed);
        for (int buffer = 0; buffer < nout; ++buffer) {
            const float gain = buffer % 2 == 0 ? LeftGain(volume) : RightGain(volume);
            std::for_each(out[buffer], out[buffer] + len, [gain](float& s) { s *= gain; });
        }
        return result;
    }

    bool StartAudio() {
        fluid_settings_getnum(settings, "synth.sample-rate", &rate);
        fluid_settings_setint(settings, "audio.jack.autoconnect", 1);
        fluid_settings_setstr(settings, "audio.jack.id", "Tunewell");
        for (const char* name : {"pipewire", "pulseaudio", "jack", "alsa"}) {
            if (std::string(name) == "jack" && !JackServerRunning()) {
                continue;  // the JACK client would otherwise start a server of its own
            }
            fluid_settings_setstr(settings, "audio.driver", name);
            driver = new_fluid_audio_driver2(settings, Process, this);
            if (driver != nullptr) {
                driverName = name;
                return true;
            }
        }
        return false;
    }
};

namespace {

void Apply(fluid_synth_t* synth, const Timed& event) {
    if (!event.sysex.empty()) {
        fluid_synth_sysex(synth, event.sysex.data(), static_cast<int>(event.sysex.size()), nullptr,
                          nullptr, nullptr, 0);
        return;
    }
    if (event.reset) {
        for (int channel = 0; channel < 16; ++channel) {
            fluid_synth_cc(synth, channel, kSustain, 0);
        }
        fluid_synth_all_notes_off(synth, -1);
        return;
    }
    const uint32_t msg = event.msg;
    const int channel = MsgChannel(msg);
    const int data1 = MsgData1(msg) & 0x7F;
    const int data2 = MsgData2(msg) & 0x7F;
    switch (MsgStatus(msg) & 0xF0) {
        case 0x80:
            fluid_synth_noteoff(synth, channel, data1);
            break;
        case 0x90:
            fluid_synth_noteon(synth, channel, data1, data2);
            break;
        case 0xA0:
            fluid_synth_key_pressure(synth, channel, data1, data2);
            break;
        case 0xB0:
            fluid_synth_cc(synth, channel, data1, data2);
            break;
        case 0xC0:
            fluid_synth_program_change(synth, channel, data1);
            break;
        case 0xD0:
            fluid_synth_channel_pressure(synth, channel, data1);
            break;
        case 0xE0:
            fluid_synth_pitch_bend(synth, channel, data1 | (data2 << 7));
            break;
        default:
            break;  // system messages mean nothing to the synthesizer
    }
}

// A synthesizer engine with its settings, or null with the result set.
std::unique_ptr<Synth::Engine> NewEngine(int& result) {
    SilenceFluidSynth();
    auto engine = std::make_unique<Synth::Engine>();
    engine->settings = new_fluid_settings();
    if (engine->settings == nullptr) {
        result = kSynthUnavailable;
        return nullptr;
    }
    return engine;
}

}  // namespace

std::unique_ptr<Synth> Synth::OpenLive(int& result) {
    SilenceSystemAudio();
    auto engine = NewEngine(result);
    if (engine == nullptr) {
        return nullptr;
    }
    result = engine->Create(FindSoundFont());
    if (result != kSynthOpened) {
        return nullptr;
    }
    if (!engine->StartAudio()) {
        result = kNoAudioOutput;
        return nullptr;
    }
    return std::make_unique<Synth>(std::move(engine));
}

std::unique_ptr<Synth> Synth::OpenOffline(uint32_t sampleRateHz, const std::string& soundFont,
                                          int& result) {
    auto engine = NewEngine(result);
    if (engine == nullptr) {
        return nullptr;
    }
    if (fluid_settings_setnum(engine->settings, "synth.sample-rate", sampleRateHz) ==
        FLUID_FAILED) {
        result = kBadSampleRate;
        return nullptr;
    }
    fluid_settings_setint(engine->settings, "synth.cpu-cores", 1);
    result = engine->Create(soundFont);
    if (result != kSynthOpened) {
        return nullptr;
    }
    return std::make_unique<Synth>(std::move(engine));
}

Synth::Synth(std::unique_ptr<Engine> engine) : engine_(std::move(engine)) {}

Synth::~Synth() = default;

void Synth::Send(uint32_t msg) {
    if (engine_->driver != nullptr) {
        engine_->Stamp(msg, false);
    } else {
        Apply(engine_->synth, {0, msg, false, {}});
    }
}

// The synthesizer takes the bytes between F0 and F7; live, they wait for
// their moment behind the messages sent before them.
void Synth::SendSysEx(std::span<const uint8_t> message) {
    if (message.size() < 3 || message.front() != 0xF0 || message.back() != 0xF7) {
        return;
    }
    const auto* data = reinterpret_cast<const char*>(message.data() + 1);
    std::vector<char> bytes(data, data + message.size() - 2);
    if (engine_->driver != nullptr) {
        engine_->Stamp(0, false, std::move(bytes));
    } else {
        Apply(engine_->synth, {0, 0, false, std::move(bytes)});
    }
}

void Synth::Reset() {
    if (engine_->driver != nullptr) {
        engine_->Stamp(0, true);
    } else {
        Apply(engine_->synth, {0, 0, true, {}});
    }
}

bool Synth::GetVolume(uint32_t& volume) {
    volume = engine_->volume.load();
    return true;
}

bool Synth::SetVolume(uint32_t volume) {
    engine_->volume.store(volume);
    return true;
}

void Synth::Render(uint32_t frames, int16_t* interleaved) {
    const uint32_t volume = engine_->volume.load();
    const float leftGain = LeftGain(volume);
    const float rightGain = RightGain(volume);
    while (frames > 0) {
        const uint32_t chunk = std::min(frames, kRenderChunkFrames);
        engine_->left.assign(chunk, 0.0f);
        engine_->right.assign(chunk, 0.0f);
        fluid_synth_write_float(engine_->synth, static_cast<int>(chunk), engine_->left.data(), 0, 1,
                                engine_->right.data(), 0, 1);
        for (uint32_t i = 0; i < chunk; ++i) {
            for (const float value : {engine_->left[i] * leftGain, engine_->right[i] * rightGain}) {
                engine_->peak = std::max(engine_->peak, std::fabs(value));
                engine_->clipped += Clips(value) ? 1 : 0;
                *interleaved++ = ToSample(value);
            }
        }
        frames -= chunk;
    }
}

void Synth::SetGain(float gain) {
    fluid_synth_set_gain(engine_->synth, std::clamp(gain, 0.0f, kMaxGain));
}

float Synth::Peak() const {
    return engine_->peak;
}

uint64_t Synth::ClippedSamples() const {
    return engine_->clipped;
}

const std::string& Synth::Driver() const {
    return engine_->driverName;
}

}  // namespace tw::midi
