#include <gtest/gtest.h>

#include "smf/SmfFiles.h"
#include "smf/SmfReader.h"
#include "smf/SmfWriter.h"
#include "smf/SongSnapshot.h"
#include "song/Song.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

using test::Bytes;
using test::Track;

// A song with every kind of event the reader keeps, each track on one
// channel, each track ending at its last event.
Bytes RichSong() {
    const Track conductor = Track()
                                .Meta(0, 0x03, "Conductor")
                                .Meta(0, 0x02, "(c) 2026 Tunewell")
                                .Event(0, {0xFF, 0x58, 4, 3, 2, 24, 8})
                                .Event(0, {0xFF, 0x59, 2, 0xFE, 1})
                                .Event(0, {0xFF, 0x51, 3, 0x07, 0xA1, 0x20})
                                .Event(384, {0xFF, 0x51, 3, 0x09, 0x27, 0xC0})
                                .Event(384, {0xFF, 0x51, 3, 0x07, 0x53, 0x00})
                                .End();
    const Track melody = Track()
                             .Meta(0, 0x03, "Melody")
                             .Event(0, {0xC1, 40})
                             .Event(0, {0xB1, 7, 100})
                             .Event(0, {0xB1, 10, 20})
                             .Event(0, {0xB1, 91, 30})
                             .Event(0, {0xB1, 93, 40})
                             .Meta(0, 0x05, "Hel")
                             .Event(0, {0x91, 60, 90})
                             .Event(0, {0x91, 64, 91})
                             .Meta(96, 0x01, "lo")
                             .Event(96, {0x81, 60, 0})
                             .Event(0, {0x91, 60, 0})  // no open note: ignored
                             .Event(96, {0x91, 67, 92})
                             .Event(0, {0x91, 64, 0})
                             .Event(192, {0xB1, 7, 80})
                             .Event(0, {0xC1, 41})
                             .Event(48, {0x81, 67, 0})
                             .End();
    const Track bass = Track()
                           .Meta(0, 0x03, "Bass")
                           .Event(0, {0xC2, 33})
                           .Event(0, {0x92, 36, 70})
                           .Raw({0, 43, 71, 100, 36, 0, 0, 43, 0})
                           .Meta(0, 0x05, "")
                           .Event(0, {0x92, 36, 72})
                           .Event(500, {0x82, 36, 0})
                           .End();
    return test::File(96, {conductor, melody, bass});
}

class SmfRoundTrip : public test::SongFixture {
protected:
    int Load(const Bytes& file) {
        SetDefaults();
        return LoadBytes(file, reporter, progress);
    }
    Bytes Save() {
        Bytes out;
        EXPECT_EQ(SaveBytes(out, reporter, progress), kSaveOk);
        return out;
    }

    test::RecordingProgress progress;
};

TEST_F(SmfRoundTrip, EveryKeptKindOfEventComesBack) {
    ASSERT_EQ(Load(RichSong()), kLoadOk);
    const test::SongSnapshot before = test::TakeSnapshot();
    ASSERT_EQ(sd.tempoTotal, 3u);
    ASSERT_EQ(sd.eventTotal, 5u);
    ASSERT_EQ(sd.pgmTotal, 3u);
    ASSERT_EQ(sd.lyricTotal, 3u);
    ASSERT_EQ(sd.noteCount[1], 3u);
    ASSERT_EQ(sd.noteCount[2], 3u);

    ASSERT_EQ(Load(Save()), kLoadOk);
    const test::SongSnapshot after = test::TakeSnapshot();
    EXPECT_EQ(after.notes, before.notes);
    EXPECT_EQ(after.controllers, before.controllers);
    EXPECT_EQ(after.programs, before.programs);
    EXPECT_EQ(after.lyrics, before.lyrics);
    EXPECT_EQ(after.names, before.names);
    EXPECT_EQ(after.copyright, before.copyright);
    EXPECT_EQ(after.state, before.state);
    ASSERT_EQ(after.tempos.size(), before.tempos.size());
    EXPECT_EQ(td[1].time, 384u);
    EXPECT_EQ(TempoMicroseconds(td[0].tempo), 500000u);
    EXPECT_NEAR(TempoMicroseconds(td[1].tempo), 600000.0, 2.0);
}

TEST_F(SmfRoundTrip, SavingWhatWasSavedGivesTheSameBytes) {
    ASSERT_EQ(Load(RichSong()), kLoadOk);
    const Bytes first = Save();
    ASSERT_EQ(Load(first), kLoadOk);
    EXPECT_EQ(Save(), first);
}

TEST_F(SmfRoundTrip, WhatTheReaderDropsIsNotWrittenAndSignaturesMoveToTheStart) {
    const Track conductor = Track().End();
    const Track late = Track()
                           .Event(0, {0x90, 60, 100})
                           .Event(0, {0x90, 62, 1})  // a note-off, not a note
                           .Event(0, {0xE0, 0, 64})
                           .Event(0, {0xB0, 64, 127})
                           .Event(0, {0xF0, 1, 0xF7})
                           .Meta(0, 0x06, "marker")
                           .Event(100, {0xFF, 0x58, 4, 2, 1, 24, 8})
                           .Event(0, {0xFF, 0x59, 2, 3, 0})
                           .Event(92, {0x80, 60, 0})
                           .End();
    ASSERT_EQ(Load(test::File(96, {conductor, late})), kLoadOk);
    const Bytes saved = Save();
    const Bytes expectedTrack0 = {0,    0xFF, 0x03, 7,    'T',  'r', 'a',  'c',  'k',
                                  ' ',  '1',  0,    0xFF, 0x59, 2,   3,    0,    0,
                                  0xFF, 0x58, 4,    2,    3,    24,  8,    0,    0xFF,
                                  0x51, 3,    0x07, 0xA1, 0x20, 0,   0xFF, 0x2F, 0};
    EXPECT_EQ(Bytes(saved.begin() + 22, saved.begin() + 22 + 36), expectedTrack0);
    const Bytes expectedTrack1 = {0,    0xFF, 0x03, 7,  'T',  'r', 'a', 'c',
                                  'k',  ' ',  '2',  0,  0x90, 60,  100,  //
                                  0x81, 0x40, 0x80, 60, 0,               //
                                  0,    0xFF, 0x2F, 0};
    EXPECT_EQ(Bytes(saved.begin() + 22 + 36 + 8, saved.end()), expectedTrack1);

    ASSERT_EQ(Load(saved), kLoadOk);
    EXPECT_EQ(sd.tsDenominator, 8u);  // 2/2 comes back as 2/8
    EXPECT_EQ(sd.keySharps, 3);
}

}  // namespace
}  // namespace tw
