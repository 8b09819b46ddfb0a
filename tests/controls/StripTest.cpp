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

using ui::MouseInput;

// The mixer's channel strips as the main window lays them out, moved up by
// 296 pixels so that the strips start at the top of the host.
struct Strip {
    Strip(ui::Window* host, int c, int x0 = 9)
        : fader(new Fader(host, 450, x0 + 40 * c, 164, 35, 80, 1, c)),
          pan(new Pot(host, 453, x0 + 40 * c, 129, 35, 25, 4, 15, c)),
          reverb(new Pot(host, 454, x0 + 40 * c, 92, 35, 25, 2, 15, c)),
          chorus(new Pot(host, 455, x0 + 40 * c, 52, 35, 25, 2, 15, c)),
          mute(new Button2(host, 456, x0 + 40 * c + 2, 28, 9, 9, 458, 459, 1, c)),
          solo(new Button2(host, 457, x0 + 40 * c + 2, 6, 9, 9, 460, 461, 1, c)),
          vu(new VU(host, -1, x0 + 40 * c + 16, 6, 12, 30)),
          led(new Led(host, -1, x0 + 40 * c + 21, 244, 12, 14, 1)) {}

    void FirstState() {
        for (Pot* p : {pan, reverb, chorus}) {
            p->SetRange(0, 127);
        }
        fader->SetRange(0, 127);
        pan->SetPosition(63);
    }

    Fader* fader;
    Pot *pan, *reverb, *chorus;
    Button2 *mute, *solo;
    VU* vu;
    Led* led;
};

TEST(ChannelStrip, ControlsOfOneRowShareTheirMessageAndCarryTheChannel) {
    test::TestHost host(90, 262, {50, 50, 125});
    Strip strips[] = {Strip(&host, 0), Strip(&host, 1)};
    host.Open();
    strips[0].FirstState();
    strips[1].FirstState();
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
        (test::Notifications{
            {453, 74, 1}, {454, 10, 0}, {455, 0, 1}, {456, 0, 0}, {457, 1, 1}, {450, 63, 0}}));
}

}  // namespace
}  // namespace tw
