#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "controls/Fader.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/TestHost.h"

namespace tw {
namespace {

using test::Notifications;
using test::TestHost;
using ui::MouseInput;

// A channel fader, 35 x 80, scale shown, channel 5, 0..127, and others
// added beside it.
class FaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.Open();
        fader->SetRange(0, 127);
    }

    Fader* Add(int x, int y, int w, int h, int scale = 1) {
        auto* f = new Fader(&host, 450, x, y, w, h, scale, 5);
        EXPECT_TRUE(f->Create());
        f->SetRange(0, 127);
        return f;
    }

    TestHost host{160, 200};
    Fader* fader = new Fader(&host, 450, 20, 10, 35, 80, 1, 5);
};

// Value to thumb and back are not exact inverses: 100 reads back as 101.
TEST_F(FaderTest, ValuesReadBackThroughTheThumbPositionAndSetPositionSendsNothing) {
    struct Case {
        int h;
        unsigned lower, upper, value;
        int thumbY;
        unsigned read;
    };
    for (const Case& c : {Case{80, 0, 127, 100, 20, 101},
                          Case{80, 0, 127, 127, 8, 127},  // float quotient 7.99999: top line
                          Case{80, 0, 127, 500, 8, 127},  // clamped to the top
                          Case{140, 10, 240, 120, 70, 120}}) {
        Fader* f = Add(20, 10, c.h == 80 ? 35 : 40, c.h);
        f->SetRange(c.lower, c.upper);
        f->SetPosition(c.value);
        EXPECT_EQ(f->ThumbY(), c.thumbY) << c.value;
        EXPECT_EQ(f->GetPosition(), c.read) << c.value;
    }
    EXPECT_TRUE(host.received.empty());
}

TEST_F(FaderTest, AClickInTheGrooveJumpsThereAndReportsAtOnceAndClicksBesideItDoNothing) {
    MouseInput::Click(*fader, {12, 30});  // thumb columns, not the groove
    MouseInput::Click(*fader, {26, 30});  // right of the thumb columns
    MouseInput::Click(*fader, {10, 68});  // left of the thumb at its height
    EXPECT_EQ(fader->ThumbY(), 68);
    EXPECT_EQ(ui::Window::GetCapture(), nullptr);
    MouseInput::Click(*fader, {18, 38});  // above the thumb at the bottom
    EXPECT_EQ(fader->ThumbY(), 38);
    MouseInput::Click(*fader, {17, 2});  // above the scale: clamped to the top
    EXPECT_EQ(fader->ThumbY(), 8);
    EXPECT_EQ(host.received, (Notifications{{450, 63, 5}, {450, 127, 5}}));
}

// A drag released outside the control still applies and reports.
TEST_F(FaderTest, DraggingTheThumbReportsOnlyOnRelease) {
    fader->SetPosition(64);
    MouseInput::Press(*fader, {12, fader->ThumbY() + 2});  // on the thumb, below its centre
    EXPECT_TRUE(fader->Dragging());
    EXPECT_EQ(ui::Window::GetCapture(), fader);
    MouseInput::Move(*fader, {20, 22});
    EXPECT_EQ(fader->ThumbY(), 20);
    MouseInput::Move(*fader, {5, 60});  // outside the thumb columns: ignored
    EXPECT_EQ(fader->ThumbY(), 20);
    EXPECT_TRUE(host.received.empty());
    MouseInput::Release(*fader, {15, 42});
    EXPECT_FALSE(fader->Dragging());
    EXPECT_EQ(ui::Window::GetCapture(), nullptr);
    EXPECT_EQ(fader->ThumbY(), 40);
    MouseInput::Press(*fader, {18, 40});
    MouseInput::Move(*fader, {18, -30});  // dragged above the control
    EXPECT_EQ(fader->ThumbY(), 8);
    MouseInput::Release(*fader, {100, 150});  // far right and below
    EXPECT_EQ(fader->ThumbY(), 68);
    EXPECT_EQ(host.received, (Notifications{{450, 59, 5}, {450, 0, 5}}));
}

TEST_F(FaderTest, SetRangeKeepsTheValueClampedAndMakesEqualBoundsOneUnitWide) {
    fader->SetRange(10, 240);  // at the bottom: 0 is clamped up to 10
    EXPECT_EQ(fader->GetPosition(), 10u);
    EXPECT_EQ(fader->ThumbY(), 68);
    fader->SetRange(0, 255);
    fader->SetPosition(200);
    fader->SetRange(255, 0);
    EXPECT_NEAR(static_cast<double>(fader->GetPosition()), 200.0, 5.0);
    const unsigned top = std::numeric_limits<unsigned>::max();
    fader->SetRange(top, top);
    EXPECT_EQ(fader->Upper(), top);
    EXPECT_EQ(fader->Lower(), top - 1);
    EXPECT_GE(fader->GetPosition(), top - 1);

    Fader* tooShort = Add(100, 100, 35, 10);  // no travel: reads its lower bound
    EXPECT_EQ(tooShort->Travel(), 0);
    tooShort->SetRange(3, 9);
    tooShort->SetPosition(6);
    EXPECT_EQ(tooShort->GetPosition(), 3u);
    MouseInput::Click(*tooShort, {18, 5});
    EXPECT_EQ(ui::Window::GetCapture(), nullptr);
}

}  // namespace
}  // namespace tw
