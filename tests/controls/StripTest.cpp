#include <gtest/gtest.h>

#include "controls/Button2.h"
#include "controls/Fader.h"
#include "controls/Led.h"
#include "controls/Pot.h"
#include "controls/VU.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/TestHost.h"

namespace tw {
namespace {

// Two of the mixer's channel strips as the main window lays them out, moved
// up by 296 pixels so that the strips start at the top of the host,
// painted side by side and clicked through the host.
TEST(ChannelStrip, ControlsOfOneRowShareTheirMessageAndCarryTheChannel) {
    test::TestHost host(90, 262, {50, 50, 125});
    Fader* fader[2];
    Pot* pan[2];
    Button2* mute[2];
    VU* vu[2];
    Led* led[2];
    for (int c = 0; c < 2; ++c) {
        const int x = 9 + 40 * c;
        fader[c] = new Fader(&host, 450, x, 164, 35, 80, 1, c);
        pan[c] = new Pot(&host, 453, x, 129, 35, 25, 4, 15, c);
        new Pot(&host, 454, x, 92, 35, 25, 2, 15, c);
        new Pot(&host, 455, x, 52, 35, 25, 2, 15, c);
        mute[c] = new Button2(&host, 456, x + 2, 28, 9, 9, 458, 459, 1, c);
        new Button2(&host, 457, x + 2, 6, 9, 9, 460, 461, 1, c);
        vu[c] = new VU(&host, -1, x + 16, 6, 12, 30);
        led[c] = new Led(&host, -1, x + 21, 244, 12, 14, 1);
    }
    host.Open();
    for (ui::Window* w : host.Children()) {
        if (auto* pot = dynamic_cast<Pot*>(w)) {
            pot->SetRange(0, 127);
        }
    }
    for (int c = 0; c < 2; ++c) {
        fader[c]->SetRange(0, 127);
        pan[c]->SetPosition(63);
    }
    fader[1]->SetPosition(100);
    vu[0]->SetPosition(100);
    led[1]->SetPosition(1);
    mute[0]->SetPosition(1);
    test::WriteImage(host.PaintToImage(), "controls", "channel_strips");

    // Pan, reverb, chorus, mute, solo, fader, then a VU and a LED, which
    // send nothing.
    for (const ui::Point p : {ui::Point{79, 141},
                              {39, 104},
                              {51, 64},
                              {15, 32},
                              {55, 10},
                              {27, 202},
                              {70, 11},
                              {75, 249}}) {
        ui::MouseInput::Click(host, p);
    }
    const test::Notifications sent = {{453, 74, 1}, {454, 10, 0}, {455, 0, 1},
                                      {456, 0, 0},  {457, 1, 1},  {450, 63, 0}};
    EXPECT_EQ(host.received, sent);
}

}  // namespace
}  // namespace tw
