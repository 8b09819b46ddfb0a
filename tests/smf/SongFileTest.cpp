#include "smf/SongFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "smf/SmfFiles.h"
#include "smf/SmfWriter.h"
#include "song/Song.h"
#include "song/Tables.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

using test::Bytes;
using test::Track;

Bytes ThreeFourSong() {
    const Track track = Track()
                            .Event(0, {0xFF, 0x58, 4, 3, 2, 24, 8})
                            .Event(0, {0x90, 60, 100})
                            .Event(96, {0x80, 60, 0})
                            .End();
    return test::File(96, {track});
}

class SongFiles : public test::SongFixture {
protected:
    int Open(const std::string& path) { return OpenSongFile(path.c_str(), reporter, progress); }
    int SaveTo(const std::string& path) {
        std::strcpy(sd.saveName, path.c_str());
        return SaveFile(reporter, progress);
    }

    test::RecordingProgress progress;
    test::TempDir dir;
};

TEST_F(SongFiles, OpenSetsBarLengthAndBarsPerPageForTheTimeSignature) {
    test::WriteFile(dir / "waltz.mid", ThreeFourSong());
    ASSERT_EQ(Open(dir / "waltz.mid"), kLoadOk);
    EXPECT_STREQ(sd.fileName, (dir / "waltz.mid").c_str());
    EXPECT_EQ(sd.barTicks, 288u);
    EXPECT_EQ(sd.staffBars, 3u);
    EXPECT_EQ(sd.noteCount[0], 1u);
}

TEST_F(SongFiles, OpenResetsTheSongBeforeLoading) {
    ASSERT_EQ(UpdateTempoData(reporter, {100, 3.0f}), kStored);
    sd.changed = 1;
    test::WriteFile(dir / "song.mid", ThreeFourSong());
    ASSERT_EQ(Open(dir / "song.mid"), kLoadOk);
    EXPECT_EQ(sd.tempoTotal, 1u);
    EXPECT_EQ(sd.changed, 0u);
}

TEST_F(SongFiles, PathLongerThan254CharactersIsRefusedAndNothingChanges) {
    std::strcpy(sd.fileName, "before.mid");
    const std::string longPath = "/" + std::string(254, 'a');
    EXPECT_EQ(Open(longPath), kLoadCannotOpen);
    EXPECT_STREQ(sd.fileName, "before.mid");
    EXPECT_EQ(OpenSongFile(nullptr, reporter, progress), kLoadCannotOpen);
}

TEST_F(SongFiles, MissingFilesDirectoriesAndDevicesCannotBeOpened) {
    EXPECT_EQ(Open(dir / "missing.mid"), kLoadCannotOpen);
    EXPECT_EQ(Open(dir.path().string()), kLoadCannotOpen);
    EXPECT_EQ(Open("/dev/zero"), kLoadCannotOpen);
    EXPECT_EQ(Open(""), kLoadCannotOpen);
}

TEST_F(SongFiles, ReadOnlyFileOpensLikeAnyOther) {
    const std::string path = dir / "cd.mid";
    test::WriteFile(path, ThreeFourSong());
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(Open(path), kLoadOk);
}

TEST_F(SongFiles, SaveWritesTheSongsBytesAndLeavesNoTemporaryFile) {
    test::WriteFile(dir / "in.mid", ThreeFourSong());
    ASSERT_EQ(Open(dir / "in.mid"), kLoadOk);
    Bytes expected;
    ASSERT_EQ(SaveBytes(expected, reporter, progress), kSaveOk);
    ASSERT_EQ(SaveTo(dir / "out.mid"), kSaveOk);
    EXPECT_EQ(test::ReadFile(dir / "out.mid"), expected);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"in.mid", "out.mid"}));
}

TEST_F(SongFiles, SavingOverAFileReplacesItAndKeepsItsPermissions) {
    const std::string path = dir / "song.mid";
    test::WriteFile(path, Bytes(5000, 0xAA));
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_EQ(SaveTo(path), kSaveOk);
    const Bytes written = test::ReadFile(path);
    ASSERT_GE(written.size(), 4u);
    EXPECT_EQ(written.size(), 14u + 8 + 36);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(SongFiles, FailedSaveLeavesTheEarlierFileExactlyAsItWas) {
    const std::string path = dir / "song.mid";
    const Bytes earlier = ThreeFourSong();
    test::WriteFile(path, earlier);
    // 7000 notes and 998 lyrics are more events than one track can hold.
    for (uint32_t i = 0; i < 998; ++i) {
        ASSERT_EQ(UpdateLyricData(reporter, lyric{i, "x", 0}), kStored);
    }
    for (uint32_t i = 0; i < kNotesPerTrack; ++i) {
        displaydata n{};
        n.start = i;
        n.end = i + 1;
        n.note = 60;
        ASSERT_EQ(AddNote(reporter, 0, n), kStored);
    }
    EXPECT_EQ(SaveTo(path), kSaveTrackFailed);
    EXPECT_EQ(test::ReadFile(path), earlier);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"song.mid"});
}

TEST_F(SongFiles, SaveWhereNoFileCanBeCreatedFailsWithCode1) {
    EXPECT_EQ(SaveTo(dir / "no/such/dir/out.mid"), kSaveCannotCreate);
    std::filesystem::create_directory(dir / "folder");
    EXPECT_EQ(SaveTo(dir / "folder"), kSaveCannotCreate);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder"));
    EXPECT_EQ(SaveTo(""), kSaveCannotCreate);
    std::memset(sd.saveName, 'a', kPathSize);  // no room left for the end of the text
    EXPECT_EQ(SaveFile(reporter, progress), kSaveCannotCreate);
    EXPECT_EQ(progress.opened, 0);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"folder"});
}

}  // namespace
}  // namespace tw
