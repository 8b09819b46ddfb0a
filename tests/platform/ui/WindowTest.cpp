#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestHost.h"
#include "platform/ui/Control.h"

namespace tw::ui {
namespace {

using test::TestHost;
using Log = std::vector<std::string>;

// Every probe's set-up and destruction, in order.
Log events;

// Logs its set-up and destruction.
class Probe : public Control {
public:
    Probe(Window* parent, int id, int x, int y, int w, int h) : Control(parent, id, x, y, w, h) {}
    ~Probe() override { events.push_back("destroy " + std::to_string(Id())); }

    bool childrenExistedAtSetup = true;

protected:
    void SetupWindow() override {
        events.push_back("setup " + std::to_string(Id()));
        Control::SetupWindow();
        for (Window* c : Children()) {
            childrenExistedAtSetup = childrenExistedAtSetup && c->IsCreated();
        }
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

}  // namespace
}  // namespace tw::ui
