#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "playback/Config.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

std::vector<unsigned char> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

uint32_t U32At(const std::vector<unsigned char>& bytes, std::size_t offset) {
    return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
           (uint32_t{bytes[offset + 3]} << 24);
}

class ConfigFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tw-cfg-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        ConfigFileName = (dir / "tw.cfg").string();
        SetPortDefaults();
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }

    fs::path dir;
};

TEST_F(ConfigFile, FirstStartWritesTheDefaultRecordOf267Bytes) {
    LoadConfig();
    const std::vector<unsigned char> bytes = FileBytes(ConfigFileName);
    ASSERT_EQ(bytes.size(), 267u);
    EXPECT_EQ(U32At(bytes, 0), 0u);
    EXPECT_EQ(U32At(bytes, 8), 1000u);
    EXPECT_STREQ(reinterpret_cast<const char*>(bytes.data() + 12), "Midi Mapper");
    EXPECT_EQ(fs::status(ConfigFileName).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(ConfigFile, FilesOf266And268BytesAreReplacedByTheDefaults) {
    for (std::size_t size : {266u, 268u, 0u}) {
        WriteBytes(ConfigFileName, std::vector<unsigned char>(size, 0x07));
        LoadConfig();
        EXPECT_EQ(md.portDevice, 1000u);
        const std::vector<unsigned char> bytes = FileBytes(ConfigFileName);
        ASSERT_EQ(bytes.size(), 267u) << "size " << size;
        EXPECT_EQ(U32At(bytes, 8), 1000u);
        EXPECT_STREQ(reinterpret_cast<const char*>(bytes.data() + 12), "Midi Mapper");
    }
}

TEST_F(ConfigFile, AStoredChoiceIsReadBackByteForByte) {
    md.portOpen = 1;
    md.portHandle = 77;
    md.portDevice = 2;
    std::strcpy(md.portName, "tw-capture:alpha");
    SaveConfig();
    SetPortDefaults();
    LoadConfig();
    EXPECT_EQ(md.portDevice, 2u);
    EXPECT_STREQ(md.portName, "tw-capture:alpha");
    EXPECT_EQ(md.portOpen, 1u) << "read as stored; the open at start decides what counts";
    EXPECT_EQ(FileBytes(ConfigFileName).size(), 267u);
}

TEST_F(ConfigFile, ANameWithoutItsTerminatingNulIsCutTo254Characters) {
    std::vector<unsigned char> bytes(267, 'A');
    bytes[8] = 5;
    bytes[9] = bytes[10] = bytes[11] = 0;
    WriteBytes(ConfigFileName, bytes);
    LoadConfig();
    EXPECT_EQ(md.portDevice, 5u);
    EXPECT_EQ(std::strlen(md.portName), 254u);
}

TEST_F(ConfigFile, AnUnwritableDirectoryIsSilentAndTheRecordStands) {
    // Root ignores directory permissions; /proc refuses new files to anyone.
    if (geteuid() == 0) {
        ConfigFileName = "/proc/tw.cfg";
    } else {
        fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    }
    md.portDevice = 4;
    ::testing::internal::CaptureStderr();
    LoadConfig();
    SaveConfig();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(md.portDevice, 4u);
    EXPECT_FALSE(fs::exists(ConfigFileName));
}

TEST_F(ConfigFile, PathsLongerThan255BytesWork) {
    fs::path deep = dir;
    for (int i = 0; i < 8; ++i) {
        deep /= std::string(40, static_cast<char>('a' + i));
    }
    fs::create_directories(deep);
    ConfigFileName = (deep / "tw.cfg").string();
    ASSERT_GT(ConfigFileName.size(), 300u);
    md.portDevice = 9;
    SaveConfig();
    SetPortDefaults();
    LoadConfig();
    EXPECT_EQ(md.portDevice, 9u);
}

TEST_F(ConfigFile, ReadingForTheCommandLineNeverWrites) {
    mididata record{};
    record.portDevice = 12;
    EXPECT_FALSE(ReadConfig(ConfigFileName, record));
    EXPECT_FALSE(fs::exists(ConfigFileName));
    WriteBytes(ConfigFileName, std::vector<unsigned char>(268, 0));
    EXPECT_FALSE(ReadConfig(ConfigFileName, record));
    EXPECT_EQ(record.portDevice, 12u);
    EXPECT_EQ(FileBytes(ConfigFileName).size(), 268u);
}

TEST_F(ConfigFile, TheWorkingDirectoryAndFileNamesAreJoinedWithASlash) {
    const fs::path before = fs::current_path();
    fs::current_path(dir);
    SetWorkingPaths();
    fs::current_path(before);
    EXPECT_EQ(currentdir, fs::canonical(dir).string());
    EXPECT_EQ(ConfigFileName, currentdir + "/tw.cfg");
    EXPECT_EQ(HelpFileName, currentdir + "/twhelp.hlp");
}

}  // namespace
}  // namespace tw
