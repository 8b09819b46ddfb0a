#include <gtest/gtest.h>

#include "platform/midi/Outputs.h"
#include "tests/support/JackCapture.h"
#include "tests/support/JackServer.h"
#include "tests/support/TempDir.h"

namespace tw::midi {
namespace {

using Bytes = std::vector<uint8_t>;

// Two capture clients, zeta and alpha, on a private JACK server: their
// inputs are listed in name order after the ALSA ports, and an opened port
// delivers what it is sent and releases on reset what still sounds.
TEST(JackPort, InputsAreListedInNameOrderAndAnOpenedPortDeliversAndResets) {
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
        for (uint32_t msg : {0x05C1, 0x643C91, 0x644091, 0x004081}) {
            port->Send(msg);  // program 5, note-ons 60 and 64, note-off 64 on channel 1
        }
        port->Reset();
        port.reset();  // closing waits until JACK has taken every message
    }

    std::vector<Bytes> expected = {
        {0xC1, 0x05}, {0x91, 0x3C, 0x64}, {0x91, 0x40, 0x64}, {0x81, 0x40, 0}, {0x81, 0x3C, 0}};
    for (uint8_t channel = 0; channel < 16; ++channel) {
        expected.push_back({static_cast<uint8_t>(0xB0 | channel), 64, 0});
        expected.push_back({static_cast<uint8_t>(0xB0 | channel), 123, 0});
    }
    std::vector<Bytes> received;
    for (const auto& message : alphaCapture.Messages()) {
        received.push_back(message.bytes);
    }
    if (received != expected && alphaCapture.LostCycles() > 0) {
        GTEST_SKIP() << "the JACK server lost " << alphaCapture.LostCycles() << " cycles";
    }
    EXPECT_EQ(received, expected);
    EXPECT_TRUE(zetaCapture.Messages().empty());
}

}  // namespace
}  // namespace tw::midi
