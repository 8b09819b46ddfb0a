#include <gtest/gtest.h>

#include <vector>

#include "controls/Button2.h"
#include "controls/Fader.h"
#include "controls/Led.h"
#include "controls/Pot.h"
#include "controls/VU.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/TestHost.h"

namespace tw {
namespace {

using test::Notification;
using test::TestHost;
using ui::MouseInput;

// The mixer's channel strips as the main window lays them out, moved up by
// 296 pixels so that the strips start at the top of the host.
constexpr int kTop = 296;

struct Strip {
    Fader* fader;
    Pot* pan;
    Pot* reverb;
    Pot* chorus;
    Button2* mute;
    Button2* solo;
    VU* vu;
    Led* led;
};

Strip MakeStrip(ui::Window* host, int c) {
    const int x0 = 8 + 40 * c;
    return {new Fader(host, 450, x0 + 1, 460 - kTop, 35, 80, 1, c),
            new Pot(host, 453, x0 + 1, 425 - kTop, 35, 25, 4, 15, c),
            new Pot(host, 454, x0 + 1, 388 - kTop, 35, 25, 2, 15, c),
            new Pot(host, 455, x0 + 1, 348 - kTop, 35, 25, 2, 15, c),
            new Button2(host, 456, x0 + 3, 324 - kTop, 9, 9, 458, 459, 1, c),
            new Button2(host, 457, x0 + 3, 302 - kTop, 9, 9, 460, 461, 1, c),
            new VU(host, -1, x0 + 17, 302 - kTop, 12, 30),
            new Led(host, -1, x0 + 22, 540 - kTop, 12, 14, 1)};
}

void FirstState(Strip& s) {
    s.fader->SetRange(0, 127);
    s.pan->SetRange(0, 127);
    s.pan->SetPosition(63);
    s.reverb->SetRange(0, 127);
    s.chorus->SetRange(0, 127);
}

TEST(ChannelStrip, ControlsOfOneRowShareTheirMessageAndCarryTheChannel) {
    TestHost host(90, 262, {50, 50, 125});
    std::vector<Strip> strips = {MakeStrip(&host, 0), MakeStrip(&host, 1)};
    host.Open();
    for (Strip& s : strips) {
        FirstState(s);
    }
    strips[1].fader->SetPosition(100);
    strips[0].vu->SetPosition(100);
    strips[1].led->SetPosition(1);
    strips[0].mute->SetPosition(1);
    test::WriteImage(host.PaintToImage(), "controls", "channel_strips");

    MouseInput::Click(*strips[1].pan, {30, 12});
    MouseInput::Click(*strips[0].reverb, {30, 12});
    MouseInput::Click(*strips[1].chorus, {2, 12});
    MouseInput::Click(*strips[0].mute, {4, 4});
    MouseInput::Click(*strips[1].solo, {4, 4});
    MouseInput::Click(*strips[0].fader, {18, 38});
    MouseInput::Click(*strips[1].vu, {5, 5});
    MouseInput::Click(*strips[1].led, {5, 5});
    EXPECT_EQ(
        host.received,
        (std::vector<Notification>{
            {453, 74, 1}, {454, 10, 0}, {455, 0, 1}, {456, 0, 0}, {457, 1, 1}, {450, 63, 0}}));
}

}  // namespace
}  // namespace tw
