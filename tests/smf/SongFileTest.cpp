#include "smf/SongFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <tuple>

#include "smf/FileErrors.h"
#include "smf/SmfFiles.h"

namespace tw {
namespace {

using test::Bytes;
using test::Track;

class SongFiles : public test::SmfFixture {
protected:
    int Open(const std::string& path) { return OpenSongFile(path.c_str(), reporter, progress); }
    int SaveTo(const std::string& path) {
        std::strcpy(sd.saveName, path.c_str());
        return SaveFile(reporter, progress);
    }

    test::TempDir dir;
};

TEST_F(SongFiles, OpenResetsTheSongAndSetsBarLengthAndBarsPerPage) {
    ASSERT_EQ(UpdateTempoData(reporter, {100, 3.0f}), kStored);
    const std::string path = dir.Write(
        "waltz.mid", test::File(96, {Track().Event(0, {0xFF, 0x58, 4, 3, 2, 24, 8}).End()}));
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);  // a read-only file opens like any other
    ASSERT_EQ(Open(path), kLoadOk);
    EXPECT_STREQ(sd.fileName, path.c_str());
    EXPECT_EQ(std::tuple(sd.tempoTotal, sd.barTicks, sd.staffBars), std::tuple(1u, 288u, 3u));
}

TEST_F(SongFiles, WhatCannotBeReadAsAFileIsRefusedWithCode1) {
    std::strcpy(sd.fileName, "before.mid");
    EXPECT_EQ(Open("/" + std::string(254, 'a')), kLoadCannotOpen);
    EXPECT_STREQ(sd.fileName, "before.mid");  // a path that does not fit changes nothing
    EXPECT_EQ(OpenSongFile(nullptr, reporter, progress), kLoadCannotOpen);
    for (const std::string& path :
         {dir / "missing.mid", dir.path().string(), std::string("/dev/zero"), std::string()}) {
        EXPECT_EQ(Open(path), kLoadCannotOpen) << path;
    }
}

// Opening a named pipe for reading would wait for a writer for good.
TEST_F(SongFiles, SpecialFilesAreRefusedWithoutWaitingAndTheCauseNamesThem) {
    const std::string pipe = dir / "pipe.mid";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::pair<std::string, const char*> cases[] = {
        {pipe, "a named pipe, not a song file"},
        {dir.path().string(), "a directory, not a song file"},
        {"/dev/null", "a device, not a song file"}};
    for (const auto& [path, cause] : cases) {
        EXPECT_EQ(Open(path), kLoadCannotOpen) << path;
        EXPECT_EQ(LoadErrorCause(path.c_str(), kLoadCannotOpen),
                  std::string("cannot open the file: ") + cause);
    }
    EXPECT_EQ(SaveTo(pipe), kSaveCannotCreate);
    EXPECT_EQ(SaveErrorCause(pipe.c_str(), kSaveCannotCreate),
              "cannot create the file: a named pipe of that name is in the way");
    EXPECT_TRUE(std::filesystem::is_fifo(pipe)) << "a save never replaces what is not a file";
}

TEST_F(SongFiles, AFileLargerThanTheBoundIsRefusedBeforeItIsRead) {
    const std::string path = dir / "huge.mid";
    ASSERT_EQ(truncate(dir.Write("huge.mid", {}).c_str(), kMaxSongFileBytes + 1), 0);
    EXPECT_EQ(Open(path), kLoadCannotOpen);
    EXPECT_EQ(LoadErrorCause(path.c_str(), kLoadCannotOpen),
              "cannot open the file: larger than 64 MiB, far more than a song the tables can hold");
}

// A save killed between the temporary file's creation and its rename leaves
// that file behind; the next save into the folder removes it, but never the
// temporary file of a process that still runs.
TEST_F(SongFiles, TheNextSaveRemovesTheTemporaryFileOfAKilledSave) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AtomicFile killed;
        (void)killed.Create((dir / "song.mid").c_str());
        raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(dir.Names().size(), 1u);
    AtomicFile running;
    ASSERT_TRUE(running.Create((dir / "other.mid").c_str()));
    ASSERT_EQ(SaveTo(dir / "song.mid"), kSaveOk);
    const std::string runningName = std::filesystem::path(running.TemporaryPath()).filename();
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{runningName, "song.mid"}));
}

TEST_F(SongFiles, SaveReplacesTheFileWholeAndAFailedSaveLeavesItExactlyAsItWas) {
    const std::string path = dir.Write("song.mid", Bytes(5000, 0xAA));
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_EQ(SaveTo(path), kSaveOk);
    const Bytes saved = Save();
    EXPECT_EQ(test::ReadFile(path), saved);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    ASSERT_TRUE(Crowd(997));
    EXPECT_EQ(SaveTo(path), kSaveTrackFailed);
    EXPECT_EQ(test::ReadFile(path), saved);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"song.mid"});
}

TEST_F(SongFiles, AFailedWriteOrFlushIsNeverRenamedOverTheFile) {
    const std::string path = dir.Write("song.mid", Bytes(10, 0xAA));
    for (const auto call : {test::FailingDisk::Call::Write, test::FailingDisk::Call::Flush}) {
        const test::FailingDisk failing(call);
        EXPECT_EQ(SaveTo(path), kSaveAppendFailed);
        EXPECT_EQ(test::ReadFile(path), Bytes(10, 0xAA));
        EXPECT_EQ(dir.Names(), std::vector<std::string>{"song.mid"});
    }
}

TEST_F(SongFiles, SaveWhereNoFileCanBeCreatedFailsWithCode1) {
    std::filesystem::create_directory(dir / "folder");
    for (const std::string& path : {dir / "no/such/dir/out.mid", dir / "folder", std::string()}) {
        EXPECT_EQ(SaveTo(path), kSaveCannotCreate) << path;
    }
    std::memset(sd.saveName, 'a', kPathSize);  // no room left for the end of the text
    EXPECT_EQ(SaveFile(reporter, progress), kSaveCannotCreate);
    EXPECT_TRUE(progress.captions.empty());
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"folder"});
}

}  // namespace
}  // namespace tw
