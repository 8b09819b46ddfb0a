#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "platform/midi/Outputs.h"
#include "tests/support/JackCapture.h"
#include "tests/support/JackServer.h"
#include "tests/support/TempDir.h"

namespace tw::midi {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr long long kGapUs = 20300;

long long MonotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Two capture clients, zeta and alpha, on a private JACK server: their
// inputs are listed in name order after the ALSA ports, and an opened port
// delivers what it is sent, each message at its send time within the cycle
// (periods are 10.7 ms here) and never out of order, and releases on reset
// what still sounds.
TEST(JackPort, InputsAreListedInNameOrderAndAnOpenedPortDeliversInTimeAndResets) {
    if (!test::HaveJackd()) {
        GTEST_SKIP() << test::kNoJackd;
    }
    const test::TempDir dir;
    test::JackServer server(dir.path().string());
    ASSERT_TRUE(server.Running()) << "the private JACK server did not start";
    // JACK names client sockets by client name alone: names of our own.
    const std::string alpha = "tw-alpha-" + std::to_string(getpid());
    const std::string zeta = "tw-zeta-" + std::to_string(getpid());
    const test::JackCapture zetaCapture(zeta);
    const test::JackCapture alphaCapture(alpha);
    const int zetaDevice = test::WaitForDevice(zetaCapture.Port());
    const int alphaDevice = test::WaitForDevice(alphaCapture.Port());
    EXPECT_GE(alphaDevice, 0);
    EXPECT_EQ(zetaDevice, alphaDevice + 1);
    EXPECT_EQ(OutputDeviceNames(), OutputDeviceNames()) << "the order must be stable";
    EXPECT_EQ(OpenOutput(static_cast<uint32_t>(OutputDeviceNames().size())), nullptr);

    std::unique_ptr<MidiOut> port = OpenOutput(static_cast<uint32_t>(alphaDevice));
    EXPECT_NE(port, nullptr);
    uint32_t volume = 0;
    if (port != nullptr) {
        EXPECT_FALSE(port->GetVolume(volume)) << "a JACK port has no volume control";
        // Program 5 and note-on 60, then, 20.3 ms later, note-on 64 and
        // note-off 64 on channel 1; the reset, stamped earlier, still last.
        const long long start = MonotonicNs() + 30000000;
        port->SetSendTime(start);
        port->Send(0x05C1);
        port->Send(0x643C91);
        port->SetSendTime(start + kGapUs * 1000);
        port->Send(0x644091);
        port->Send(0x004081);
        port->SetSendTime(start - 5000000);
        port->Reset();
        port.reset();  // closing waits until JACK has taken every message
    }

    std::vector<Bytes> expected = {
        {0xC1, 0x05}, {0x91, 0x3C, 0x64}, {0x91, 0x40, 0x64}, {0x81, 0x40, 0}, {0x81, 0x3C, 0}};
    for (uint8_t channel = 0; channel < 16; ++channel) {
        expected.push_back({static_cast<uint8_t>(0xB0 | channel), 64, 0});
        expected.push_back({static_cast<uint8_t>(0xB0 | channel), 123, 0});
    }
    const std::vector<test::Captured> messages = alphaCapture.Messages();
    std::vector<Bytes> received;
    for (const auto& message : messages) {
        received.push_back(message.bytes);
    }
    const bool inTime = messages.size() > 2 && messages[2].usec > messages[1].usec &&
                        std::llabs(static_cast<long long>(messages[2].usec - messages[1].usec) -
                                   kGapUs) < 1000;
    if ((received != expected || !inTime) && alphaCapture.LostCycles() > 0) {
        GTEST_SKIP() << "the JACK server lost " << alphaCapture.LostCycles() << " cycles";
    }
    EXPECT_EQ(received, expected);
    EXPECT_TRUE(inTime) << "note-on 64 must follow note-on 60 by " << kGapUs << " us";
    EXPECT_TRUE(zetaCapture.Messages().empty());
}

}  // namespace
}  // namespace tw::midi
