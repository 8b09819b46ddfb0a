#include <gtest/gtest.h>

#include "smf/SmfFiles.h"
#include "smf/SmfReader.h"
#include "smf/SmfWriter.h"
#include "support/SongFixture.h"

namespace tw {
namespace {

using test::Bytes;
using test::Track;

// Every kind of event the reader keeps, each track on one channel and
// ending at its last event, so that the tables come back whole.
Bytes RichSong() {
    const Track conductor = Track()
                                .Meta(0, 0x03, "Conductor")
                                .Meta(0, 0x02, "(c) 2026 Tunewell")
                                .Event(0, {0xFF, 0x58, 4, 3, 2, 24, 8})
                                .Event(0, {0xFF, 0x59, 2, 0xFE, 1})
                                .Event(0, {0xFF, 0x51, 3, 0x07, 0xA1, 0x20})
                                .Event(384, {0xFF, 0x51, 3, 0x09, 0x27, 0xC0})
                                .End(384);
    const Track melody = Track()
                             .Meta(0, 0x03, "Melody")
                             .Event(0, {0xC1, 40})
                             .Raw({0, 0xB1, 7, 100, 0, 10, 20, 0, 91, 30, 0, 93, 40})
                             .Meta(0, 0x05, "Hel")
                             .Event(0, {0x91, 60, 90})
                             .Event(0, {0x91, 64, 91})
                             .Meta(96, 0x01, "lo")
                             .Event(96, {0x81, 60, 0})
                             .Event(96, {0x91, 67, 92})
                             .Event(0, {0x91, 64, 0})
                             .Event(192, {0xC1, 41})
                             .Event(48, {0x81, 67, 0})
                             .End();
    const Track bass = Track()
                           .Event(0, {0xC2, 33})
                           .Event(0, {0x92, 36, 70})
                           .Raw({0, 43, 71, 100, 36, 0, 0, 43, 0})
                           .Meta(0, 0x05, "")
                           .Event(500, {0x92, 36, 72})
                           .Event(168, {0x82, 36, 0})
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

TEST_F(SmfRoundTrip, EveryKeptKindOfEventComesBackAndASecondSaveIsIdentical) {
    ASSERT_EQ(Load(RichSong()), kLoadOk);
    ASSERT_EQ(sd.eventTotal + sd.pgmTotal + sd.lyricTotal + sd.tempoTotal, 4u + 3 + 3 + 2);
    const Bytes before = test::Snapshot();
    const Bytes saved = Save();
    ASSERT_EQ(Load(saved), kLoadOk);
    EXPECT_EQ(test::Snapshot(), before);
    EXPECT_EQ(Save(), saved);
}

TEST_F(SmfRoundTrip, DroppedEventsAreNotWrittenAndSignaturesMoveToTheStartOfTrack0) {
    const Track late = Track()
                           .Event(0, {0x90, 60, 100})
                           .Event(0, {0x90, 62, 1})  // a note-off, not a note
                           .Raw({0, 0xE0, 0, 64, 0, 0xB0, 64, 127, 0, 0xF0, 1, 0xF7})
                           .Meta(0, 0x06, "marker")
                           .Event(100, {0xFF, 0x58, 4, 2, 1, 24, 8})
                           .Event(0, {0xFF, 0x59, 2, 3, 0})
                           .Event(92, {0x80, 60, 0})
                           .End();
    ASSERT_EQ(Load(test::File(96, {Track().End(), late})), kLoadOk);
    const Bytes saved = Save();
    const Bytes signatures = {0, 0xFF, 0x59, 2, 3, 0, 0, 0xFF, 0x58, 4, 2, 3, 24, 8};
    EXPECT_EQ(Bytes(saved.begin() + 33, saved.begin() + 47), signatures);
    const Bytes notes = {0, 0x90, 60, 100, 0x81, 0x40, 0x80, 60, 0, 0, 0xFF, 0x2F, 0};
    EXPECT_EQ(Bytes(saved.end() - 13, saved.end()), notes);
    ASSERT_EQ(Load(saved), kLoadOk);
    EXPECT_EQ(sd.tsDenominator, 8u);  // 2/2 comes back as 2/8
}

}  // namespace
}  // namespace tw
