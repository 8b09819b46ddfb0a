#include <functional>

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

}  // namespace
}  // namespace tw::ui
