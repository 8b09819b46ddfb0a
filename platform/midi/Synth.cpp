#include "platform/midi/Synth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
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

    // The audio thread's callback: effects mixed into the dry output, then
    // the left and right gains.
    static int Process(void* data, int len, int, float*[], int nout, float* out[]) {
        auto* engine = static_cast<Engine*>(data);
        const int result = fluid_synth_process(engine->synth, len, nout, out, nout, out);
        const uint32_t volume = engine->volume.load(std::memory_order_relaxed);
        for (int buffer = 0; buffer < nout; ++buffer) {
            const float gain = buffer % 2 == 0 ? LeftGain(volume) : RightGain(volume);
            std::for_each(out[buffer], out[buffer] + len, [gain](float& s) { s *= gain; });
        }
        return result;
    }

    bool StartAudio() {
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
    fluid_synth_t* synth = engine_->synth;
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

// The synthesizer takes the bytes between F0 and F7.
void Synth::SendSysEx(std::span<const uint8_t> message) {
    if (message.size() < 2 || message.front() != 0xF0 || message.back() != 0xF7) {
        return;
    }
    const auto* data = reinterpret_cast<const char*>(message.data() + 1);
    fluid_synth_sysex(engine_->synth, data, static_cast<int>(message.size() - 2), nullptr, nullptr,
                      nullptr, 0);
}

void Synth::Reset() {
    for (int channel = 0; channel < 16; ++channel) {
        fluid_synth_cc(engine_->synth, channel, kSustain, 0);
    }
    fluid_synth_all_notes_off(engine_->synth, -1);
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
