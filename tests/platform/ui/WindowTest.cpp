#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "TestHost.h"
#include "platform/ui/Application.h"
#include "platform/ui/Control.h"
#include "platform/ui/DC.h"
#include "platform/ui/MouseInput.h"

namespace tw::ui {
namespace {

using test::TestHost;
using Log = std::vector<std::string>;

// Every probe's set-up and destruction, in order.
Log events;

// Logs its set-up, destruction, paints, mouse messages and timer ticks.
class Probe : public Control {
    TW_DECLARE_RESPONSE_TABLE()

public:
    Probe(Window* parent, int id, int x, int y, int w, int h) : Control(parent, id, x, y, w, h) {}
    ~Probe() override { events.push_back("destroy " + std::to_string(Id())); }

    std::string moves;    // "x,y " per move
    std::string buttons;  // "down x,y " and the like per press or release
    std::vector<unsigned> ticks;
    int paints = 0;
    bool erased = false;  // the erase flag of the last paint
    bool childrenExistedAtSetup = true;

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
    void EvLButtonDown(unsigned, const Point& p) { buttons += "down " + Str(p); }
    void EvMouseMove(unsigned, const Point& p) { moves += Str(p); }
    void EvLButtonUp(unsigned, const Point& p) { buttons += "up " + Str(p); }
    void EvRButtonDown(unsigned, const Point& p) { buttons += "right " + Str(p); }
    static std::string Str(Point p) {
        return std::to_string(p.x) + "," + std::to_string(p.y) + " ";
    }
};

const ResponseTable& Probe::Table() {
    static constexpr ResponseEntry entries[] = {
        OnLButtonDown<&Probe::EvLButtonDown>(), OnMouseMove<&Probe::EvMouseMove>(),
        OnLButtonUp<&Probe::EvLButtonUp>(), OnRButtonDown<&Probe::EvRButtonDown>()};
    static const ResponseTable table{&Control::Table(), entries};
    return table;
}

// A subclass that also counts timer ticks and overrides none of the base's.
class LoudProbe : public Probe {
    TW_DECLARE_RESPONSE_TABLE()

public:
    using Probe::Probe;
    void EvTick(unsigned id) { ticks.push_back(id); }
};

const ResponseTable& LoudProbe::Table() {
    static constexpr ResponseEntry entries[] = {OnTimer<&LoudProbe::EvTick>()};
    static const ResponseTable table{&Probe::Table(), entries};
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

// Two quick clicks at one place stay two presses, never a double click; a
// window with the capture gets every press, move and release.
TEST(Window, MousePressesGoToTheChildUnderThePointOrTheCaptureInItsOwnCoordinates) {
    TestHost host;
    auto* left = new Probe(&host, 1, 10, 10, 30, 20);
    auto* right = new Probe(&host, 2, 50, 10, 30, 20);
    host.Open();
    MouseInput::Click(host, {15, 12});
    MouseInput::Press(host, {79, 29}, MouseInput::Button::Right);
    MouseInput::Release(host, {79, 29}, MouseInput::Button::Right);
    MouseInput::Click(*right, {0, 0});
    MouseInput::Click(*right, {0, 0});
    left->SetCapture();
    EXPECT_EQ(Window::GetCapture(), left);
    MouseInput::Move(*right, {5, 5});
    MouseInput::Press(host, {2, 2});
    MouseInput::Release(host, {60, 100});
    left->ReleaseCapture();
    EXPECT_EQ(Window::GetCapture(), nullptr);
    MouseInput::Click(*right, {1, 1});
    EXPECT_NE(left->moves.find("45,5 "), std::string::npos);
    EXPECT_EQ(right->moves.find("5,5 "), std::string::npos);
    EXPECT_EQ(left->buttons, "down 5,2 up 5,2 down -8,-8 up 50,90 ");
    EXPECT_EQ(right->buttons, "right 29,19 down 0,0 up 0,0 down 0,0 up 0,0 down 1,1 up 1,1 ");
}

TEST(Window, InvalidatedAreasAreErasedWithTheBackgroundAndRepaintedOnTheNextPump) {
    TestHost host(60, 40, {1, 2, 3});
    auto* probe = new Probe(&host, 1, 10, 10, 30, 20);
    const Color back{200, 100, 50};
    probe->SetBkgndColor(back);
    host.Open();
    const Image img = host.PaintToImage();
    test::ExpectPixels(img, {1, 2, 3}, {{0, 0}, {40, 30}});
    test::ExpectPixels(img, back, {{10, 10}, {39, 29}});
    const int before = probe->paints;
    probe->InvalidateRect({2, 2, 6, 6});
    Application::PumpWaitingMessages();
    EXPECT_EQ(probe->paints, before + 1);
    probe->InvalidateRect({4, 4, 4, 9});  // empty: nothing to repaint
    Application::PumpWaitingMessages();
    EXPECT_EQ(probe->paints, before + 1);
}

// A paint that no invalidation asked for comes from the window system (a
// first show, an exposure) and finds nothing of the window's own to keep.
TEST(Window, AnEraseAskedForSurvivesLaterInvalidationsWithoutOneAndUnaskedPaintsErase) {
    TestHost host;
    auto* probe = new Probe(&host, 1, 0, 0, 30, 20);
    host.Open();
    Application::PumpWaitingMessages();
    probe->Invalidate(false);
    Application::PumpWaitingMessages();
    EXPECT_FALSE(probe->erased);
    probe->Invalidate();
    probe->InvalidateRect({2, 2, 6, 6}, false);
    Application::PumpWaitingMessages();
    EXPECT_TRUE(probe->erased);
    probe->InvalidateRect({2, 2, 6, 6});
    probe->Invalidate(false);
    Application::PumpWaitingMessages();
    EXPECT_TRUE(probe->erased);
    probe->InvalidateRect({2, 2, 6, 6}, false);
    Application::PumpWaitingMessages();
    EXPECT_FALSE(probe->erased);
    probe->UpdateWindow();  // the whole window, none of it invalidated
    EXPECT_TRUE(probe->erased);
    probe->Invalidate(false);
    Application::PumpWaitingMessages();
    const int paints = probe->paints;
    host.Hide();
    host.Show();
    Application::PumpWaitingMessages();
    EXPECT_GT(probe->paints, paints);
    EXPECT_TRUE(probe->erased);
}

TEST(Window, TimersDeliverTheirIdUntilKilled) {
    TestHost host;
    auto* probe = new LoudProbe(&host, 1, 0, 0, 10, 10);
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
