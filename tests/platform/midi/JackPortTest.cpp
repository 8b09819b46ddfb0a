#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/midi/Outputs.h"
#include "platform/midi/SystemAudio.h"
#include "tests/support/JackServer.h"
#include "tests/support/MidiDump.h"

namespace tw::midi {
namespace {

using Bytes = std::vector<uint8_t>;

std::string Text(const std::filesystem::path& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(MidiDevices, WithoutAlsaOrJackThereAreNoDevicesAndNothingIsPrinted) {
    setenv("JACK_DEFAULT_SERVER", "tunewell-test-no-such-server", 1);
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    const std::vector<std::string> names = OutputDeviceNames();
    const bool opened = OpenOutput(0) != nullptr;
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    if (!AlsaSequencerAvailable()) {
        EXPECT_TRUE(names.empty());
        EXPECT_FALSE(opened);
    }
}

// A private JACK server with two jack_midi_dump clients, zeta and alpha,
// whose inputs are the devices under test.
class JackPort : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::HaveProgram("jackd") || !test::HaveProgram("jack_midi_dump")) {
            GTEST_SKIP() << "jackd is not installed (Debian package jackd2); JACK tests skipped";
        }
        dir = std::filesystem::temp_directory_path() / ("tw-jackport-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        server = std::make_unique<test::JackServer>(dir.string());
        ASSERT_TRUE(server->Running()) << "the private JACK server did not start";
        for (const char* client : {"zeta", "alpha"}) {
            dumps.push_back(
                test::Spawn(test::MidiDumpCommand(Client(client), false), (dir / client).string()));
        }
        for (int i = 0; i < 100 && OutputDeviceNames().size() < 2; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    void TearDown() override {
        for (pid_t dump : dumps) {
            test::Stop(dump);
        }
        server.reset();
        if (!HasFailure()) {
            std::filesystem::remove_all(dir);
        }
    }

    // JACK names client sockets by client name alone: names of our own.
    static std::string Client(const std::string& name) {
        return "tw-" + name + "-" + std::to_string(getpid());
    }

    static int DeviceOf(const std::string& name) {
        const std::vector<std::string> names = OutputDeviceNames();
        const auto found = std::find(names.begin(), names.end(), name);
        return found == names.end() ? -1 : static_cast<int>(found - names.begin());
    }

    // What a client received, once all of them have been stopped.
    std::vector<Bytes> Received(const char* client) {
        test::WaitUntilQuiet(dir / client);
        for (pid_t& dump : dumps) {
            test::Stop(dump);
            dump = -1;
        }
        std::vector<Bytes> received;
        for (const auto& message : test::ParseMidiDump(Text(dir / client))) {
            received.push_back(message.bytes);
        }
        return received;
    }

    std::filesystem::path dir;
    std::unique_ptr<test::JackServer> server;
    std::vector<pid_t> dumps;
};

TEST_F(JackPort, JackMidiInputsFollowAlsaPortsInNameOrder) {
    const int alpha = DeviceOf(Client("alpha") + ":input");
    ASSERT_GE(alpha, 0);
    EXPECT_EQ(DeviceOf(Client("zeta") + ":input"), alpha + 1);
    EXPECT_EQ(OutputDeviceNames(), OutputDeviceNames()) << "the order must be stable";
    EXPECT_EQ(OpenOutput(static_cast<uint32_t>(OutputDeviceNames().size())), nullptr);
}

TEST_F(JackPort, AnOpenedPortDeliversMessagesAndResetReleasesWhatStillSounds) {
    const int alpha = DeviceOf(Client("alpha") + ":input");
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

    std::vector<Bytes> expected = {{0xC1, 0x05},
                                   {0x91, 0x3C, 0x64},
                                   {0x91, 0x40, 0x64},
                                   {0x81, 0x40, 0x00},
                                   {0x81, 0x3C, 0x00}};
    for (uint8_t channel = 0; channel < 16; ++channel) {
        expected.push_back({static_cast<uint8_t>(0xB0 | channel), 64, 0});
        expected.push_back({static_cast<uint8_t>(0xB0 | channel), 123, 0});
    }
    EXPECT_EQ(Received("alpha"), expected);
    EXPECT_TRUE(Received("zeta").empty());
}

}  // namespace
}  // namespace tw::midi
