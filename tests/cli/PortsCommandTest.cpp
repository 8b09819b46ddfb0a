#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "platform/midi/Outputs.h"
#include "playback/Config.h"
#include "tests/cli/CliProcess.h"
#include "tests/support/JackServer.h"
#include "tests/support/MidiDump.h"

namespace tw::test {
namespace {

void WriteConfig(const std::filesystem::path& path, uint32_t device, const char* name) {
    mididata record{};
    record.portDevice = device;
    std::strncpy(record.portName, name, sizeof record.portName - 1);
    unsigned char bytes[kConfigSize];
    ConfigBytes(record, bytes);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes), kConfigSize);
}

class PortsCommand : public ::testing::Test {
protected:
    void SetUp() override { dir = FreshDirectory("ports"); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};

TEST_F(PortsCommand, WithoutDevicesOnlyTheMapperIsListedAndChosenWithoutWritingTwCfg) {
    setenv("JACK_DEFAULT_SERVER", "tunewell-test-no-such-server", 1);
    const std::size_t devices = midi::OutputDeviceNames().size();
    const CliRun run = RunCliIn(dir, {"ports"});
    unsetenv("JACK_DEFAULT_SERVER");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "") << "no ALSA or JACK prints nothing";
    if (devices == 0) {
        EXPECT_EQ(run.out,
                  "1000: Midi Mapper\nNo tw.cfg here; the default selects 1000: Midi Mapper\n");
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "tw.cfg"));

    std::ofstream(dir / "tw.cfg") << "short";
    EXPECT_NE(RunCliIn(dir, {"ports"}).out.find("tw.cfg is not a port record of 267 bytes"),
              std::string::npos);
    EXPECT_EQ(FileText(dir / "tw.cfg"), "short");
}

TEST_F(PortsCommand, ListsJackInputsByNumberAndTheEntryThatTwCfgSelects) {
    if (!HaveProgram("jackd") || !HaveProgram("jack_midi_dump")) {
        GTEST_SKIP() << "jackd is not installed (Debian package jackd2)";
    }
    const JackServer server(dir.string());
    ASSERT_TRUE(server.Running());
    const pid_t dump = Spawn(MidiDumpCommand("tw-ports-" + std::to_string(getpid()), false),
                             (dir / "dump.txt").string());
    std::vector<std::string> names;
    for (int i = 0; i < 100 && names.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        names = midi::OutputDeviceNames();
    }
    ASSERT_FALSE(names.empty());
    const auto device = static_cast<uint32_t>(names.size() - 1);
    WriteConfig(dir / "tw.cfg", device, names.back().c_str());
    const std::string before = FileText(dir / "tw.cfg");

    const CliRun run = RunCliIn(dir, {"ports"});
    Stop(dump);
    EXPECT_EQ(run.status, 0);
    std::string expected;
    for (std::size_t i = 0; i < names.size(); ++i) {
        expected += std::to_string(i) + ": " + names[i] + "\n";
    }
    expected += "1000: Midi Mapper\n";
    expected += "tw.cfg selects " + std::to_string(device) + ": " + names.back() + "\n";
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(FileText(dir / "tw.cfg"), before) << "ports never writes tw.cfg";
}

TEST_F(PortsCommand, AStoredDeviceThatNoLongerExistsIsNamedAsSuch) {
    setenv("JACK_DEFAULT_SERVER", "tunewell-test-no-such-server", 1);
    WriteConfig(dir / "tw.cfg", 50, "gone:port");
    const CliRun run = RunCliIn(dir, {"ports"});
    unsetenv("JACK_DEFAULT_SERVER");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("tw.cfg selects device 50, \"gone:port\", which does not exist now"),
              std::string::npos)
        << run.out;
}

}  // namespace
}  // namespace tw::test
