#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
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

// Logs its set-up and destruction, and keeps the timer ticks it gets.
class Probe : public Control {
    TW_DECLARE_RESPONSE_TABLE()

public:
    Probe(Window* parent, int id, int x, int y, int w, int h) : Control(parent, id, x, y, w, h) {}
    ~Probe() override { events.push_back("destroy " + std::to_string(Id())); }

    std::vector<unsigned> ticks;
    bool childrenExistedAtSetup = true;
    void EvTick(unsigned id) { ticks.push_back(id); }

protected:
    void SetupWindow() override {
        events.push_back("setup " + std::to_string(Id()));
        Control::SetupWindow();
        for (Window* c : Children()) {
            childrenExistedAtSetup = childrenExistedAtSetup && c->IsCreated();
        }
    }
};

const ResponseTable& Probe::Table() {
    static constexpr ResponseEntry entries[] = {OnTimer<&Probe::EvTick>()};
    static const ResponseTable table{&Control::Table(), entries};
    return table;
}

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

TEST(Window, TimersDeliverTheirIdUntilKilled) {
    TestHost host;
    auto* probe = new Probe(&host, 1, 0, 0, 10, 10);
    EXPECT_FALSE(probe->SetTimer(7, 10));  // no native window yet
    host.Open();
    ASSERT_TRUE(probe->SetTimer(7, 10));
    ASSERT_TRUE(probe->SetTimer(7, 5));  // the same id restarts, it does not add
    const auto pumpUntil = [&](int rounds, size_t ticks) {
        for (int i = 0; i < rounds && probe->ticks.size() < ticks; ++i) {
            Application::PumpWaitingMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    };
    pumpUntil(400, 3);
    ASSERT_GE(probe->ticks.size(), 3u);
    EXPECT_EQ(probe->ticks.front(), 7u);
    EXPECT_TRUE(probe->KillTimer(7));
    EXPECT_FALSE(probe->KillTimer(7));
    probe->ticks.clear();
    pumpUntil(6, 1);
    EXPECT_TRUE(probe->ticks.empty());
}

}  // namespace
}  // namespace tw::ui
