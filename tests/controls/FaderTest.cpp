#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "controls/Fader.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/TestHost.h"

namespace tw {
namespace {

using test::Notification;
using test::TestHost;
using ui::Color;
using ui::MouseInput;
using ui::Rect;

class FaderTest : public ::testing::Test {
protected:
    // A channel fader: 35 x 80, scale shown, channel 5.
    Fader* Make(int w = 35, int h = 80, int scale = 1, int id = 450, int index = 5) {
        fader = new Fader(&host, id, 20, 10, w, h, scale, index);
        host.Open();
        return fader;
    }

    TestHost host{160, 200};
    Fader* fader = nullptr;
};

TEST_F(FaderTest, ChannelFaderGeometryFollowsItsSize) {
    Make();
    for (int i = 0; i < Fader::kScaleLines; ++i) {
        EXPECT_EQ(fader->ScaleY(i), 8 + 6 * i);
    }
    EXPECT_EQ(fader->Travel(), 60);
    EXPECT_EQ(fader->GrooveRect(), (Rect{16, 6, 20, 70}));
    EXPECT_EQ(fader->ThumbLeft(), 11);
    EXPECT_EQ(fader->ThumbRight(), 25);
    EXPECT_EQ(fader->ThumbHalf(), 4);
    EXPECT_EQ(fader->ScaleX(0), 4);
    EXPECT_EQ(fader->ScaleX(1), 10);
    EXPECT_EQ(fader->ScaleX(2), 26);
    EXPECT_EQ(fader->ScaleX(3), 32);
    EXPECT_EQ(fader->RedrawRect(), (Rect{10, 2, 27, 78}));
    EXPECT_EQ(fader->ThumbY(), 68);
    EXPECT_EQ(fader->GetPosition(), 0u);
}

TEST_F(FaderTest, MasterAndTempoFadersHaveTheirOwnScales) {
    Make(40, 90, 1, 451, 0);
    EXPECT_EQ(fader->ScaleY(0), 9);
    EXPECT_EQ(fader->ScaleY(10), 79);
    EXPECT_EQ(fader->Travel(), 70);
    EXPECT_EQ(fader->GrooveRect(), (Rect{18, 7, 24, 81}));
    EXPECT_EQ(fader->ThumbLeft(), 10);
    EXPECT_EQ(fader->ThumbRight(), 32);
    EXPECT_EQ(fader->ThumbHalf(), 6);
    fader->SetRange(0, 255);
    fader->SetPosition(255);
    EXPECT_EQ(fader->ThumbY(), 9);
    EXPECT_EQ(fader->GetPosition(), 255u);
    auto* tempo = new Fader(&host, 452, 100, 10, 40, 140, 1, 2);
    ASSERT_TRUE(tempo->Create());
    EXPECT_EQ(tempo->ScaleY(0), 13);
    EXPECT_EQ(tempo->ScaleY(10), 123);
    tempo->SetRange(10, 240);
    tempo->SetPosition(120);
    EXPECT_EQ(tempo->GetPosition(), 120u);
    tempo->SetPosition(240);
    EXPECT_EQ(tempo->GetPosition(), 240u);
}

TEST_F(FaderTest, ValueAndThumbMappingsAreNotExactInverses) {
    Make();
    fader->SetRange(0, 127);
    fader->SetPosition(100);
    EXPECT_EQ(fader->ThumbY(), 20);
    EXPECT_EQ(fader->GetPosition(), 101u);
    fader->SetPosition(120);
    EXPECT_EQ(fader->GetPosition(), 120u);
    fader->SetPosition(127);  // the float quotient lands at 7.99999: kept on the top line
    EXPECT_EQ(fader->ThumbY(), 8);
    EXPECT_EQ(fader->GetPosition(), 127u);
    fader->SetPosition(500);  // clamped to the top
    EXPECT_EQ(fader->GetPosition(), 127u);
    EXPECT_TRUE(host.received.empty());
}

TEST_F(FaderTest, AClickInTheGrooveJumpsThereAndReportsAtOnce) {
    Make();
    fader->SetRange(0, 127);
    MouseInput::Click(*fader, {18, 38});  // above the thumb at the bottom
    EXPECT_EQ(fader->ThumbY(), 38);
    MouseInput::Click(*fader, {17, 2});  // above the scale: clamped to the top
    EXPECT_EQ(fader->ThumbY(), 8);
    EXPECT_EQ(host.received, (std::vector<Notification>{{450, 63, 5}, {450, 127, 5}}));
}

TEST_F(FaderTest, ClicksBesideTheGrooveOrOutsideTheThumbColumnsDoNothing) {
    Make();
    fader->SetRange(0, 127);
    MouseInput::Click(*fader, {12, 30});  // thumb columns, not the groove
    MouseInput::Click(*fader, {26, 30});  // right of the thumb columns
    MouseInput::Click(*fader, {10, 68});  // left of the thumb at its height
    EXPECT_EQ(fader->ThumbY(), 68);
    EXPECT_TRUE(host.received.empty());
    EXPECT_EQ(ui::Window::GetCapture(), nullptr);
}

TEST_F(FaderTest, DraggingTheThumbReportsOnlyOnRelease) {
    Make();
    fader->SetRange(0, 127);
    fader->SetPosition(64);
    const int y0 = fader->ThumbY();
    MouseInput::Press(*fader, {12, y0 + 2});  // on the thumb, below its centre
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
    EXPECT_EQ(host.received, (std::vector<Notification>{{450, 59, 5}}));
}

TEST_F(FaderTest, ReleasingADragOutsideTheControlStillAppliesAndReports) {
    Make();
    fader->SetRange(0, 127);
    MouseInput::Press(*fader, {18, 68});
    MouseInput::Move(*fader, {18, -30});  // dragged above the control
    EXPECT_EQ(fader->ThumbY(), 8);
    MouseInput::Release(*fader, {100, 150});  // far right and below
    EXPECT_EQ(fader->ThumbY(), 68);
    EXPECT_EQ(host.received, (std::vector<Notification>{{450, 0, 5}}));
}

TEST_F(FaderTest, SetRangeKeepsTheValueClampedAndMakesEqualBoundsOneUnitWide) {
    Make();
    fader->SetRange(10, 240);  // at the bottom: 0 is clamped up to 10
    EXPECT_EQ(fader->GetPosition(), 10u);
    EXPECT_EQ(fader->ThumbY(), 68);
    fader->SetRange(0, 255);
    fader->SetPosition(200);
    fader->SetRange(255, 0);
    EXPECT_NEAR(static_cast<double>(fader->GetPosition()), 200.0, 5.0);
    fader->SetRange(7, 7);
    EXPECT_EQ(fader->Lower(), 7u);
    EXPECT_EQ(fader->Upper(), 8u);
    const unsigned top = std::numeric_limits<unsigned>::max();
    fader->SetRange(top, top);
    EXPECT_EQ(fader->Upper(), top);
    EXPECT_EQ(fader->Lower(), top - 1);
    EXPECT_GE(fader->GetPosition(), top - 1);
}

TEST_F(FaderTest, AFaderTooShortForATravelReadsItsLowerBound) {
    Make(35, 10);
    EXPECT_EQ(fader->Travel(), 0);
    fader->SetRange(3, 9);
    fader->SetPosition(6);
    EXPECT_EQ(fader->GetPosition(), 3u);
    MouseInput::Click(*fader, {18, 5});
    EXPECT_EQ(ui::Window::GetCapture(), nullptr);
}

TEST_F(FaderTest, PaintShowsScaleGrooveAndThumbWithItsCentreMark) {
    Make();
    fader->SetRange(0, 127);
    fader->SetPosition(100);
    const ui::Image img = fader->PaintToImage();
    test::WriteImage(img, "controls", "fader_channel_100");
    const Color white{255, 255, 255};
    const Color face{75, 75, 125};
    EXPECT_EQ(img.Pixel(4, 8), white);
    EXPECT_EQ(img.Pixel(9, 8), white);
    EXPECT_EQ(img.Pixel(10, 8), face);  // the line's end point is left out
    EXPECT_EQ(img.Pixel(26, 68), white);
    EXPECT_EQ(img.Pixel(18, 60), Color::Black());  // groove
    EXPECT_EQ(img.Pixel(13, 18), (Color{175, 175, 0}));
    EXPECT_EQ(img.Pixel(12, 20), (Color{150, 0, 0}));
    EXPECT_EQ(img.Pixel(11, 20), Color::Black());  // the thumb's outline
    EXPECT_EQ(img.Pixel(13, 23), Color::Black());  // bottom row y + 4 - 1
    EXPECT_EQ(img.Pixel(13, 24), face);

    auto* master = new Fader(&host, 451, 100, 10, 40, 90, 1, 0);
    ASSERT_TRUE(master->Create());
    master->SetRange(0, 255);
    master->SetPosition(255);
    test::WriteImage(master->PaintToImage(), "controls", "fader_master_top");
    auto* plain = new Fader(&host, 451, 100, 100, 35, 80, 0, 0);
    ASSERT_TRUE(plain->Create());
    const ui::Image noScale = plain->PaintToImage();
    EXPECT_EQ(noScale.Pixel(4, 8), face);
}

}  // namespace
}  // namespace tw
