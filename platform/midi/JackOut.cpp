#include "platform/midi/JackOut.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <time.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/midi/MessageRing.h"
#include "platform/midi/ShortMsg.h"
#include "platform/midi/SystemAudio.h"

namespace tw::midi {

namespace {

constexpr const char* kClientName = "Tunewell";
constexpr const char* kPortName = "Tunewell Out";
constexpr std::size_t kRingBytes = 1 << 20;
constexpr uint64_t kSenderSlackUs = 1000;
constexpr auto kCloseWait = std::chrono::seconds(1);

// What precedes each message in the ring.
struct Header {
    uint64_t dueUs;  // JACK's clock
    uint32_t size;
};

uint64_t MonotonicUs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000000 + static_cast<uint64_t>(now.tv_nsec) / 1000;
}

}  // namespace

struct JackOut::Client {
    jack_client_t* client = nullptr;
    jack_port_t* port = nullptr;
    MessageRing ring{kRingBytes};
    uint64_t rate = 48000;
    uint64_t latencyUs = 0;
    std::atomic<uint64_t> cycles{0};
    std::atomic<bool> shutDown{false};

    ~Client() {
        if (client != nullptr) {
            jack_client_close(client);
        }
    }

    // The process cycle: every message due before the cycle's end, at its
    // frame, in the order sent; a late one at the cycle's first frame. The
    // cycle's start is the clock read as it runs: with the dummy driver the
    // server's own estimate of cycle times is off by milliseconds.
    int Process(jack_nframes_t frames) {
        void* buffer = jack_port_get_buffer(port, frames);
        jack_midi_clear_buffer(buffer);
        const jack_time_t now = jack_get_time();
        jack_nframes_t last = 0;
        Header header{};
        const std::span<uint8_t> headerBytes(reinterpret_cast<uint8_t*>(&header), sizeof header);
        while (ring.Readable() >= sizeof header) {
            ring.Peek(headerBytes);
            const uint64_t offset = header.dueUs > now ? (header.dueUs - now) * rate / 1000000 : 0;
            if (offset >= frames) {
                break;
            }
            const auto frame = std::max(static_cast<jack_nframes_t>(offset), last);
            jack_midi_data_t* data = jack_midi_event_reserve(buffer, frame, header.size);
            // A full cycle leaves the rest for the next; a message larger
            // than any cycle holds is dropped.
            if (data == nullptr && jack_midi_get_event_count(buffer) > 0) {
                break;
            }
            ring.Skip(sizeof header);
            if (data == nullptr) {
                ring.Skip(header.size);
                continue;
            }
            ring.Take(std::span(data, header.size));
            last = frame;
        }
        cycles.fetch_add(1, std::memory_order_release);
        return 0;
    }

    bool Start(const std::string& target) {
        port = jack_port_register(client, kPortName, JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
        if (port == nullptr) {
            return false;
        }
        rate = jack_get_sample_rate(client);
        latencyUs = 1000000 * jack_get_buffer_size(client) / rate + kSenderSlackUs;
        jack_set_process_callback(
            client,
            [](jack_nframes_t n, void* self) { return static_cast<Client*>(self)->Process(n); },
            this);
        jack_on_shutdown(
            client, [](void* self) { static_cast<Client*>(self)->shutDown = true; }, this);
        return jack_activate(client) == 0 &&
               jack_connect(client, jack_port_name(port), target.c_str()) == 0;
    }

    // Waits, a second at most, until the cycles have taken everything queued
    // and one more has ended since.
    void Drain() const {
        const auto until = std::chrono::steady_clock::now() + kCloseWait;
        const auto waiting = [&] { return !shutDown && std::chrono::steady_clock::now() < until; };
        while (waiting() && ring.Readable() > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        const uint64_t seen = cycles.load(std::memory_order_acquire);
        while (waiting() && cycles.load(std::memory_order_acquire) < seen + 2) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
};

std::unique_ptr<MidiOut> JackOut::Open(const std::string& target) {
    SilenceSystemAudio();
    auto client = std::make_unique<Client>();
    client->client = jack_client_open(kClientName, JackNoStartServer, nullptr);
    if (client->client == nullptr || !client->Start(target)) {
        return nullptr;
    }
    (void)AwaitJackConnection(target);
    return std::make_unique<JackOut>(std::move(client));
}

JackOut::JackOut(std::unique_ptr<Client> client) : client_(std::move(client)) {}

JackOut::~JackOut() {
    client_->Drain();
}

void JackOut::SetSendTime(long long monotonicNs) {
    if (monotonicNs == 0) {
        sendTimeUs_ = 0;
        return;
    }
    // JACK keeps its own clock, which drifts from the monotonic one.
    const int64_t jackAhead = static_cast<int64_t>(jack_get_time() - MonotonicUs());
    sendTimeUs_ = static_cast<uint64_t>(monotonicNs / 1000 + jackAhead);
}

void JackOut::Send(uint32_t msg) {
    keys_.Track(msg);
    Write(msg);
}

void JackOut::SendSysEx(std::span<const uint8_t> message) {
    Queue(message);
}

void JackOut::Reset() {
    keys_.ReleaseAll([this](uint32_t msg) { Write(msg); });
}

void JackOut::Write(uint32_t msg) {
    const std::size_t length = ShortMsgLength(msg);
    if (length == 0) {
        return;
    }
    const std::array<uint8_t, 3> bytes = ShortMsgBytes(msg);
    Queue(std::span(bytes.data(), length));
}

// Messages leave in the order sent, so a due time never goes back. A ring
// that a stopped server no longer empties drops what does not fit.
void JackOut::Queue(std::span<const uint8_t> bytes) {
    const uint64_t sent = sendTimeUs_ != 0 ? sendTimeUs_ : jack_get_time();
    lastDueUs_ = std::max(sent + client_->latencyUs, lastDueUs_);
    const Header header{lastDueUs_, static_cast<uint32_t>(bytes.size())};
    record_.resize(sizeof header + bytes.size());
    std::memcpy(record_.data(), &header, sizeof header);
    std::memcpy(record_.data() + sizeof header, bytes.data(), bytes.size());
    (void)client_->ring.Write(record_);
}

}  // namespace tw::midi
