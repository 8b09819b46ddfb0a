#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "platform/midi/RecordingOut.h"
#include "playback/MidiPort.h"
#include "song/Song.h"

namespace tw {
namespace {

using midi::RecordingOut;

// The port layer with recorders behind it in place of the machine's devices.
class MidiPort : public ::testing::Test {
protected:
    void SetUp() override {
        SetPortDefaults();
        SetPortOpener([this](uint32_t device) -> std::unique_ptr<midi::MidiOut> {
            opened.push_back(device);
            if (refuse) {
                return nullptr;
            }
            records.push_back(std::make_shared<RecordingOut::Record>());
            return std::make_unique<RecordingOut>(records.back());
        });
    }
    void TearDown() override {
        CloseMidiOut();
        SetPortOpener({});
    }

    std::vector<uint32_t> opened;
    std::vector<std::shared_ptr<RecordingOut::Record>> records;
    bool refuse = false;
};

TEST_F(MidiPort, OpeningClosesTheOldPortWithAResetAndAfterClosingSendsAreDropped) {
    EXPECT_STREQ(md.portName, "Midi Mapper");
    OpenMidiOut();
    EXPECT_EQ(md.portOpen, 1u);
    Port().Send(PackMsg(0x90, 60, 100));
    md.portDevice = 1;
    OpenMidiOut();
    CloseMidiOut();
    EXPECT_EQ(md.portOpen, 0u);
    Port().Send(PackMsg(0x90, 62, 100));
    EXPECT_EQ(opened, (std::vector<uint32_t>{midi::kMapper, 1}));
    ASSERT_EQ(records.size(), 2u);
    ASSERT_EQ(std::tuple(records[0]->size(), records[1]->size()), std::tuple(2u, 1u));
    EXPECT_EQ((*records[0])[0].msg, PackMsg(0x90, 60, 100));
    EXPECT_TRUE((*records[0])[1].reset && (*records[1])[0].reset);
}

TEST_F(MidiPort, AFailedOpenLeavesThePortClosedAndARecordReadAsOpenClosesHarmlessly) {
    refuse = true;
    md.portOpen = 1;  // as read back from tw.cfg, with nothing open
    OpenMidiOut();
    EXPECT_EQ(md.portOpen, 0u);
    Port().Send(PackMsg(0x90, 60, 100));
    uint32_t volume = 0;
    EXPECT_TRUE(!Port().GetVolume(volume) && records.empty());
    EXPECT_TRUE(TakeUntoldOpenFailure());
    EXPECT_FALSE(TakeUntoldOpenFailure());  // told once
    md.portDevice = 3;
    std::strcpy(md.portName, "Synth D");
    OpenMidiOut();
    EXPECT_NE(UnopenedPortText(2).find("MIDI port 3 (\"Synth D\") is not there"),
              std::string::npos);
    EXPECT_NE(UnopenedPortText(4).find("would not open"), std::string::npos);
    refuse = false;
    OpenMidiOut();
    EXPECT_FALSE(TakeUntoldOpenFailure());
}

TEST(MidiPortDevices, AStoredDeviceThatNoLongerExistsOpensNothingSilently) {
    setenv("JACK_DEFAULT_SERVER", "tunewell-test-no-such-server", 1);
    SetPortDefaults();
    md.portDevice = 57;
    ::testing::internal::CaptureStderr();
    OpenMidiOut();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(md.portOpen, 0u);
}

}  // namespace
}  // namespace tw
