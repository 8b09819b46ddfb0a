#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestHost.h"
#include "platform/ui/Application.h"
#include "platform/ui/Control.h"

namespace tw::ui {
namespace {

using test::TestHost;
using Log = std::vector<std::string>;

// Every probe's set-up and destruction, in order.
Log events;

// Logs its set-up and destruction, counts its paints.
class Probe : public Control {
public:
    Probe(Window* parent, int id, int x, int y, int w, int h) : Control(parent, id, x, y, w, h) {}
    ~Probe() override { events.push_back("destroy " + std::to_string(Id())); }

    bool childrenExistedAtSetup = true;
    int paints = 0;
    bool erased = false;  // the erase flag of the last paint

protected:
    void SetupWindow() override {
        events.push_back("setup " + std::to_string(Id()));
        Control::SetupWindow();
        for (Window* c : Children()) {
            childrenExistedAtSetup = childrenExistedAtSetup && c->IsCreated();
        }
    }
    void Paint(DC&, bool erase, Rect&) override {
        ++paints;
        erased = erase;
    }
};

TEST(Window, ChildrenAreSetUpInOrderOfConstructionAndDestroyedWithTheirParent) {
    {
        TestHost host;
        auto* a = new Probe(&host, 1, 0, 0, 10, 10);
        new Probe(a, 11, 0, 0, 5, 5);
        new Probe(&host, 2, 20, 0, 10, 10);
        auto* early = new Probe(&host, 3, 40, 0, 10, 10);
        events.clear();
        EXPECT_FALSE(a->IsCreated());
        host.Open();
        EXPECT_TRUE(a->IsCreated() && a->childrenExistedAtSetup);
        EXPECT_EQ(host.ChildWithId(2)->Position(), (Point{20, 0}));
        EXPECT_EQ(events, (Log{"setup 1", "setup 11", "setup 2", "setup 3"}));
        delete early;  // a child deleted early leaves its parent
        EXPECT_EQ(host.ChildWithId(3), nullptr);
        EXPECT_EQ(host.Children().size(), 2u);
        events.clear();
    }
    EXPECT_EQ(events, (Log{"destroy 2", "destroy 1", "destroy 11"}));
}

// A paint without erase is only for what was invalidated without one: an
// erase asked for survives later invalidations, and a paint that the window
// system asks for (shown again, or updated where nothing was invalidated)
// lays the background first.
TEST(Window, AnEraseAskedForSurvivesLaterInvalidationsWithoutOneAndUnaskedPaintsErase) {
    TestHost host;
    auto* probe = new Probe(&host, 1, 0, 0, 30, 20);
    host.Open();
    const auto pump = [] { Application::PumpWaitingMessages(); };
    pump();
    probe->Invalidate(false);
    pump();
    EXPECT_FALSE(probe->erased);
    probe->Invalidate();
    probe->InvalidateRect({2, 2, 6, 6}, false);
    pump();
    EXPECT_TRUE(probe->erased);
    probe->InvalidateRect({2, 2, 6, 6}, false);
    pump();
    EXPECT_FALSE(probe->erased);
    probe->UpdateWindow();
    EXPECT_TRUE(probe->erased);
    probe->Invalidate(false);
    pump();
    const int paints = probe->paints;
    host.Hide();
    host.Show();
    pump();
    EXPECT_TRUE(probe->paints > paints && probe->erased);
}

}  // namespace
}  // namespace tw::ui
