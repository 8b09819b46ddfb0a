#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "controls/Button2.h"
#include "controls/Display.h"
#include "controls/Fader.h"
#include "controls/Led.h"
#include "controls/Pot.h"
#include "controls/VU.h"
#include "mainwin/WindowProgress.h"
#include "mainwin/tw32Window.h"
#include "platform/midi/RecordingOut.h"
#include "platform/ui/Application.h"
#include "platform/ui/MouseInput.h"
#include "playback/MidiPort.h"
#include "smf/SongFile.h"
#include "song/Song.h"
#include "staff/Staff.h"
#include "tests/support/PanelFixture.h"
#include "tests/support/ScriptedRunner.h"
#include "tests/support/SongFixture.h"
#include "tests/support/SongMaker.h"
#include "tests/support/TempDir.h"

namespace tw {
namespace {

// The panel, telling which areas it was asked to repaint.
class RecordingPanel : public tw32Window {
public:
    using tw32Window::tw32Window;
    std::vector<ui::Rect> painted;

protected:
    void Paint(ui::DC& dc, bool erase, ui::Rect& rect) override {
        painted.push_back(rect);
        tw32Window::Paint(dc, erase, rect);
    }
};

class Panel : public test::BasicPanelFixture<RecordingPanel> {
protected:
    void Send(ui::MsgId msg, ui::WParam w, ui::LParam l = 0) { window->SendMessage(msg, w, l); }
};

TEST_F(Panel, PlayerNotificationsDriveTheTimeDisplaysThePointerAndTheMeters) {
    Open();
    Display& current = At<Display>(727, 303);
    window->painted.clear();
    sd.now = 1000;
    Send(600, 1);
    ui::Application::PumpWaitingMessages();
    EXPECT_EQ(current.Text(), "0001:0232");
    const ui::Rect pointer = window->PointerRect();
    EXPECT_TRUE(std::any_of(window->painted.begin(), window->painted.end(), [&](ui::Rect r) {
        return r.left <= pointer.left && r.right >= pointer.right && r.top <= pointer.top &&
               r.bottom >= pointer.bottom;
    }));
    EXPECT_EQ(window->PointerX(), 55 + 416);  // 1000 ticks at 320 pixels per 768
    sd.markTime = 768;
    Send(600, 2);
    EXPECT_EQ(At<Display>(727, 320).Text(), "0001:0000");
    sd.bar = 1;
    Send(600, 0);
    EXPECT_EQ(std::tuple(At<Display>(40, 8).Text(), window->PointerX()),
              std::tuple("0001", 55 + 96));

    // The meter shows the velocity, not the note number.
    VU& meter = At<VU>(8 + 120 + 17, 302);
    Send(600, 8, PackMsg(0x93, 120, 10));
    const int soft = meter.LevelTop();
    Send(600, 8, PackMsg(0x93, 10, 120));
    const int loud = meter.LevelTop();
    EXPECT_LT(loud, soft);
    Send(600, 9);
    EXPECT_GT(meter.LevelTop(), loud);
    Send(600, 7, PackMsg(0xC0, 0xC1, 0));  // a stray high bit: program 65
    EXPECT_EQ(At<Display>(475, 8).Text(), "Alto Sax");
    td[0].tempo = 1.5f;
    Send(600, 5, 0);
    EXPECT_EQ(At<Display>(757, 372).Text(), "090");
    EXPECT_NEAR(At<Fader>(752, 400).GetPosition(), 90, 1);  // to the thumb's pixel
}

TEST_F(Panel, StripControlsSendAndRecordAtTheStartOfTheCurrentBarUnderTheCurrentTrack) {
    Open();
    sd.bar = 2;
    sd.track = 0;
    Send(450, 90, 5);
    Send(453, 21, 5);
    Send(454, 42, 0);
    Send(455, 127, 15);
    const std::vector<uint32_t> expected = {PackMsg(0xB5, 7, 90), PackMsg(0xB5, 10, 21),
                                            PackMsg(0xB0, 91, 42), PackMsg(0xBF, 93, 127)};
    EXPECT_EQ(Sent(), expected);
    EXPECT_EQ(std::tuple(sd.eventTotal, ed[0].time, ed[0].msg, ed[0].track, sd.changed),
              std::tuple(4u, 1536u, expected[0], 0u, 1u));

    // What playback sent moves the matching control; the engine has sent it,
    // so the window sends nothing.
    record->clear();
    window->SetControl(PackMsg(0xB2, 7, 64));
    window->SetControl(PackMsg(0xB2, 1, 99));
    EXPECT_NEAR(At<Fader>(8 + 80 + 1, 460).GetPosition(), 64, 1);
    EXPECT_EQ(sd.eventTotal, 4u) << "nothing is recorded";

    // A reposition puts every strip back, with the first tempo.
    td[0].tempo = 2.5f;
    window->ResetMixer();
    EXPECT_NEAR(At<Fader>(8 + 80 + 1, 460).GetPosition(), 100, 1);
    EXPECT_EQ(At<Pot>(8 + 200 + 1, 425).GetPosition(), 63u);
    EXPECT_NEAR(At<Fader>(752, 400).GetPosition(), 150, 1);
    EXPECT_TRUE(record->empty());
}

TEST_F(Panel, OneChannelIsSoloedAtATimeAndTheSoloedChannelIsNeverMuted) {
    Open();
    Button2& mute3 = At<Button2>(8 + 120 + 3, 324);
    Button2& solo3 = At<Button2>(8 + 120 + 3, 302);
    Button2& solo4 = At<Button2>(8 + 160 + 3, 302);
    ui::MouseInput::Click(mute3, {4, 4});
    EXPECT_EQ(sd.channelMute[3], 1u);
    ui::MouseInput::Click(solo3, {4, 4});  // soloing a muted channel unmutes it
    EXPECT_EQ(std::tuple(sd.soloChannel, sd.channelMute[3], mute3.GetPosition()),
              std::tuple(3, 0u, 0));
    ui::MouseInput::Click(solo4, {4, 4});  // a second solo releases the first
    EXPECT_EQ(std::tuple(sd.soloChannel, solo3.GetPosition()), std::tuple(4, 0));
    ui::MouseInput::Click(At<Button2>(8 + 160 + 3, 324), {4, 4});  // muting it clears the solo
    EXPECT_EQ(std::tuple(sd.soloChannel, solo4.GetPosition(), sd.changed), std::tuple(-1, 0, 0u));
}

TEST_F(Panel, MasterFadersDriveThePortVolumeTogetherWhenLocked) {
    Open();
    EXPECT_EQ(At<Fader>(656, 450).GetPosition(), 255u);
    sd.masterLock = 1;
    Send(451, 100, 1);
    EXPECT_NEAR(At<Fader>(656, 450).GetPosition(), 100, 3);  // three values to a pixel
    uint32_t volume = 0;
    ASSERT_TRUE(Port().GetVolume(volume));
    EXPECT_EQ(volume, (100u << 8) | (100u << 24));
    sd.masterLock = 0;
    Send(451, 20, 0);
    ASSERT_TRUE(Port().GetVolume(volume));
    EXPECT_EQ(volume, (20u << 8) | (100u << 24));

    // Read back from the port: unlocked each side as it is, locked both
    // at the left.
    window->SetMasterLevels();
    EXPECT_NEAR(At<Fader>(700, 450).GetPosition(), 100, 3);
    sd.masterLock = 1;
    window->SetMasterLevels();
    EXPECT_NEAR(At<Fader>(700, 450).GetPosition(), 20, 3);
    ASSERT_TRUE(Port().GetVolume(volume));
    EXPECT_EQ(volume, (20u << 8) | (20u << 24));
}

TEST_F(Panel, APortWithoutVolumeShowsFullScaleAndIgnoresTheFaders) {
    hasVolume = false;
    CloseMidiOut();
    OpenMidiOut();
    Open();
    EXPECT_EQ(std::tuple(At<Fader>(656, 450).GetPosition(), At<Fader>(700, 450).GetPosition()),
              std::tuple(255u, 255u));
    Send(451, 30, 0);
    EXPECT_TRUE(record->empty());
}

TEST_F(Panel, AStoredTempoMarksTheSongChangedAndTheFirstTempoSnapsToTheFader) {
    Open();
    sd.bar = 1;
    sd.storeEnable = 0;
    Send(452, 90, 2);
    EXPECT_EQ(std::tuple(At<Display>(757, 372).Text(), sd.tempoTotal, sd.changed),
              std::tuple("090", 1u, 0u));
    sd.storeEnable = 1;
    Send(452, 150, 2);
    EXPECT_EQ(std::tuple(sd.tempoTotal, td[1].time, td[1].tempo, sd.changed),
              std::tuple(2u, 768u, 2.5f, 1u));

    td[0].tempo = 5.0f;  // 300 per minute, above the fader's range
    window->UpdateTempoSetting();
    EXPECT_EQ(At<Display>(757, 372).Text(), "240");
    EXPECT_FLOAT_EQ(td[0].tempo, 4.0f);
}

TEST_F(Panel, HeaderStepsAreRefusedWhilePlayingAndAChannelChangeMovesTheTrack) {
    Open();
    dd[1][0] = test::MakeNote(0, 100, 60, 0);
    sd.noteCount[1] = 1;
    window->SetActive();
    EXPECT_EQ(At<Led>(8 + 22, 540).GetPosition(), 1);

    sd.playState = 1;
    for (ui::MsgId m : {401u, 402u, 404u}) {
        Send(m, 1);
    }
    EXPECT_EQ(std::tuple(sd.bar, sd.track, sd.channel), std::tuple(0u, 0, 0));
    sd.playState = 0;

    Send(402, 1);
    EXPECT_EQ(At<Display>(125, 8).Text() + " " + At<Display>(750, 8).Text(), "02 0001");
    for (int i = 0; i < 9; ++i) {
        Send(404, 1);
    }
    // The track's notes move with it; the core's test checks their messages.
    EXPECT_EQ(std::tuple(sd.channel, dd[1][0].channel, At<Display>(475, 8).Text(), sd.changed),
              std::tuple(9, uint8_t{9}, "Percussion", 1u));
    EXPECT_EQ(
        std::tuple(At<Led>(8 + 22, 540).GetPosition(), At<Led>(8 + 360 + 22, 540).GetPosition()),
        std::tuple(0, 1));
    for (int i = 0; i < 10; ++i) {
        Send(404, 1);  // never past channel 16
    }
    EXPECT_EQ(std::tuple(sd.channel, At<Display>(445, 8).Text()), std::tuple(15, "16"));

    Send(401, 0);  // a step back at bar 0 stays there
    EXPECT_EQ(sd.bar, 0u);
    Send(401, 1);
    EXPECT_EQ(std::tuple(sd.bar, sd.now), std::tuple(1u, 768u));
}

TEST_F(Panel, TheHeaderDialogsEnterNumbersNamesAndInstruments) {
    Open();
    sd.bar = 3;
    {
        test::ScriptedRunner script;
        script.OnDialog(1, [](ui::Dialog& d) { test::Type(d, 601, "12"); })
            .OnDialog(1, ui::IdCancel)
            .OnDialog(1, [](ui::Dialog& d) { test::Type(d, 601, "7"); })
            .OnDialog(1, [](ui::Dialog& d) { test::Type(d, 601, "10"); })
            .OnDialog(3,
                      [](ui::Dialog& d) {
                          // The list opens on the channel's program.
                          EXPECT_EQ(d.Item<ui::ListBox>(633)->GetSelString(), "Celesta");
                          test::Click(d, 633, 24);
                      })
            .OnDialog(2, [](ui::Dialog& d) { test::Type(d, 634, "Lead"); });
        Send(401, 2);  // bar 12
        Send(402, 2);  // cancelled: track 1 stays
        Send(402, 2);  // track 7
        Send(404, 2);  // channel 10 for track 7
        sd.channel = 2;
        sd.channelProgram[2] = 8;
        Send(405, 0);  // program 24 on channel 3
        sd.changed = 0;
        Send(403, 0);
        EXPECT_EQ(sd.changed, 1u);
    }
    EXPECT_EQ(std::tuple(sd.bar, sd.now, sd.track, sd.trackChannel[6]),
              std::tuple(12u, 12u * 768, 6, uint8_t{9}));
    EXPECT_EQ(std::tuple(std::string(tn[6]), At<Display>(155, 8).Text()),
              std::tuple("Lead", "Lead"));
    EXPECT_EQ(std::tuple(sd.channelProgram[2], At<Display>(475, 8).Text()),
              std::tuple(uint8_t{24}, "Nylon Guitar"));
    EXPECT_EQ(std::tuple(sd.pgmTotal, pgm[0].time, pgm[0].msg, pgm[0].track, sd.changed),
              std::tuple(1u, 12u * 768, PackMsg(0xC2, 24, 0), 6u, 1u));

    sd.channel = 9;
    test::ScriptedRunner warning;
    warning.Answer(ui::IdOk);
    Send(405, 0);
    ASSERT_EQ(warning.boxes.size(), 1u);
    EXPECT_EQ(std::tuple(warning.boxes[0].text, warning.boxes[0].caption),
              std::tuple("Channel 10 can only be set to Percussion", "Warning: Voice Setting"));
}

// The progress of a load on the panel, with a click on the staff made while
// the gauge moves to the second track.
class ClickingProgress final : public Progress {
public:
    ClickingProgress(ui::Window* owner, std::function<void()> click)
        : shown(owner), click(std::move(click)) {}
    void Open(const char* caption) override { shown.Open(caption); }
    void Update(int percent) override {
        shown.Update(percent);
        if (++updates == 2) {
            click();
        }
    }
    void Close() override { shown.Close(); }

private:
    WindowProgress shown;
    std::function<void()> click;
    int updates = 0;
};

TEST_F(Panel, AClickDuringALoadWaitsUntilTheSongIsWhole) {
    const test::TempDir dir;
    const std::string file = dir / "song.mid";
    {
        test::SongMaker song;
        song.Note(0, 0, 64, 768, 960);
        song.Note(1, 0, 67, 768, 960);
        ASSERT_TRUE(song.Save(file));
    }
    ASSERT_TRUE(Startup());
    Open();
    ClickingProgress progress(window.get(), [this] {
        ui::MouseInput::Click(*window->GetStaff(), {75, 4 * 28 - 32});
    });
    ASSERT_EQ(OpenSongFile(file.c_str(), reporter, progress), 0);
    EXPECT_EQ(std::tuple(sd.noteCount[0], sd.noteCount[1]), std::tuple(1u, 1u));
    ui::Application::PumpWaitingMessages();
    // The click, on the whole song.
    EXPECT_EQ(std::tuple(sd.noteCount[0], dd[0][0].note, dd[0][1].note, sd.noteCount[1]),
              std::tuple(2u, uint8_t{60}, uint8_t{64}, 1u));
}

}  // namespace
}  // namespace tw
