#include <gtest/gtest.h>

#include <filesystem>
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

TEST_F(FileCommands, HelpAndVersionGoToStandardOutputAndUsageErrorsSayWhatWasWrong) {
    const auto help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("convert"), std::string::npos);
    EXPECT_EQ(Run({"--version"}).out, "tunewell-cli 4.2\n");
    const struct {
        std::vector<std::string> arguments;
        const char* reason;
    } cases[] = {
        {{}, "Usage: tunewell-cli COMMAND"},
        {{"play-backwards"}, "unknown command \"play-backwards\""},
        {{"info"}, "tunewell-cli info: FILE is missing\nUsage: tunewell-cli info FILE"},
        {{"dump", song, "x"}, "tunewell-cli dump: one operand too many: \"x\""},
        {{"play", song, "--from", "-3"}, "play: --from takes a bar number from 0, not \"-3\""},
        {{"render", song, "o.wav", "--rate", "abc"}, "--rate takes a sample rate in Hz"},
        {{"info", "--loud", song}, "info: unknown option \"--loud\""},
    };
    for (const auto& [arguments, reason] : cases) {
        const auto result = Run(arguments);
        EXPECT_EQ(result.status, 64);
        EXPECT_NE(result.err.find(reason), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

TEST_F(FileCommands, InfoSummarisesDumpListsAndResaveKeepsTheSongAsFileOpenLoadsIt) {
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

    const auto dump = Run({"dump", song});
    ASSERT_EQ(dump.status, 0) << dump.err;
    ExpectLines(dump.out,
                {"song division=96 barTicks=288 staffBars=3 songEnd=768 tsNumerator=3 "
                 "tsDenominator=4 tsClocks=24 ts32nds=8 keySharps=-2 keyMinor=1",
                 "track 1 channel=1 notes=3 lyrics=2 name=\"Melody\"",
                 "note track=2 start=600 end=768 note=36 type=2 dotted=1 line=42 channel=2 "
                 "velocity=72 accidental=-1 onMsg=0x482492 offMsg=0x002482 closed=1",
                 "tempo time=384 tempo=1.66666663",
                 "controller time=0 track=1 msg=0x285DB1 channel=1 number=93 value=40",
                 "program time=480 track=1 msg=0x0029C1 channel=1 program=41",
                 "lyric time=100 track=2 text=\"\""});

    const auto resaved = Run({"resave", song, dir / "out.mid"});
    ASSERT_EQ(resaved.status, 0) << resaved.err;
    EXPECT_EQ(resaved.out, "");
    EXPECT_EQ(resaved.err, "") << "the system exclusive message is kept";
    EXPECT_EQ(Run({"dump", dir / "out.mid"}).out, dump.out) << "resave keeps every record";
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"out.mid", "song.mid"}));
}

// Message box texts come first as "CAPTION: TEXT"; OUT is never touched.
TEST_F(FileCommands, FailuresNameTheFileCodeAndCauseAndLeaveOutUntouched) {
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
    const std::string format0 =
        zero + ": Load error = 3 (a format 0 file; Tunewell opens format 1 songs)\n" + zero +
        " holds the whole song in one track (format 0); make a format 1 copy that " +
        "Tunewell opens with: tunewell-cli convert " + zero + " OUT.mid\n";
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string err;
    } cases[] = {
        {{"info", zero}, 2, format0},
        {{"info", dir / "missing.mid"},
         2,
         dir / "missing.mid" +
             ": Load error = 1 (cannot open the file: no such file or directory)\n"},
        {{"dump", full},
         2,
         "Test: Out of Note Memory\ntwApper: ntrk = 0 er=100\n" + full +
             ": Load error = 100 (a track has more notes than the 7000 it can hold)\n"},
        {{"resave", big, out},
         3,
         "Create Track: evtot=14999\n" + out +
             ": Save error = 2 (a track has more events than the 14 999 a track can be written "
             "with)\n"},
        {{"convert", song, dir / "none/out.mid"},
         3,
         dir / "none/out.mid" + ": Save error = 1 (cannot create the file: no such directory)\n"},
        {{"resave", song, dir / std::string(300, 'n')},
         3,
         dir / std::string(300, 'n') +
             ": Save error = 1 (cannot create the file: the path is longer than 254 "
             "characters)\n"},
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

TEST_F(FileCommands, CommandsThatWriteRefuseTheInputFileAsOutputByAnyName) {
    const Bytes original = test::ReadFile(song);
    std::filesystem::create_symlink(song, dir / "link.mid");
    std::filesystem::create_hard_link(song, dir / "hard.mid");
    for (const char* command : {"resave", "convert"}) {
        for (const std::string& target :
             {song, dir / "./song.mid", dir / "link.mid", dir / "hard.mid"}) {
            const auto result = Run({command, song, target});
            EXPECT_EQ(result.status, 64) << command << " " << target;
            EXPECT_NE(result.err.find("is the input file IN itself"), std::string::npos)
                << result.err;
        }
    }
    EXPECT_EQ(test::ReadFile(song), original);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"hard.mid", "link.mid", "song.mid"}));
}

TEST_F(FileCommands, ConvertMakesAFormat0KaraokeFileOpenWithItsNotesAndLyrics) {
    const std::string karaoke = dir.Write("karaoke.kar", test::Format0Song());
    const auto converted = Run({"convert", karaoke, dir / "song1.mid"});
    ASSERT_EQ(converted.status, 0) << converted.err;
    EXPECT_EQ(converted.err, "") << "the pitch bend, marker and system exclusive are kept";
    EXPECT_EQ(test::ReadFile(karaoke), test::Format0Song()) << "IN is never touched";
    const auto info = Run({"info", dir / "song1.mid", "--lyrics"});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.err, "");
    ExpectLines(info.out, {"Tempo changes:     2", "Lyrics:            2",
                           "  0000:0000  1      Caf\xC3\xA9", "  0000:0096  1      lo"});
}

}  // namespace
}  // namespace tw
