#include "smf/SmfWriter.h"

#include <gtest/gtest.h>

#include <cstring>

#include "smf/SmfFiles.h"
#include "smf/SmfReader.h"
#include "song/Pitch.h"
#include "song/Song.h"
#include "song/Tables.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

using test::Bytes;

Bytes VarLenWritten(uint32_t value) {
    Bytes out;
    writevarlen(out, value);
    return out;
}

displaydata Note(uint32_t start, uint32_t end, uint8_t pitch, uint8_t channel = 0,
                 uint8_t velocity = 100) {
    displaydata n{};
    n.start = start;
    n.end = end;
    n.note = pitch;
    n.line = NoteLine(pitch);
    n.accidental = NoteAccidental(pitch);
    n.channel = channel;
    n.velocity = velocity;
    n.onMsg = PackMsg(0x90 + channel, pitch, velocity);
    n.offMsg = PackMsg(0x80 + channel, pitch, 0);
    return n;
}

// The track chunks of a written file, without their tags and lengths.
std::vector<Bytes> Chunks(const Bytes& file) {
    std::vector<Bytes> chunks;
    for (std::size_t at = 14; at + 8 <= file.size();) {
        const uint32_t length = (uint32_t{file[at + 4]} << 24) | (uint32_t{file[at + 5]} << 16) |
                                (uint32_t{file[at + 6]} << 8) | file[at + 7];
        chunks.emplace_back(file.begin() + static_cast<long>(at + 8),
                            file.begin() + static_cast<long>(at + 8 + length));
        at += 8 + length;
    }
    return chunks;
}

class SmfWriting : public test::SongFixture {
protected:
    // The key signature outlives a reset; start from that of a fresh program.
    void SetUp() override {
        test::SongFixture::SetUp();
        sd.keySharps = 0;
        sd.keyMinor = 0;
    }

    Bytes Save(int expected = kSaveOk) {
        Bytes out;
        EXPECT_EQ(SaveBytes(out, reporter, progress), expected);
        return out;
    }

    test::RecordingProgress progress;
};

TEST(WriteVarLen, WritesAsManyGroupsAsTheValueNeeds) {
    EXPECT_EQ(VarLenWritten(0), (Bytes{0x00}));
    EXPECT_EQ(VarLenWritten(0x7F), (Bytes{0x7F}));
    EXPECT_EQ(VarLenWritten(0x80), (Bytes{0x81, 0x00}));
    EXPECT_EQ(VarLenWritten(0x3FFF), (Bytes{0xFF, 0x7F}));
    EXPECT_EQ(VarLenWritten(0x0FFFFFFF), (Bytes{0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_EQ(VarLenWritten(0x10000000), (Bytes{0x81, 0x80, 0x80, 0x80, 0x00}));
    EXPECT_EQ(VarLenWritten(0xFFFFFFFF), (Bytes{0x8F, 0xFF, 0xFF, 0xFF, 0x7F}));
}

TEST(WriteLong, WritesFourBytesHighFirst) {
    Bytes out;
    writelong(out, 0x01020304);
    EXPECT_EQ(out, (Bytes{1, 2, 3, 4}));
}

TEST(TempoMicroseconds, TruncatesInSinglePrecisionAndStaysWithinThreeBytes) {
    EXPECT_EQ(TempoMicroseconds(2.0f), 500000u);
    EXPECT_EQ(TempoMicroseconds(1.0f / (480000.0f * 0.000001f)), 479999u);
    EXPECT_EQ(TempoMicroseconds(0.01f), 0xFFFFFFu);
    EXPECT_EQ(TempoMicroseconds(0.0f), 0xFFFFFFu);
    EXPECT_EQ(TempoMicroseconds(1.0f / (1.0f * 0.000001f)), 1u);
    EXPECT_EQ(TempoMicroseconds(-2.0f), 1u);
}

TEST_F(SmfWriting, EmptySongIsOneTrackWithItsNameAndTheConductorEvents) {
    const Bytes expected = {'M', 'T',  'h',  'd', 0,    0,    0,    6,    0,   1,   0,
                            1,   0x00, 0xC0,                                              //
                            'M', 'T',  'r',  'k', 0,    0,    0,    0x24,                 //
                            0,   0xFF, 0x03, 7,   'T',  'r',  'a',  'c',  'k', ' ', '1',  //
                            0,   0xFF, 0x59, 2,   0,    0,                                //
                            0,   0xFF, 0x58, 4,   4,    2,    0x24, 8,                    //
                            0,   0xFF, 0x51, 3,   0x07, 0xA1, 0x20,                       //
                            0,   0xFF, 0x2F, 0};
    EXPECT_EQ(Save(), expected);
    EXPECT_EQ(progress.captions, std::vector<std::string>{"Saving File"});
    EXPECT_EQ(progress.gauge, std::vector<int>{100});
    EXPECT_EQ(progress.closed, 1);
}

TEST_F(SmfWriting, TracksUpToTheLastWithNotesAreWrittenAndNothingOfLaterOnes) {
    ASSERT_EQ(AddNote(reporter, 3, Note(0, 96, 60)), kStored);
    ASSERT_EQ(UpdateEventData(reporter, {0, PackMsg(0xB5, 7, 90), 4}), kStored);
    ASSERT_EQ(UpdatePgmData(reporter, {0, PackMsg(0xC6, 3, 0), 5}), kStored);
    lyric words{};
    words.track = 6;
    std::strcpy(words.text, "la");
    ASSERT_EQ(UpdateLyricData(reporter, words), kStored);
    tn[1][0] = '\0';

    const Bytes file = Save();
    EXPECT_EQ(file[11], 4);
    const auto chunks = Chunks(file);
    ASSERT_EQ(chunks.size(), 4u);
    EXPECT_EQ(chunks[1], (Bytes{0, 0xFF, 0x2F, 0}));  // no name, no events
    EXPECT_EQ(chunks[2],
              (Bytes{0, 0xFF, 0x03, 7, 'T', 'r', 'a', 'c', 'k', ' ', '3', 0, 0xFF, 0x2F, 0}));
    EXPECT_EQ(progress.gauge, (std::vector<int>{25, 50, 75, 100}));
}

TEST_F(SmfWriting, NotesArePairsInTimeOrderWithTheNoteOffFirstAtEqualTimes) {
    ASSERT_EQ(AddNote(reporter, 0, Note(0, 96, 60, 2, 80)), kStored);
    ASSERT_EQ(AddNote(reporter, 0, Note(96, 400, 62, 2, 70)), kStored);
    ASSERT_EQ(AddNote(reporter, 0, Note(100, 200, 64, 2, 70)), kStored);
    tn[0][0] = '\0';
    sd.tempoTotal = 0;
    const auto chunks = Chunks(Save());
    ASSERT_EQ(chunks.size(), 1u);
    const Bytes notes(chunks[0].begin() + 14, chunks[0].end());
    const Bytes expected = {0,    0x92, 60,   80,     //
                            96,   0x82, 60,   0,      //
                            0,    0x92, 62,   70,     //
                            4,    0x92, 64,   70,     //
                            100,  0x82, 64,   0,      //
                            0x81, 0x48, 0x82, 62, 0,  // delta 200
                            0,    0xFF, 0x2F, 0};
    EXPECT_EQ(notes, expected);
}

TEST_F(SmfWriting, AtEqualTimesConductorProgramsControllersLyricsAndNotesKeepThatOrder) {
    ASSERT_EQ(AddNote(reporter, 0, Note(0, 10, 60)), kStored);
    lyric words{};
    std::strcpy(words.text, "");
    ASSERT_EQ(UpdateLyricData(reporter, words), kStored);
    ASSERT_EQ(UpdateEventData(reporter, {0, PackMsg(0xB0, 10, 64), 0}), kStored);
    ASSERT_EQ(UpdatePgmData(reporter, {0, PackMsg(0xC0, 5, 0), 0}), kStored);
    std::strcpy(cpyright, "(c)");
    copyrightSet() = 1;
    const auto chunks = Chunks(Save());
    const Bytes expected = {0,  0xFF, 0x03, 7,   'T',  'r',  'a',  'c', 'k', ' ', '1',  //
                            0,  0xFF, 0x02, 3,   '(',  'c',  ')',                       //
                            0,  0xFF, 0x59, 2,   0,    0,                               //
                            0,  0xFF, 0x58, 4,   4,    2,    0x24, 8,                   //
                            0,  0xFF, 0x51, 3,   0x07, 0xA1, 0x20,                      //
                            0,  0xC0, 5,                                                //
                            0,  0xB0, 10,   64,                                         //
                            0,  0xFF, 0x01, 0,                                          //
                            0,  0x90, 60,   100,                                        //
                            10, 0x80, 60,   0,                                          //
                            0,  0xFF, 0x2F, 0};
    EXPECT_EQ(chunks[0], expected);
}

TEST_F(SmfWriting, AnyDenominatorButFourIsWrittenAsEighths) {
    sd.tsNumerator = 5;
    sd.tsDenominator = 16;
    sd.keySharps = -2;
    sd.keyMinor = 1;
    const auto chunks = Chunks(Save());
    const Bytes conductor(chunks[0].begin() + 11, chunks[0].begin() + 25);
    EXPECT_EQ(conductor, (Bytes{0, 0xFF, 0x59, 2, 0xFE, 1, 0, 0xFF, 0x58, 4, 5, 3, 0x24, 8}));
}

TEST_F(SmfWriting, TrackWithMoreThan14999EventsFailsWithItsCountAndNoOutput) {
    for (uint32_t i = 0; i < 7000; ++i) {
        ASSERT_EQ(AddNote(reporter, 0, Note(i, i + 1, static_cast<uint8_t>(21 + i % 80))), kStored);
    }
    for (uint32_t i = 0; i < 996; ++i) {
        ASSERT_EQ(UpdateEventData(reporter, {i, PackMsg(0xB0, 7, 1), 0}), kStored);
    }
    EXPECT_FALSE(Save(kSaveOk).empty());  // 3 conductor events + 996 + 14000 = 14999

    ASSERT_EQ(UpdateEventData(reporter, {5000, PackMsg(0xB0, 7, 1), 0}), kStored);
    reporter.messages.clear();
    progress = {};
    EXPECT_TRUE(Save(kSaveTrackFailed).empty());
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "evtot=14999");
    EXPECT_EQ(reporter.messages[0].caption, "Create Track");
    EXPECT_EQ(progress.closed, 1);
}

TEST_F(SmfWriting, NoteFieldsOutsideTheirRangesCannotBreakTheFile) {
    displaydata odd = Note(0, 10, 60);
    odd.channel = 0x13;
    odd.velocity = 200;
    ASSERT_EQ(AddNote(reporter, 0, odd), kStored);
    tn[0][0] = '\0';
    sd.tempoTotal = 0;
    const auto chunks = Chunks(Save());
    const Bytes notes(chunks[0].begin() + 14, chunks[0].begin() + 22);
    EXPECT_EQ(notes, (Bytes{0, 0x93, 60, 200 & 0x7F, 10, 0x83, 60, 0}));
}

}  // namespace
}  // namespace tw
