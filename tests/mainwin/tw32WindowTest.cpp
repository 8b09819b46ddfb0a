#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "controls/Button2.h"
#include "controls/Display.h"
#include "controls/Pot.h"
#include "mainwin/tw32Window.h"
#include "platform/ui/Application.h"
#include "platform/ui/TestHost.h"
#include "tests/support/SongFixture.h"

namespace tw {
namespace {

using ui::Color;

const Color kPanelGrey{220, 220, 220};
const Color kMixerBlue{50, 50, 125};

class MainWindow : public test::SongFixture {
protected:
    void Open() {
        ASSERT_TRUE(window.Create());
        window.Show();
        ui::Application::PumpWaitingMessages();
    }

    // The control made at (x, y) on the panel.
    template <class T>
    T& At(int x, int y) {
        for (ui::Window* child : window.Children()) {
            if (child->Position() == ui::Point{x, y}) {
                if (auto* control = dynamic_cast<T*>(child)) {
                    return *control;
                }
            }
        }
        ADD_FAILURE() << "no such control at " << x << "," << y;
        throw std::runtime_error("missing control");
    }

    tw32Window window{nullptr};
};

TEST_F(MainWindow, ALargerClientAreaIsPlainGreyBeyondThePanel) {
    window.MoveWindow(0, 0, 860, 620);
    Open();
    const ui::Image img = window.PaintToImage();
    test::ExpectPixels(img, kPanelGrey, {{830, 20}, {830, 400}, {400, 580}, {830, 600}});
    test::ExpectPixels(img, kMixerBlue, {{797, 400}});
}

TEST_F(MainWindow, SongStartUpShowsTheFirstTrackAndTheSongsNoteEntryChoices) {
    Open();
    sd.track = 5;
    sd.bar = 12;
    sd.trackChannel[0] = 3;
    sd.noteCount[0] = 42;
    sd.lyricCount[0] = 7;
    sd.noteType = 4;
    sd.symbolType = kSharp;
    sd.noteMode = 1;
    sd.dot = 1;
    sd.storeEnable = 0;
    sd.velocity = 84;
    window.SetSongStartUp();
    EXPECT_EQ(sd.track, 0);
    EXPECT_EQ(sd.bar, 0u);
    EXPECT_EQ(sd.channel, 3);
    EXPECT_EQ(At<Display>(750, 8).Text(), "0042");
    EXPECT_EQ(At<Display>(40, 8).Text(), "0000");  // rewritten by the bar change
    EXPECT_EQ(At<Display>(445, 8).Text(), "04");
    EXPECT_EQ(At<Display>(155, 8).Text(), "Track 1");
    EXPECT_EQ(At<Display>(88, 47).Text(), "0007");
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(At<Button2>(205 + 15 * i, 50).GetPosition(), i == 4 ? 1 : 0);
    }
    EXPECT_EQ(At<Button2>(300, 60).GetPosition(), 0);
    EXPECT_EQ(At<Button2>(315, 60).GetPosition(), 1);
    EXPECT_EQ(At<Button2>(485, 52).GetPosition(), 0);
    EXPECT_EQ(At<Button2>(530, 52).GetPosition(), 1);
    EXPECT_EQ(At<Button2>(335, 60).GetPosition(), 1);
    EXPECT_EQ(At<Button2>(740, 47).GetPosition(), 0);
    EXPECT_EQ(At<Pot>(430, 50).GetPosition(), 84u);
    EXPECT_EQ(At<Display>(375, 47).Text(), "127");
}

}  // namespace
}  // namespace tw
