#include <gtest/gtest.h>

#include <cstring>

#include "cli/CliRunner.h"
#include "playback/Config.h"
#include "smf/SmfFiles.h"
#include "tests/support/JackServer.h"

namespace tw::test {
namespace {

class PortsCommand : public ::testing::Test {
protected:
    CliResult Ports() { return RunCli({"ports"}, dir.path().string(), {dir.path().string()}); }

    void WriteConfig(uint32_t device, const std::string& name) {
        mididata record{};
        record.portDevice = device;
        std::strncpy(record.portName, name.c_str(), sizeof record.portName - 1);
        unsigned char bytes[kConfigSize];
        ConfigBytes(record, bytes);
        dir.Write("tw.cfg", Bytes(bytes, bytes + kConfigSize));
    }

    TempDir dir;
};

TEST_F(PortsCommand, WithoutDevicesTheMapperIsListedAndTwCfgIsReadButNeverWritten) {
    setenv("JACK_DEFAULT_SERVER", "tunewell-test-no-such-server", 1);
    const bool noDevices = midi::OutputDeviceNames().empty();
    const CliResult run = Ports();
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "") << "no ALSA or JACK prints nothing";
    if (noDevices) {
        EXPECT_EQ(run.out,
                  "1000: Midi Mapper\nNo tw.cfg here; the default selects 1000: Midi Mapper\n");
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "tw.cfg"));

    std::ofstream(dir / "tw.cfg") << "short";
    EXPECT_NE(Ports().out.find("tw.cfg is not a port record of 267 bytes"), std::string::npos);
    EXPECT_EQ(ReadText(dir / "tw.cfg"), "short");

    WriteConfig(50, "gone:port");
    EXPECT_NE(Ports().out.find("tw.cfg selects device 50, \"gone:port\", which does not exist now"),
              std::string::npos);
    unsetenv("JACK_DEFAULT_SERVER");
}

TEST_F(PortsCommand, ListsJackInputsByNumberAndTheEntryThatTwCfgSelects) {
    if (!HaveJackd()) {
        GTEST_SKIP() << kNoJackd;
    }
    const JackServer server(dir.path().string());
    ASSERT_TRUE(server.Running());
    const std::string client = "tw-ports-" + std::to_string(getpid());
    const pid_t dump = StartCapture(client, dir / "dump.txt");
    const int device = WaitForDevice(client + ":input");
    const std::vector<std::string> names = midi::OutputDeviceNames();
    if (device < 0) {
        Stop(dump);
        FAIL() << "jack_midi_dump's port did not appear";
    }
    WriteConfig(static_cast<uint32_t>(device), names[static_cast<std::size_t>(device)]);
    const std::string before = ReadText(dir / "tw.cfg");

    const CliResult run = Ports();
    Stop(dump);
    EXPECT_EQ(run.status, 0);
    std::string expected;
    for (std::size_t i = 0; i < names.size(); ++i) {
        expected += std::to_string(i) + ": " + names[i] + "\n";
    }
    expected += "1000: Midi Mapper\ntw.cfg selects " + std::to_string(device) + ": " +
                names[static_cast<std::size_t>(device)] + "\n";
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(ReadText(dir / "tw.cfg"), before) << "ports never writes tw.cfg";
}

}  // namespace
}  // namespace tw::test
