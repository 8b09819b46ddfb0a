#include <gtest/gtest.h>

#include <string>

#include "cli/CliRunner.h"
#include "smf/SmfFiles.h"

namespace tw {
namespace {

using test::Bytes;
using test::Track;

class FileCommands : public ::testing::Test {
protected:
    test::CliResult Run(const std::vector<std::string>& arguments) {
        return test::RunCli(arguments, dir.path().string());
    }
    // Expects the output to hold each of the lines.
    static void ExpectLines(const std::string& out, std::initializer_list<const char*> lines) {
        for (const char* line : lines) {
            EXPECT_NE(out.find(std::string(line) + "\n"), std::string::npos) << line << "\nin:\n"
                                                                             << out;
        }
    }

    test::TempDir dir;
    const std::string song = dir.Write("song.mid", test::RichSong());
};

TEST_F(FileCommands, HelpGoesToStandardOutputAndUsageErrorsExit64) {
    const auto help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("resave IN OUT"), std::string::npos);
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {}, {"play-backwards"}, {"info"}, {"dump", song, song}, {"resave", song}}) {
        const auto result = Run(arguments);
        EXPECT_EQ(result.status, 64);
        EXPECT_NE(result.err.find("Usage: tunewell-cli COMMAND"), std::string::npos);
        EXPECT_EQ(result.out, "");
    }
}

TEST_F(FileCommands, InfoSummarisesTheSongAsFileOpenLoadsIt) {
    const auto result = Run({"info", song});
    ASSERT_EQ(result.status, 0) << result.err;
    ExpectLines(result.out,
                {"Division:          96 ticks per quarter note", "Time signature:    3/4",
                 "Key signature:     2 flats, minor", "Bar length:        288 ticks",
                 "Bars per page:     3", "Song length:       0002:0192 (bar:tick, 768 ticks)",
                 "Tempo changes:     2", "Controller events: 4", "Program changes:   3",
                 "Lyrics:            3", "Copyright:         \"(c) 2026 Tunewell\""});
    EXPECT_NE(result.out.find("  3      \"Track 3\"      "), std::string::npos);
    EXPECT_EQ(result.out.find("\"Track 4\""), std::string::npos);  // nothing in it
}

TEST_F(FileCommands, DumpPrintsEveryRecordOnALineOfItsOwn) {
    const auto result = Run({"dump", song});
    ASSERT_EQ(result.status, 0) << result.err;
    ExpectLines(result.out,
                {"song division=96 barTicks=288 staffBars=3 songEnd=768 tsNumerator=3 "
                 "tsDenominator=4 tsClocks=24 ts32nds=8 keySharps=-2 keyMinor=1",
                 "track 1 channel=1 notes=3 lyrics=2 name=\"Melody\"",
                 "note track=2 start=600 end=768 note=36 type=2 dotted=1 line=42 channel=2 "
                 "velocity=72 accidental=-1 onMsg=0x482492 offMsg=0x002482 closed=1",
                 "tempo time=384 tempo=1.66666663",
                 "controller time=0 track=1 msg=0x285DB1 channel=1 number=93 value=40",
                 "program time=480 track=1 msg=0x0029C1 channel=1 program=41",
                 "lyric time=100 track=2 text=\"\""});
}

TEST_F(FileCommands, ResaveWritesAFileThatLoadsIntoTheSameTables) {
    const auto resaved = Run({"resave", song, dir / "out.mid"});
    ASSERT_EQ(resaved.status, 0) << resaved.err;
    EXPECT_EQ(resaved.out + resaved.err, "");
    EXPECT_EQ(Run({"dump", dir / "out.mid"}).out, Run({"dump", song}).out);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"out.mid", "song.mid"}));
}

// Message box texts come first as "CAPTION: TEXT"; OUT is never touched.
TEST_F(FileCommands, FailuresPrintTheirMessagesThenTheirCodeAndLeaveOutUntouched) {
    const std::string out = dir.Write("out.mid", {'o', 'l', 'd'});
    const std::string zero = dir.Write("zero.mid", test::Header(0, 1, 96));
    Track crowded;  // loads, but holds more events than a track can be written with
    for (uint32_t i = 0; i < 7000; ++i) {
        crowded.Event(1, {0x90, 60, 100}).Event(0, {0x80, 60, 0});
    }
    for (uint32_t i = 0; i < 1000; ++i) {
        crowded.Event(1, {0xB0, 7, 100});
    }
    const std::string big = dir.Write("big.mid", test::File(96, {crowded}));
    crowded.Event(1, {0x90, 60, 100});  // one note more than a track holds
    const std::string full = dir.Write("full.mid", test::File(96, {crowded}));
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* err;
    } cases[] = {
        {{"info", zero}, 2, "Load error = 3\n"},
        {{"dump", zero}, 2, "Load error = 3\n"},
        {{"info", dir / "missing.mid"}, 2, "Load error = 1\n"},
        {{"dump", full},
         2,
         "Test: Out of Note Memory\ntwApper: ntrk = 0 er=100\nLoad error = 100\n"},
        {{"resave", zero, out}, 2, "Load error = 3\n"},
        {{"resave", big, out}, 3, "Create Track: evtot=14999\nSave error = 2\n"},
        {{"resave", song, dir / "none/out.mid"}, 3, "Save error = 1\n"},
        {{"resave", song, dir / std::string(300, 'n')}, 3, "Save error = 1\n"},
    };
    for (const auto& [arguments, status, err] : cases) {
        const auto result = Run(arguments);
        EXPECT_EQ(result.status, status) << arguments[0] << " " << arguments.back();
        EXPECT_EQ(result.err, err);
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(test::ReadFile(out), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(dir.Names(),
              (std::vector<std::string>{"big.mid", "full.mid", "out.mid", "song.mid", "zero.mid"}));
}

}  // namespace
}  // namespace tw
