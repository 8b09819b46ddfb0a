#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "playback/Config.h"
#include "tests/smf/SmfFiles.h"

namespace tw {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

class ConfigFile : public ::testing::Test {
protected:
    void SetUp() override {
        ConfigFileName = dir / "tw.cfg";
        SetPortDefaults();
    }
    static uint32_t DeviceAt8(const Bytes& bytes) {
        return bytes[8] | (bytes[9] << 8) | (bytes[10] << 16) | (uint32_t{bytes[11]} << 24);
    }

    test::TempDir dir;
};

TEST_F(ConfigFile, AMissingFileOrOneOfAnotherLengthIsReplacedByTheDefaultRecordOf267Bytes) {
    for (int size : {-1, 266, 268, 0}) {
        if (size >= 0) {
            dir.Write("tw.cfg", Bytes(static_cast<std::size_t>(size), 0x07));
        }
        LoadConfig();
        EXPECT_EQ(md.portDevice, 1000u);
        const Bytes bytes = test::ReadFile(ConfigFileName);
        ASSERT_EQ(bytes.size(), 267u) << "size " << size;
        EXPECT_EQ(DeviceAt8(bytes), 1000u);
        EXPECT_STREQ(reinterpret_cast<const char*>(bytes.data() + 12), "Midi Mapper");
        EXPECT_EQ(fs::status(ConfigFileName).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write);
    }
}

// A named pipe would hold the start up for good were it opened for reading.
TEST_F(ConfigFile, ATwCfgThatIsNotAFileCountsAsMissingAndStaysAsItIs) {
    ASSERT_EQ(mkfifo(ConfigFileName.c_str(), 0600), 0);
    md.portDevice = 3;
    mididata record = md;
    EXPECT_FALSE(ReadConfig(ConfigFileName, record));
    LoadConfig();
    EXPECT_TRUE(md.portDevice == 3 && fs::is_fifo(ConfigFileName));
    fs::remove(ConfigFileName);
    fs::create_directory(ConfigFileName);
    LoadConfig();
    EXPECT_EQ(std::tuple(md.portDevice, dir.Names()),
              std::tuple(3u, std::vector<std::string>{"tw.cfg"}));
}

TEST_F(ConfigFile, AStoredChoiceIsReadBackByteForByteAtPathsOfAnyLength) {
    fs::path deep = dir.path();
    for (int i = 0; i < 8; ++i) {
        deep /= std::string(40, static_cast<char>('a' + i));
    }
    fs::create_directories(deep);
    ConfigFileName = (deep / "tw.cfg").string();
    md.portOpen = 1;
    md.portDevice = 2;
    std::strcpy(md.portName, "tw-capture:alpha");
    SaveConfig();
    SetPortDefaults();
    LoadConfig();
    EXPECT_EQ(
        std::tuple(md.portDevice, std::string(md.portName), test::ReadFile(ConfigFileName).size()),
        std::tuple(2u, std::string("tw-capture:alpha"), 267u));
    EXPECT_EQ(md.portOpen, 1u) << "read as stored; the open at start decides what counts";
}

TEST_F(ConfigFile, ANameWithoutItsTerminatingNulIsCutTo254Characters) {
    Bytes bytes(267, 'A');
    bytes[8] = 5;
    bytes[9] = bytes[10] = bytes[11] = 0;
    dir.Write("tw.cfg", bytes);
    LoadConfig();
    EXPECT_EQ(std::tuple(md.portDevice, std::strlen(md.portName)), std::tuple(5u, 254u));
}

TEST_F(ConfigFile, AFailedWriteKeepsTheStoredFileAndLeavesNoSideFile) {
    SaveConfig();
    const Bytes stored = test::ReadFile(ConfigFileName);
    md.portDevice = 3;
    {
        const test::FailingDisk failing(test::FailingDisk::Call::Write);
        SaveConfig();
    }
    EXPECT_EQ(test::ReadFile(ConfigFileName), stored);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"tw.cfg"});
}

TEST_F(ConfigFile, AnUnwritableDirectoryIsSilentAndTheRecordStands) {
    // Root ignores directory permissions; /proc refuses new files to anyone.
    if (geteuid() == 0) {
        ConfigFileName = "/proc/tw.cfg";
    } else {
        fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    }
    md.portDevice = 4;
    ::testing::internal::CaptureStderr();
    LoadConfig();
    SaveConfig();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(md.portDevice == 4 && !fs::exists(ConfigFileName));
    fs::permissions(dir.path(), fs::perms::owner_all);
}

}  // namespace
}  // namespace tw
