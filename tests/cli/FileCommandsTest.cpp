#include <gtest/gtest.h>

#include <string>

#include "cli/CliRunner.h"
#include "smf/SmfFiles.h"

namespace tw {
namespace {

using test::Bytes;
using test::Track;

Bytes SmallSong() {
    const Track conductor = Track()
                                .Meta(0, 0x03, "Conductor")
                                .Meta(0, 0x02, "(c) Tunewell")
                                .Event(0, {0xFF, 0x58, 4, 3, 2, 24, 8})
                                .Event(0, {0xFF, 0x59, 2, 0xFE, 0})
                                .Event(0, {0xFF, 0x51, 3, 0x07, 0xA1, 0x20})
                                .End(300);
    const Track piano = Track()
                            .Meta(0, 0x03, "Piano")
                            .Event(0, {0xC2, 4})
                            .Event(0, {0xB2, 7, 99})
                            .Meta(0, 0x05, "la")
                            .Event(0, {0x92, 60, 100})
                            .Event(96, {0x82, 60, 0})
                            .End();
    return test::File(96, {conductor, piano});
}

// A song that loads but whose first track holds more events than a track
// can be written with.
Bytes UnsaveableSong() {
    Track track;
    for (uint32_t i = 0; i < 7000; ++i) {
        track.Event(i == 0 ? 0 : 1, {0x90, 60, 100}).Event(0, {0x80, 60, 0});
    }
    for (uint32_t i = 0; i < 1000; ++i) {
        track.Event(1, {0xB0, 7, 100});
    }
    return test::File(96, {track.End()});
}

class FileCommands : public ::testing::Test {
protected:
    test::CliResult Run(const std::vector<std::string>& arguments) {
        return test::RunCli(arguments, dir.path().string());
    }
    std::string Write(const std::string& name, const Bytes& bytes) {
        test::WriteFile(dir / name, bytes);
        return dir / name;
    }

    test::TempDir dir;
};

TEST_F(FileCommands, HelpPrintsUsageOnStandardOutput) {
    const auto result = Run({"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("Usage: tunewell-cli COMMAND"), std::string::npos);
    EXPECT_NE(result.out.find("resave IN OUT"), std::string::npos);
    EXPECT_EQ(result.err, "");
}

TEST_F(FileCommands, UsageErrorsPrintUsageOnStandardErrorAndExit64) {
    const std::string song = Write("song.mid", SmallSong());
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {}, {"play-backwards"}, {"info"}, {"info", song, song}, {"dump"}, {"resave", song}}) {
        const auto result = Run(arguments);
        EXPECT_EQ(result.status, 64);
        EXPECT_NE(result.err.find("Usage: tunewell-cli"), std::string::npos);
        EXPECT_EQ(result.out, "");
    }
}

TEST_F(FileCommands, InfoSummarisesTheSongAsFileOpenLoadsIt) {
    const auto result = Run({"info", Write("song.mid", SmallSong())});
    ASSERT_EQ(result.status, 0) << result.err;
    for (const char* line :
         {"Division:          96 ticks per quarter note\n", "Time signature:    3/4\n",
          "Key signature:     2 flats, major\n", "Bar length:        288 ticks\n",
          "Bars per page:     3\n", "Song length:       0002:0000 (bar:tick, 576 ticks)\n",
          "Tempo changes:     1\n", "Controller events: 1\n", "Program changes:   1\n",
          "Lyrics:            1\n", "Copyright:         \"(c) Tunewell\"\n"}) {
        EXPECT_NE(result.out.find(line), std::string::npos) << line;
    }
    EXPECT_NE(result.out.find("  1      \"Conductor\""), std::string::npos);
    EXPECT_NE(result.out.find("  2      \"Piano\""), std::string::npos);
    EXPECT_EQ(result.out.find("\"Track 3\""), std::string::npos);
}

TEST_F(FileCommands, DumpPrintsEveryRecordOnALineOfItsOwn) {
    const auto result = Run({"dump", Write("song.mid", SmallSong())});
    ASSERT_EQ(result.status, 0) << result.err;
    for (const char* line :
         {"song division=96 barTicks=288 staffBars=3 songEnd=576 tsNumerator=3 tsDenominator=4 "
          "tsClocks=24 ts32nds=8 keySharps=-2 keyMinor=0\n",
          "track 1 channel=2 notes=1 lyrics=1 name=\"Piano\"\n",
          "note track=1 start=0 end=96 note=60 type=2 dotted=0 line=28 channel=2 velocity=100 "
          "accidental=-1 onMsg=0x643C92 offMsg=0x003C82 closed=1\n",
          "tempo time=0 tempo=2\n",
          "controller time=0 track=1 msg=0x6307B2 channel=2 number=7 value=99\n",
          "program time=0 track=1 msg=0x0004C2 channel=2 program=4\n",
          "lyric time=0 track=1 text=\"la\"\n"}) {
        EXPECT_NE(result.out.find(line), std::string::npos) << line;
    }
}

TEST_F(FileCommands, LoadFailuresPrintTheLoadCodeAndExit2) {
    const std::string format0 = Write("zero.mid", test::Header(0, 1, 96));
    for (const char* command : {"info", "dump"}) {
        const auto result = Run({command, format0});
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err, "Load error = 3\n");
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(Run({"info", dir / "missing.mid"}).err, "Load error = 1\n");
    EXPECT_EQ(Run({"info", Write("nodiv.mid", test::Header(1, 1, 0))}).err, "Load error = 5\n");
}

TEST_F(FileCommands, MessagesOfTheLoadComeBeforeTheLoadError) {
    Track full;
    for (uint32_t i = 0; i <= 7000; ++i) {
        full.Event(1, {0x90, 60, 100});
    }
    const auto result = Run({"info", Write("full.mid", test::File(96, {full}))});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "Test: Out of Note Memory\ntwApper: ntrk = 0 er=100\nLoad error = 100\n");
}

TEST_F(FileCommands, ResaveWritesAFileThatLoadsIntoTheSameTables) {
    const std::string in = Write("in.mid", SmallSong());
    const auto resaved = Run({"resave", in, dir / "out.mid"});
    ASSERT_EQ(resaved.status, 0) << resaved.err;
    EXPECT_EQ(resaved.out + resaved.err, "");
    const auto before = Run({"dump", in});
    const auto after = Run({"dump", dir / "out.mid"});
    ASSERT_EQ(after.status, 0);
    EXPECT_EQ(after.out, before.out);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"in.mid", "out.mid"}));
}

TEST_F(FileCommands, ResaveThatCannotLoadLeavesOutUntouched) {
    const Bytes earlier = {'o', 'l', 'd'};
    const std::string out = Write("out.mid", earlier);
    const auto result = Run({"resave", Write("zero.mid", test::Header(0, 1, 96)), out});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "Load error = 3\n");
    EXPECT_EQ(test::ReadFile(out), earlier);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"out.mid", "zero.mid"}));
}

TEST_F(FileCommands, ResaveThatCannotSaveExits3AndLeavesOutUntouched) {
    const Bytes earlier = {'o', 'l', 'd'};
    const std::string out = Write("out.mid", earlier);
    const auto tooBig = Run({"resave", Write("big.mid", UnsaveableSong()), out});
    EXPECT_EQ(tooBig.status, 3);
    EXPECT_EQ(tooBig.err, "Create Track: evtot=14999\nSave error = 2\n");
    EXPECT_EQ(test::ReadFile(out), earlier);

    const std::string song = Write("song.mid", SmallSong());
    const auto noDirectory = Run({"resave", song, dir / "none/out.mid"});
    EXPECT_EQ(noDirectory.status, 3);
    EXPECT_EQ(noDirectory.err, "Save error = 1\n");
    const auto longName = Run({"resave", song, dir / std::string(300, 'n')});
    EXPECT_EQ(longName.status, 3);
    EXPECT_EQ(longName.err, "Save error = 1\n");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"big.mid", "out.mid", "song.mid"}));
}

}  // namespace
}  // namespace tw
