#include <gtest/gtest.h>

#include "mainwin/tw32Window.h"
#include "platform/ui/Application.h"
#include "platform/ui/TestHost.h"
#include "tests/support/SongFixture.h"

namespace tw {
namespace {

using ui::Color;

const Color kPanelGrey{220, 220, 220};
const Color kMixerBlue{50, 50, 125};

using MainWindow = test::SongFixture;

TEST_F(MainWindow, ALargerClientAreaIsPlainGreyBeyondThePanel) {
    tw32Window window(nullptr);
    window.MoveWindow(0, 0, 860, 620);
    ASSERT_TRUE(window.Create());
    window.Show();
    ui::Application::PumpWaitingMessages();
    const ui::Image img = window.PaintToImage();
    test::ExpectPixels(img, kPanelGrey, {{830, 20}, {830, 400}, {400, 580}, {830, 600}});
    test::ExpectPixels(img, kMixerBlue, {{797, 400}});
}

}  // namespace
}  // namespace tw
