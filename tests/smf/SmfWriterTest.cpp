#include "smf/SmfWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <tuple>

#include "smf/SmfFiles.h"
#include "song/Edits.h"
#include "song/KeptEvents.h"
#include "song/UndoHistory.h"

namespace tw {
namespace {

using test::Bytes;
using test::Track;

const Bytes kTrack1Name = {0, 0xFF, 0x03, 7, 'T', 'r', 'a', 'c', 'k', ' ', '1'};
const Bytes kConductor = {0, 0xFF, 0x59, 2, 0,    0,    0, 0xFF, 0x58, 4,   4,
                          2, 0x24, 8,    0, 0xFF, 0x51, 3, 0x07, 0xA1, 0x20};
const Bytes kEndOfTrack = {0, 0xFF, 0x2F, 0};

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        test::Append(all, part);
    }
    return all;
}

// The data of each track chunk of a written file.
std::vector<Bytes> Chunks(const Bytes& file) {
    std::vector<Bytes> chunks;
    for (std::size_t at = 14; at + 8 <= file.size(); at += 8 + chunks.back().size()) {
        const auto data = file.begin() + static_cast<long>(at + 8);
        chunks.emplace_back(data, data + ((file[at + 6] << 8) | file[at + 7]));
    }
    return chunks;
}

using SmfWriting = test::SmfFixture;

TEST(TempoMicroseconds, TruncatesInSinglePrecisionAndStaysWithinThreeBytes) {
    EXPECT_EQ(TempoMicroseconds(2.0f), 500000u);
    EXPECT_EQ(TempoMicroseconds(1.0f / (480000.0f * 0.000001f)), 479999u);
    EXPECT_EQ(TempoMicroseconds(0.01f), 0xFFFFFFu);  // 100 000 000 would lose its top byte
    EXPECT_EQ(TempoMicroseconds(0.0f), 0xFFFFFFu);
    EXPECT_EQ(TempoMicroseconds(2000000.0f), 1u);  // 0.5 would read back as no tempo at all
}

TEST_F(SmfWriting, EmptySongIsOneTrackWithItsNameAndTheConductorEvents) {
    const Bytes header = {'M', 'T',  'h',  'd', 0,   0,   0,   6, 0, 1, 0,
                          1,   0x00, 0xC0, 'M', 'T', 'r', 'k', 0, 0, 0, 36};
    EXPECT_EQ(Save(), Join({header, kTrack1Name, kConductor, kEndOfTrack}));
    EXPECT_EQ(progress.captions, std::vector<std::string>{"Saving File"});
    EXPECT_EQ(progress.gauge, std::vector<int>{100});
    EXPECT_EQ(progress.closed, 1);
}

TEST_F(SmfWriting, TracksUpToTheLastWithNotesOrLyricsAreWrittenAndNothingOfLaterOnes) {
    ASSERT_EQ(AddNote(reporter, 2, test::MakeNote(0, 96, 60)), kStored);
    ASSERT_EQ(UpdateLyricData(reporter, lyric{0, "la", 3}), kStored);
    ASSERT_EQ(UpdateEventData(reporter, {0, PackMsg(0xB5, 7, 90), 4}), kStored);
    ASSERT_EQ(UpdatePgmData(reporter, {0, PackMsg(0xC6, 3, 0), 5}), kStored);
    tn[1][0] = '\0';
    const auto chunks = Chunks(Save());
    ASSERT_EQ(chunks.size(), 4u);
    EXPECT_EQ(chunks[1], kEndOfTrack);
    EXPECT_EQ(progress.gauge, (std::vector<int>{25, 50, 75, 100}));
}

TEST_F(SmfWriting, EventsAreInTimeOrderAndEqualTimesKeepTheOrderAdded) {
    ASSERT_EQ(AddNote(reporter, 0, test::MakeNote(0, 96, 60, 2, 80)), kStored);
    ASSERT_EQ(AddNote(reporter, 0, test::MakeNote(96, 400, 62, 2, 70)), kStored);
    ASSERT_EQ(AddNote(reporter, 0, test::MakeNote(100, 200, 64, 2, 0xC8)), kStored);
    ASSERT_EQ(UpdateLyricData(reporter, lyric{0, "", 0}), kStored);
    ASSERT_EQ(UpdateEventData(reporter, {0, PackMsg(0xB0, 10, 64), 0}), kStored);
    ASSERT_EQ(UpdatePgmData(reporter, {0, PackMsg(0xC0, 5, 0), 0}), kStored);
    std::strcpy(cpyright, "(c)");
    copyrightSet() = 1;
    const Bytes events = {
        0,    0xC0, 5,    0,   0xB0, 10,   64, 0,    0xFF, 0x01, 0,  // empty lyric
        0,    0x92, 60,   80,  96,   0x82, 60, 0,    0,    0x92, 62, 70, 4,
        0x92, 64,   0x48, 100, 0x82, 64,   0,  0x81, 0x48, 0x82, 62, 0};
    EXPECT_EQ(
        Chunks(Save())[0],
        Join({kTrack1Name, {0, 0xFF, 0x02, 3, '(', 'c', ')'}, kConductor, events, kEndOfTrack}));
}

TEST_F(SmfWriting, ACopyrightOfAnyLengthIsWrittenWithAVariableLengthInTheFirstTrackOnly) {
    ASSERT_EQ(AddNote(reporter, 1, test::MakeNote(0, 96, 60)), kStored);
    std::memset(cpyright, 'c', kCopyrightSize - 1);
    copyrightSet() = 1;
    const Bytes saved = Save();
    const auto chunks = Chunks(saved);
    ASSERT_EQ(chunks.size(), 2u);
    const Bytes copyright = Join({{0, 0xFF, 0x02, 0x81, 0x17}, Bytes(151, 'c')});
    EXPECT_EQ(Bytes(chunks[0].begin() + 11, chunks[0].begin() + 11 + 156), copyright);
    const Bytes tag = {0xFF, 0x02};
    EXPECT_EQ(std::search(chunks[1].begin(), chunks[1].end(), tag.begin(), tag.end()),
              chunks[1].end());
    EXPECT_EQ(Load(saved), kLoadOk);
}

TEST_F(SmfWriting, TrackWithMoreThan14999EventsFailsWithItsCountAndNoOutput) {
    ASSERT_TRUE(Crowd(996));
    EXPECT_FALSE(Save().empty());
    ASSERT_EQ(UpdateEventData(reporter, {5000, PackMsg(0xB0, 7, 1), 0}), kStored);
    EXPECT_TRUE(Save(kSaveTrackFailed).empty());
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "evtot=14999");
    EXPECT_EQ(reporter.messages[0].caption, "Create Track");
    EXPECT_EQ(progress.closed, 2);
}

// Busy tracks of the kinds that stress note pairing and event ordering:
// chords with two notes on one staff line, repeated pitches that overlap,
// note-offs of both forms and on other channels, times that wrap past 2^32,
// and controllers, programs and lyrics among the notes.
Bytes RandomSong(std::mt19937& random) {
    const auto pick = [&](int low, int high) {
        return static_cast<uint8_t>(std::uniform_int_distribution<int>(low, high)(random));
    };
    const int tracks = pick(1, 6);
    Bytes file = test::Header(1, static_cast<uint16_t>(tracks), 96);
    for (int t = 0; t < tracks; ++t) {
        Track track;
        for (int i = pick(0, 200) * 2; i > 0; --i) {
            const uint32_t delta = pick(0, 50) == 0 ? 0x7FFFFFFFu : pick(0, 3) * 24u;
            const uint8_t channel = pick(0, 2);
            const uint8_t pitch = pick(58, 66);
            const Bytes kinds[] = {{uint8_t(0x80 | channel), pitch, 0},
                                   {uint8_t(0x90 | channel), pitch, pick(0, 1)},
                                   {uint8_t(0xB0 | channel), 7, pick(0, 127)},
                                   {uint8_t(0xC0 | channel), pick(0, 127)},
                                   {0xFF, 0x05, 2, 'l', 'a'},
                                   {uint8_t(0x90 | channel), pitch, pick(2, 127)}};
            track.Event(delta, kinds[std::min<int>(pick(0, 9), 5)]);
        }
        test::Append(file, test::Chunk(track.End()));
    }
    return file;
}

class SmfRoundTrip : public test::SmfFixture {};

TEST_F(SmfRoundTrip, EveryKeptKindOfEventComesBackAndASecondSaveIsIdentical) {
    ASSERT_EQ(Load(test::RichSong()), kLoadOk);
    ASSERT_EQ(sd.eventTotal + sd.pgmTotal + sd.lyricTotal + sd.tempoTotal, 4u + 3 + 3 + 2);
    const Bytes before = test::Snapshot();
    const Bytes saved = Save();
    ASSERT_EQ(Load(saved), kLoadOk);
    EXPECT_EQ(test::Snapshot(), before);
    EXPECT_EQ(Save(), saved);
}

// Track 0 holds what a karaoke file's first track does, track 1 music
// whose chords and controllers the tables cannot hold whole, track 2 only
// kinds that no table holds, with running status.
Bytes KeptKindsSong() {
    const Track conductor = Track()
                                .Event(0, {0xFF, 0x00, 2, 0, 1})  // sequence number
                                .Meta(0, 0x03, "Words")
                                .Meta(0, 0x01, "@KMIDI KARAOKE FILE")
                                .Meta(0, 0x01, "@V0100")          // replaces the text before it
                                .Event(0, {0xFF, 0x59, 2, 1, 0})  // replaced by the next
                                .Event(0, {0xFF, 0x59, 2, 0, 0})
                                .Event(0, {0xFF, 0x58, 4, 3, 2, 24, 8})
                                .Event(0, {0xFF, 0x58, 4, 4, 2, 24, 8})
                                .Event(0, {0xFF, 0x51, 3, 0x07, 0xA1, 0x20})
                                .Event(0, {0xFF, 0x54, 5, 96, 0, 0, 0, 0})  // SMPTE offset
                                .Event(0, {0xF0, 4, 0x7E, 0x7F, 9, 0xF7})
                                .Meta(0, 0x06, "Verse")
                                .Meta(384, 0x07, "cue")
                                .Event(0, {0xFF, 0x7F, 3, 0, 0, 0x41})
                                .End();
    const Track music = Track()
                            .Meta(0, 0x03, "Piano")
                            .Meta(0, 0x04, "Grand")
                            .Event(0, {0xFF, 0x20, 1, 0})
                            .Event(0, {0xFF, 0x21, 1, 1})
                            .Raw({0, 0xB0, 0, 1, 0, 32, 0, 0, 64, 127, 0, 7, 100, 0, 7, 90})
                            .Event(0, {0xC0, 5})
                            .Event(0, {0xC0, 6})  // replaces the program change before it
                            .Meta(0, 0x05, std::string(70, 'h'))  // longer than a lyric
                            .Meta(0, 0x05, "Hel")
                            .Raw({0, 0x90, 60, 80, 0, 61, 81, 0, 10, 70, 0, 0xA0, 61, 20})
                            .Raw({96, 0xE0, 0, 80, 0, 0xD0, 30, 0, 0x80, 60, 0, 0, 61, 0})
                            .Raw({0, 10, 0, 0, 62, 0})  // 62: a note-off with no note
                            .Meta(0, 0x05, "lo")
                            .End();
    const Track kinds = Track()
                            .Meta(0, 0x03, "Track 3")
                            .Raw({0, 0xE1, 0, 0x30, 48, 0x7F, 0x7F, 0, 0xB1, 1, 60, 0, 11, 90})
                            .Raw({0, 0xD1, 10, 10, 20, 0, 0xF7, 2, 0xF3, 1})
                            .End();
    return test::File(96, {conductor, music, kinds});
}

std::vector<test::TimedEvent> Sorted(std::vector<test::TimedEvent> events) {
    std::sort(events.begin(), events.end());
    return events;
}

// Every event comes back in its track at its time; what the tables hold
// for a time comes after what was kept, as it came in the file.
TEST_F(SmfRoundTrip, EventsTheTablesDoNotHoldAreKeptWithTheirTrackThroughSaveAndTrackMoves) {
    const Bytes file = KeptKindsSong();
    LeftOut left;
    ASSERT_EQ(Load(file, ScanMode::Indexed, &left), kLoadOk);
    EXPECT_EQ(LeftOutItems(left), "") << "a long text that a later one replaced is kept whole";
    EXPECT_STREQ(lcd[0].text, "@V0100");
    EXPECT_EQ(MsgData1(pgm[0].msg), 6);
    EXPECT_EQ(sd.tsNumerator, 4u) << "the song keeps the last signature";
    const auto original = test::Events(file);
    const Bytes bytes = Save();
    const auto saved = test::Events(bytes);
    ASSERT_EQ(saved.size(), 3u);
    for (std::size_t t = 0; t < 3; ++t) {
        EXPECT_EQ(Sorted(saved[t]), Sorted(original[t])) << "track " << t;
    }
    const auto at = [&](std::size_t t, const Bytes& bytes) {
        return std::find_if(saved[t].begin(), saved[t].end(), [&](const test::TimedEvent& e) {
            return e.bytes.size() >= bytes.size() &&
                   std::equal(bytes.begin(), bytes.end(), e.bytes.begin());
        });
    };
    EXPECT_LT(at(0, {0xFF, 0x01, '@', 'K'}), at(0, {0xFF, 0x01, '@', 'V'}));
    EXPECT_LT(at(1, {0xB0, 0, 1}), at(1, {0xC0, 6}));
    ASSERT_EQ(Load(bytes), kLoadOk);
    EXPECT_EQ(Save(), bytes) << "what a later event replaced keeps its place in the file";

    // Cut from track 2, pasted into track 4 on channel 5.
    const auto& kinds = original[2];
    kept.CutTrack(2);
    kept.PasteTrack(4);
    kept.MoveChannel(4, 5);
    const auto moved = test::Events(Save());
    ASSERT_EQ(moved.size(), 5u);
    EXPECT_EQ(moved[2], (std::vector<test::TimedEvent>{kinds[0]})) << "its name stays";
    ASSERT_EQ(moved[4].size(), kinds.size());
    for (std::size_t i = 1; i < kinds.size(); ++i) {
        Bytes expected = kinds[i].bytes;
        expected[0] = expected[0] < 0xF0 ? (expected[0] & 0xF0) | 5 : expected[0];
        EXPECT_EQ(moved[4][i], (test::TimedEvent{kinds[i].time, expected})) << i;
    }
    ASSERT_EQ(Load(test::File(96, {Track().Meta(0, 0x05, std::string(70, 'h'))}), ScanMode::Indexed,
                   &left),
              kLoadOk);
    EXPECT_EQ(left.textsCut, 1u) << "a long lyric that stays is cut";
}

// The song holds one time and one key signature, the last the file gives;
// each is written back where it stood, after those it replaced, so that no
// save moves one and an edited one is the song's when the file is read again.
// A track name or copyright notice goes after those it replaced too.
TEST_F(SmfRoundTrip, EverySignatureStaysAtItsTimeAndTrackAndAnEditedOneIsTheSongs) {
    const Track conductor = Track()
                                .Meta(0, 0x03, "Conductor")
                                .Event(0, {0xFF, 0x58, 4, 4, 2, 24, 8})
                                .Event(0, {0xFF, 0x59, 2, 0, 0})
                                .Event(0, {0xFF, 0x51, 3, 0x07, 0xA1, 0x20})
                                .Raw({0, 0x90, 60, 100, 96, 0x80, 60, 0})
                                .Event(672, {0xFF, 0x58, 4, 2, 1, 24, 8})  // 2/2 from bar 2
                                .End();
    // The last track holds only a key signature, at the time of the 2/2.
    const Track key = Track().Meta(0, 0x03, "Key").Event(768, {0xFF, 0x59, 2, 0xFF, 0}).End();
    // A name and a copyright notice that replace others at their time.
    const Track piano = Track()
                            .Meta(0, 0x03, "Keys")
                            .Meta(0, 0x02, "(c) 1")
                            .Meta(0, 0x03, "Piano")
                            .Meta(0, 0x02, "(c) 2")
                            .End();
    const Bytes file = test::File(96, {conductor, piano, key});
    ASSERT_EQ(Load(file), kLoadOk);
    EXPECT_EQ(std::tie(sd.tsNumerator, sd.tsDenominator, sd.keySharps), std::tuple(2u, 2u, -1));
    const Bytes saved = Save();
    const auto original = test::Events(file);
    const auto events = test::Events(saved);
    ASSERT_EQ(events.size(), 3u);
    for (std::size_t t = 0; t < 3; ++t) {
        EXPECT_EQ(Sorted(events[t]), Sorted(original[t])) << "track " << t;
    }
    ASSERT_EQ(Load(saved), kLoadOk);
    EXPECT_EQ(std::string(tn[1]) + cpyright, "Piano(c) 2");
    EXPECT_EQ(Save(), saved);

    kept.CutTrack(0);  // the replaced signatures stay where they were
    kept.PasteTrack(1);
    ASSERT_EQ(Load(Save()), kLoadOk);
    EXPECT_EQ(std::tie(sd.tsNumerator, sd.keySharps), std::tuple(2u, -1));

    ASSERT_EQ(Load(saved), kLoadOk);
    History().Clear();
    SetTimeSignature(3, 4, sd.division);
    EXPECT_EQ(kept.SignatureAt(Signature::Time), SignaturePlace{}) << "after the 4/4 at the start";
    const Bytes edited = Save();
    ASSERT_TRUE(History().Undo());
    EXPECT_EQ(kept.SignatureAt(Signature::Time), (SignaturePlace{768, 0}));
    EXPECT_EQ(Save(), saved);
    ASSERT_EQ(Load(edited), kLoadOk);
    EXPECT_EQ(std::tie(sd.tsNumerator, sd.tsDenominator), std::tuple(3u, 4u));
    EXPECT_EQ(Save(), edited);

    // A kept signature after the start keeps the edited one where it stands.
    ASSERT_EQ(Load(test::File(96, {Track()
                                       .Event(0, {0xFF, 0x58, 4, 4, 2, 24, 8})
                                       .Event(384, {0xFF, 0x58, 4, 3, 2, 24, 8})
                                       .Event(384, {0xFF, 0x58, 4, 2, 1, 24, 8})
                                       .End()})),
              kLoadOk);
    SetTimeSignature(5, 4, sd.division);
    ASSERT_EQ(Load(Save()), kLoadOk);
    EXPECT_EQ(sd.tsNumerator, 5u);
}

// The indexed note pairing and sorted track building must give exactly the
// tables, codes and bytes of the plain scans.
TEST_F(SmfRoundTrip, IndexedScansLoadAndSaveExactlyAsThePlainScans) {
    std::mt19937 random(20261206);
    for (int song = 0; song < 150; ++song) {
        SCOPED_TRACE(song);
        const Bytes file = RandomSong(random);
        const int plainCode = Load(file, ScanMode::Plain);
        const Bytes plain = test::Snapshot();
        const Bytes plainSaved = Save(kSaveOk, ScanMode::Plain);
        ASSERT_EQ(Load(file, ScanMode::Indexed), plainCode);
        ASSERT_EQ(test::Snapshot(), plain);
        ASSERT_EQ(Save(kSaveOk, ScanMode::Indexed), plainSaved);
    }
}

}  // namespace
}  // namespace tw
