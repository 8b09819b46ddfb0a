#include <functional>
#include <map>
#include <string>
#include <vector>

#include "TestHost.h"
#include "platform/ui/DC.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Font.h"

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

// The image's top-left w x h pixels as text: '.' page, '#' ink, 'r' fill.
std::vector<std::string> Picture(const Image& img, int w, int h) {
    std::vector<std::string> rows;
    for (int y = 0; y < h; ++y) {
        rows.emplace_back();
        for (int x = 0; x < w; ++x) {
            const Color c = img.Pixel(x, y);
            rows.back() += c == kPage ? '.' : c == kInk ? '#' : c == kFill ? 'r' : '?';
        }
    }
    return rows;
}

// Rectangle and Ellipse cover columns l..r-1 and rows t..b-1; a line leaves
// out its end point, which the next LineTo draws; wide pens are centred.
TEST(DC, ShapesAndLinesCoverExactlyThePixelsOfTheirRules) {
    const Image img = Draw([](DC& dc) {
        dc.SelectPen(Pen(kInk));
        dc.SelectBrush(Brush(kFill));
        dc.Rectangle(1, 1, 5, 4);
        dc.MoveTo(7, 5);
        dc.LineTo(7, 1);
        dc.LineTo(12, 1);
        dc.MoveTo(14, 1);
        dc.LineTo(18, 5);
        dc.Ellipse(14, 6, 20, 13);
        dc.SelectPen(Pen(kInk, 3));
        dc.MoveTo(2, 8);
        dc.LineTo(8, 8);
        dc.SelectPen(Pen(kFill, 2));
        dc.MoveTo(12, 8);
        dc.LineTo(12, 13);
    });
    // clang-format off
    EXPECT_EQ(Picture(img, 21, 14), (std::vector<std::string>{
        ".....................",
        ".####..#####..#......",
        ".#rr#..#.......#.....",
        ".####..#........#....",
        ".......#.........#...",
        ".......#.............",
        "...............####..",
        ".########..rr..#rr#..",
        ".########..rr.#rrrr#.",
        ".########..rr.#rrrr#.",
        "...........rr.#rrrr#.",
        "...........rr..#rr#..",
        "...........rr..####..",
        "....................."}));
    // clang-format on
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
    ExpectPixels(img, kFill, {{20, 20}, {0, 10}});
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
    ExpectPixels(img, kPage, {{2, 4}, {3 + extent.cx, 4}, {3, 3}, {3, 4 + extent.cy}, {30, 20}});
}

// Every face that the windows and the dialog templates name is drawn with
// its Liberation family, even where the font configuration prefers another
// family for the name (fonts-urw-base35 answers "Helvetica" with Nimbus Sans).
// A template with a face not listed here fails until it is thought about.
TEST(Font, EveryFaceTheProgramNamesResolvesToItsLiberationFamily) {
    const std::map<std::string, std::string> families = {
        {"", "Liberation Sans"},
        {"Helvetica", "Liberation Sans"},
        {"HELVETICA", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},
        {"Courier New", "Liberation Mono"},
        {"Times New Roman", "Liberation Serif"},
    };
    std::vector<std::string> faces;
    for (int id = 1; id <= 13; ++id) {
        const auto t = DialogTemplate::Load(id);
        ASSERT_TRUE(t.has_value()) << id;
        EXPECT_TRUE(families.contains(t->fontFace)) << "dialog " << id << ": " << t->fontFace;
    }
    for (const auto& [face, family] : families) {
        EXPECT_EQ(Font(face, -12, 0, 700).DrawnFamily(), family) << "\"" << face << "\"";
    }
}

TEST(DC, BitmapsAreCopiedPixelForPixelAndStretchedWithoutSmoothing) {
    const Bitmap bitmap(602);
    ASSERT_TRUE(bitmap.IsValid());
    const Image img = Draw([&](DC& dc) {
        dc.BitBlt(2, 3, bitmap);
        dc.StretchBlt({0, 20, 60, 50}, bitmap);
    });
    EXPECT_TRUE(test::Shows(img, bitmap.Pixels(), 2, 3));
    // Twice the size: each source pixel becomes a 2 x 2 block.
    EXPECT_EQ(img.Pixel(0, 20), bitmap.Pixels().Pixel(0, 0));
    EXPECT_EQ(img.Pixel(31, 29), bitmap.Pixels().Pixel(15, 4));
}

// The staff view copies the treble clef at y0 + 57 and the bass clef at
// y0 + 114 and draws its staff lines at y0 + 72 .. y0 + 104 and y0 + 120 ..
// y0 + 152: the clefs' own lines must fall on exactly those rows, across
// the whole width, with the staff's grey between them.
TEST(Bitmap, ClefStaffLinesFallOnTheRowsOfTheDrawnStaffLines) {
    const Color black{0, 0, 0};
    const Color grey{192, 192, 192};
    for (const auto& [id, firstRow] : {std::pair{537, 15}, std::pair{538, 6}}) {
        const Bitmap clef(id);
        const Image& px = clef.Pixels();
        const int right = px.Width() - 1;
        for (int row = firstRow; row <= firstRow + 32; row += 8) {
            test::ExpectPixels(px, black, {{0, row}, {right, row}});
            test::ExpectPixels(px, grey, {{0, row + 1}, {right, row - 1}});
        }
        EXPECT_EQ(px.Pixel(0, 0), grey) << id;
    }
}

}  // namespace
}  // namespace tw::ui
