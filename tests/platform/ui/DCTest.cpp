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
