#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/midi/Outputs.h"
#include "platform/midi/SystemAudio.h"
#include "tests/platform/midi/JackCapture.h"
#include "tests/support/JackServer.h"

namespace tw::midi {
namespace {

using Bytes = std::vector<unsigned char>;

std::filesystem::path LogDir() {
    const auto dir =
        std::filesystem::temp_directory_path() / ("tw-jackport-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

class JackPort : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::HaveProgram("jackd")) {
            GTEST_SKIP() << "jackd is not installed (Debian package jackd2); JACK tests skipped";
        }
        server = std::make_unique<test::JackServer>(LogDir().string());
        ASSERT_TRUE(server->Running()) << "the private JACK server did not start";
        capture = std::make_unique<test::JackCapture>("tw-capture",
                                                      std::vector<std::string>{"zeta", "alpha"});
        ASSERT_TRUE(capture->Ok());
    }
    void TearDown() override {
        capture.reset();
        server.reset();
        if (!HasFailure()) {
            std::filesystem::remove_all(LogDir());
        }
    }

    // The device number of a port, or -1.
    static int DeviceOf(const std::string& name) {
        const std::vector<std::string> names = OutputDeviceNames();
        const auto found = std::find(names.begin(), names.end(), name);
        return found == names.end() ? -1 : static_cast<int>(found - names.begin());
    }

    std::vector<Bytes> ReceivedOn(const std::string& port) {
        std::vector<Bytes> received;
        for (const auto& event : capture->Events()) {
            if (event.port == port) {
                received.push_back(event.bytes);
            }
        }
        return received;
    }

    std::unique_ptr<test::JackServer> server;
    std::unique_ptr<test::JackCapture> capture;
};

TEST(MidiDevices, WithoutAlsaOrJackThereAreNoDevicesAndNothingIsPrinted) {
    setenv("JACK_DEFAULT_SERVER", "tunewell-test-no-such-server", 1);
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    const std::vector<std::string> names = OutputDeviceNames();
    const bool alsa = AlsaSequencerAvailable();
    const bool opened = OpenOutput(0) != nullptr;
    const std::string out = ::testing::internal::GetCapturedStdout();
    const std::string err = ::testing::internal::GetCapturedStderr();
    unsetenv("JACK_DEFAULT_SERVER");
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "");
    if (!alsa) {
        EXPECT_TRUE(names.empty());
        EXPECT_FALSE(opened);
    }
}

TEST_F(JackPort, JackMidiInputsFollowAlsaPortsInNameOrder) {
    const int alpha = DeviceOf("tw-capture:alpha");
    const int zeta = DeviceOf("tw-capture:zeta");
    ASSERT_GE(alpha, 0);
    EXPECT_EQ(zeta, alpha + 1);
    EXPECT_EQ(OutputDeviceNames(), OutputDeviceNames()) << "the order must be stable";
}

TEST_F(JackPort, AnOpenedPortDeliversMessagesAndResetReleasesWhatStillSounds) {
    const int alpha = DeviceOf("tw-capture:alpha");
    ASSERT_GE(alpha, 0);
    std::unique_ptr<MidiOut> port = OpenOutput(static_cast<uint32_t>(alpha));
    ASSERT_NE(port, nullptr);
    uint32_t volume = 0;
    EXPECT_FALSE(port->GetVolume(volume)) << "a JACK port has no volume control";
    port->Send(0x05C1);    // program 5, channel 1
    port->Send(0x643C91);  // note-on 60
    port->Send(0x644091);  // note-on 64
    port->Send(0x004081);  // note-off 64
    port->Reset();
    port.reset();  // closing waits until JACK has taken every message
    std::this_thread::sleep_for(std::chrono::milliseconds(100));

    std::vector<Bytes> expected = {{0xC1, 0x05},
                                   {0x91, 0x3C, 0x64},
                                   {0x91, 0x40, 0x64},
                                   {0x81, 0x40, 0x00},
                                   {0x81, 0x3C, 0x00}};
    for (unsigned char channel = 0; channel < 16; ++channel) {
        expected.push_back({static_cast<unsigned char>(0xB0 | channel), 64, 0});
        expected.push_back({static_cast<unsigned char>(0xB0 | channel), 123, 0});
    }
    EXPECT_EQ(ReceivedOn("alpha"), expected);
    EXPECT_TRUE(ReceivedOn("zeta").empty());
}

TEST_F(JackPort, ADeviceNumberBeyondTheListOpensNothing) {
    const auto count = static_cast<uint32_t>(OutputDeviceNames().size());
    EXPECT_EQ(OpenOutput(count), nullptr);
    EXPECT_EQ(OpenOutput(999), nullptr);
}

}  // namespace
}  // namespace tw::midi
