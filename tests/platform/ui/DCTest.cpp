#include <functional>
#include <string>

#include "TestHost.h"
#include "platform/ui/DC.h"

namespace tw::ui {
namespace {

using test::ExpectPixels;

const Color kPage{255, 255, 255};
const Color kInk{0, 0, 0};
const Color kFill{255, 0, 0};

// A window whose paint is whatever the test draws.
class Canvas : public Window {
public:
    Canvas(Window* parent, std::function<void(DC&)> draw)
        : Window(parent, 1, 0, 0, 40, 30), draw_(std::move(draw)) {
        SetBkgndColor(kPage);
    }

protected:
    void Paint(DC& dc, bool, Rect&) override { draw_(dc); }

private:
    std::function<void(DC&)> draw_;
};

Image Draw(std::function<void(DC&)> draw) {
    test::TestHost host(40, 30);
    auto* canvas = new Canvas(&host, std::move(draw));
    host.Open();
    return canvas->PaintToImage();
}

// Whether every pixel in columns x0..x1, rows y0..y1 has colour c.
bool AllAre(const Image& img, int x0, int y0, int x1, int y1, Color c) {
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            if (img.Pixel(x, y) != c) {
                return false;
            }
        }
    }
    return true;
}

TEST(DC, RectangleCoversColumnsLeftToRightMinusOneAndRowsTopToBottomMinusOne) {
    const Image img = Draw([](DC& dc) {
        dc.SelectPen(Pen(kInk));
        dc.SelectBrush(Brush(kFill));
        dc.Rectangle(2, 2, 6, 5);
    });
    EXPECT_TRUE(AllAre(img, 2, 2, 5, 2, kInk) && AllAre(img, 2, 4, 5, 4, kInk));
    EXPECT_TRUE(AllAre(img, 2, 2, 2, 4, kInk) && AllAre(img, 5, 2, 5, 4, kInk));
    EXPECT_TRUE(AllAre(img, 3, 3, 4, 3, kFill));
    EXPECT_TRUE(AllAre(img, 6, 0, 6, 6, kPage) && AllAre(img, 0, 5, 7, 5, kPage));
    EXPECT_TRUE(AllAre(img, 1, 1, 7, 1, kPage));
}

// Continued lines also show that a corner is drawn by the next segment.
TEST(DC, LinesLeaveOutTheirEndPointInEveryDirection) {
    const Image img = Draw([](DC& dc) {
        dc.SelectPen(Pen(kInk));
        dc.MoveTo(8, 6);
        dc.LineTo(8, 2);
        dc.LineTo(14, 2);
        dc.MoveTo(10, 10);
        dc.LineTo(14, 14);
    });
    EXPECT_TRUE(AllAre(img, 8, 2, 8, 6, kInk) && AllAre(img, 8, 2, 13, 2, kInk));
    ExpectPixels(img, {{14, 2, kPage}, {8, 1, kPage}, {13, 13, kInk}, {14, 14, kPage}});
}

TEST(DC, WidePensAreCentredOnThePath) {
    const Image img = Draw([](DC& dc) {
        dc.SelectPen(Pen(kInk, 3));
        dc.MoveTo(3, 5);
        dc.LineTo(10, 5);
        dc.SelectPen(Pen(kFill, 2));
        dc.MoveTo(20, 3);
        dc.LineTo(20, 9);
    });
    EXPECT_TRUE(AllAre(img, 2, 4, 10, 6, kInk));
    EXPECT_TRUE(AllAre(img, 2, 3, 10, 3, kPage) && AllAre(img, 2, 7, 10, 7, kPage));
    EXPECT_EQ(img.Pixel(11, 5), kPage);
    EXPECT_TRUE(AllAre(img, 19, 2, 20, 8, kFill));
    EXPECT_TRUE(AllAre(img, 21, 2, 21, 8, kPage) && AllAre(img, 18, 2, 18, 8, kPage));
}

TEST(DC, EllipseTouchesEveryRowAndColumnOfItsBoxAndNothingOutside) {
    const Image img = Draw([](DC& dc) {
        dc.SelectPen(Pen(kInk));
        dc.SelectBrush(Brush(kFill));
        dc.Ellipse(4, 3, 16, 11);
    });
    for (int i = 0; i < 12; ++i) {
        EXPECT_FALSE(AllAre(img, 4, 3 + i % 8, 15, 3 + i % 8, kPage)) << "row " << 3 + i % 8;
        EXPECT_FALSE(AllAre(img, 4 + i, 3, 4 + i, 10, kPage)) << "column " << 4 + i;
    }
    EXPECT_TRUE(AllAre(img, 3, 0, 3, 20, kPage) && AllAre(img, 16, 0, 16, 20, kPage));
    EXPECT_TRUE(AllAre(img, 0, 11, 20, 11, kPage));
    ExpectPixels(img, {{10, 7, kFill}, {4, 7, kInk}, {4, 3, kPage}});
}

// Shapes far beyond any window are clipped, not stepped through.
TEST(DC, HugeShapesAreClippedToTheSurfaceWithoutStalling) {
    const Image img = Draw([](DC& dc) {
        dc.SelectPen(Pen(kInk));
        dc.SelectBrush(Brush(kFill));
        dc.Ellipse(-2000000, -2000000, 2000000, 2000000);
        dc.MoveTo(-1000000000, -1000000000);
        dc.LineTo(1000000000, 1000000001);
        dc.Rectangle(-5, -5, 1 << 30, 1 << 30);
    });
    ExpectPixels(img, {{20, 20, kFill}, {0, 10, kFill}});
}

// Opaque text fills its whole box with the background colour; empty text
// measures and draws nothing.
TEST(DC, OpaqueTextFillsItsWholeBoxWithTheBackgroundColour) {
    const Color text{255, 255, 0};
    const Color back{0, 0, 128};
    Size extent, empty{-1, -1};
    const Image img = Draw([&](DC& dc) {
        dc.SelectFont(Font("Helvetica", -12, 0, 700));
        dc.SetTextColor(text);
        dc.SetBkColor(back);
        extent = dc.GetTextExtent("Wg");
        dc.TextOut(3, 4, "Wg");
        empty = dc.GetTextExtent("");
        dc.TextOut(30, 20, "");
    });
    ASSERT_GT(extent.cx, 0);
    ASSERT_GE(extent.cy, 12);
    EXPECT_EQ(empty.cx, 0);
    int inked = 0;
    for (int y = 4; y < 4 + extent.cy; ++y) {
        for (int x = 3; x < 3 + extent.cx; ++x) {
            const Color c = img.Pixel(x, y);
            EXPECT_TRUE(c == text || c == back) << x << "," << y;
            inked += c == text;
        }
    }
    EXPECT_GT(inked, 0);
    ExpectPixels(img, {{2, 4, kPage}, {3 + extent.cx, 4, kPage}, {3, 3, kPage}});
    EXPECT_EQ(img.Pixel(3, 4 + extent.cy), kPage);
    EXPECT_TRUE(AllAre(img, 30, 20, 39, 29, kPage));
}

// Metrics only: "Courier New" must come out fixed-pitch and "Helvetica"
// and "Times New Roman" proportional, whatever the glyphs look like.
TEST(DC, FacesAreMatchedWithTheMetricsOfTheirNames) {
    Size narrow[3], wide[3], wideFont;
    const Font fonts[3] = {Font("Courier New", -14, 0, 700), Font("Helvetica", -12, 0, 700),
                           Font("Times New Roman", -16, 0, 700)};
    Draw([&](DC& dc) {
        for (int i = 0; i < 3; ++i) {
            dc.SelectFont(fonts[i]);
            narrow[i] = dc.GetTextExtent("iiiiii");
            wide[i] = dc.GetTextExtent("MMMMMM");
        }
        dc.SelectFont(Font("Helvetica", -12, 16, 700));
        wideFont = dc.GetTextExtent("MMMMMM");
    });
    EXPECT_EQ(narrow[0].cx, wide[0].cx);
    EXPECT_LT(narrow[1].cx, wide[1].cx);
    EXPECT_LT(narrow[2].cx, wide[2].cx);
    EXPECT_GT(wideFont.cx, wide[1].cx);
    EXPECT_GE(wide[1].cy, 12);
    EXPECT_LT(wide[1].cy, 20);
}

TEST(DC, BitmapsAreCopiedPixelForPixelAndStretchedWithoutSmoothing) {
    const Bitmap bitmap(602);
    ASSERT_TRUE(bitmap.IsValid());
    const Image img = Draw([&](DC& dc) {
        dc.BitBlt(2, 3, bitmap);
        dc.StretchBlt({0, 20, 60, 50}, bitmap);
    });
    for (int y = 0; y < bitmap.Height() && 3 + y < 30; ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            ASSERT_EQ(img.Pixel(2 + x, 3 + y), bitmap.Pixels().Pixel(x, y)) << x << "," << y;
        }
    }
    // Twice the size: each source pixel becomes a 2 x 2 block.
    ExpectPixels(img,
                 {{0, 20, bitmap.Pixels().Pixel(0, 0)}, {31, 29, bitmap.Pixels().Pixel(15, 4)}});
}

}  // namespace
}  // namespace tw::ui
