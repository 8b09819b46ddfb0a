#include <gtest/gtest.h>

#include <chrono>
#include <memory>
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

using test::Notification;
using test::TestHost;

// Logs its set-up, destruction, paints and mouse messages.
class Probe : public Control {
    TW_DECLARE_RESPONSE_TABLE()

public:
    Probe(Window* parent, int id, int x, int y, int w, int h, std::vector<std::string>& log)
        : Control(parent, id, x, y, w, h), log_(log) {}
    ~Probe() override { log_.push_back("destroy " + std::to_string(Id())); }

    std::vector<std::pair<std::string, Point>> mouse;
    int paints = 0;
    bool childrenExistedAtSetup = true;

protected:
    void SetupWindow() override {
        log_.push_back("setup " + std::to_string(Id()));
        Control::SetupWindow();
        for (Window* c : Children()) {
            childrenExistedAtSetup = childrenExistedAtSetup && c->IsCreated();
        }
    }
    void Paint(DC&, bool, Rect&) override { ++paints; }
    void EvLButtonDown(unsigned, const Point& p) { mouse.push_back({"down", p}); }
    void EvMouseMove(unsigned, const Point& p) { mouse.push_back({"move", p}); }
    void EvLButtonUp(unsigned, const Point& p) { mouse.push_back({"up", p}); }
    void EvRButtonDown(unsigned, const Point& p) { mouse.push_back({"right", p}); }
    MsgResult EvAnswer(WParam w, LParam l) { return static_cast<MsgResult>(w) + l; }

private:
    std::vector<std::string>& log_;
};

const ResponseTable& Probe::Table() {
    static constexpr ResponseEntry entries[] = {
        OnLButtonDown<&Probe::EvLButtonDown>(), OnMouseMove<&Probe::EvMouseMove>(),
        OnLButtonUp<&Probe::EvLButtonUp>(),     OnRButtonDown<&Probe::EvRButtonDown>(),
        OnMessage<&Probe::EvAnswer>(500),
    };
    static const ResponseTable table{&Control::Table(), entries};
    return table;
}

// A subclass that answers one more message and overrides none of the base's.
class LoudProbe : public Probe {
    TW_DECLARE_RESPONSE_TABLE()

public:
    using Probe::Probe;
    MsgResult EvShout(WParam, LParam) { return 99; }
    void EvTick(unsigned id) { ticks.push_back(id); }
    std::vector<unsigned> ticks;
};

const ResponseTable& LoudProbe::Table() {
    static constexpr ResponseEntry entries[] = {OnMessage<&LoudProbe::EvShout>(501),
                                                OnTimer<&LoudProbe::EvTick>()};
    static const ResponseTable table{&Probe::Table(), entries};
    return table;
}

using MouseLog = std::vector<std::pair<std::string, Point>>;

// The presses and releases a probe saw; the toolkit may add moves before a
// press at a new place.
MouseLog Buttons(const Probe& p) {
    MouseLog out;
    for (const auto& m : p.mouse) {
        if (m.first != "move") {
            out.push_back(m);
        }
    }
    return out;
}

TEST(Window, ChildrenAreSetUpInOrderOfConstructionAndDestroyedWithTheirParent) {
    std::vector<std::string> log;
    {
        TestHost host;
        auto* a = new Probe(&host, 1, 0, 0, 10, 10, log);
        new Probe(a, 11, 0, 0, 5, 5, log);
        new Probe(&host, 2, 20, 0, 10, 10, log);
        EXPECT_FALSE(a->IsCreated());
        host.Open();
        EXPECT_TRUE(a->IsCreated());
        EXPECT_TRUE(a->childrenExistedAtSetup);
        EXPECT_EQ(host.ChildWithId(2)->Position(), (Point{20, 0}));
        EXPECT_EQ(log, (std::vector<std::string>{"setup 1", "setup 11", "setup 2"}));
        log.clear();
    }
    EXPECT_EQ(log, (std::vector<std::string>{"destroy 2", "destroy 1", "destroy 11"}));
}

TEST(Window, AChildDeletedEarlyLeavesItsParent) {
    std::vector<std::string> log;
    TestHost host;
    auto* a = new Probe(&host, 1, 0, 0, 10, 10, log);
    host.Open();
    delete a;
    EXPECT_TRUE(host.Children().empty());
    EXPECT_EQ(host.ChildWithId(1), nullptr);
}

TEST(Window, SendMessageReturnsTheHandlersResultAndFallsBackToTheBaseTable) {
    std::vector<std::string> log;
    TestHost host;
    auto* probe = new LoudProbe(&host, 1, 0, 0, 10, 10, log);
    EXPECT_EQ(probe->SendMessage(501), 99);
    EXPECT_EQ(probe->SendMessage(500, 40, 2), 42);  // Probe's entry
    EXPECT_EQ(probe->SendMessage(502, 1, 1), 0);    // no entry anywhere
    host.SendMessage(777, 5, -6);
    EXPECT_EQ(host.received, (std::vector<Notification>{{777, 5, -6}}));
}

TEST(Window, MousePressesGoToTheChildUnderThePointInItsOwnCoordinates) {
    std::vector<std::string> log;
    TestHost host;
    auto* left = new Probe(&host, 1, 10, 10, 30, 20, log);
    auto* right = new Probe(&host, 2, 50, 10, 30, 20, log);
    host.Open();
    MouseInput::Click(host, {15, 12});
    MouseInput::Press(host, {79, 29}, MouseInput::Button::Right);
    MouseInput::Release(host, {79, 29}, MouseInput::Button::Right);
    MouseInput::Click(*right, {0, 0});
    EXPECT_EQ(Buttons(*left), (MouseLog{{"down", {5, 2}}, {"up", {5, 2}}}));
    EXPECT_EQ(Buttons(*right), (MouseLog{{"right", {29, 19}}, {"down", {0, 0}}, {"up", {0, 0}}}));
}

TEST(Window, TwoQuickClicksAreTwoPressesNotADoubleClick) {
    std::vector<std::string> log;
    TestHost host;
    auto* probe = new Probe(&host, 1, 10, 10, 30, 20, log);
    host.Open();
    MouseInput::Click(*probe, {3, 3});
    MouseInput::Click(*probe, {3, 3});
    EXPECT_EQ(Buttons(*probe),
              (MouseLog{{"down", {3, 3}}, {"up", {3, 3}}, {"down", {3, 3}}, {"up", {3, 3}}}));
}

TEST(Window, CaptureSendsMovesAndReleasesOutsideTheWindowToIt) {
    std::vector<std::string> log;
    TestHost host;
    auto* captor = new Probe(&host, 1, 10, 10, 30, 20, log);
    auto* other = new Probe(&host, 2, 60, 60, 30, 30, log);
    host.Open();
    captor->SetCapture();
    EXPECT_EQ(Window::GetCapture(), captor);
    MouseInput::Move(*other, {5, 5});
    MouseInput::Press(host, {2, 2});
    MouseInput::Release(host, {2, 100});
    captor->ReleaseCapture();
    EXPECT_EQ(Window::GetCapture(), nullptr);
    EXPECT_TRUE(other->mouse.empty());
    ASSERT_FALSE(captor->mouse.empty());
    EXPECT_EQ(captor->mouse.front(), (MouseLog::value_type{"move", {55, 55}}));
    EXPECT_EQ(Buttons(*captor), (MouseLog{{"down", {-8, -8}}, {"up", {-8, 90}}}));
    const size_t seen = captor->mouse.size();
    MouseInput::Click(*other, {1, 1});
    EXPECT_EQ(captor->mouse.size(), seen);
    EXPECT_EQ(Buttons(*other), (MouseLog{{"down", {1, 1}}, {"up", {1, 1}}}));
}

TEST(Window, InvalidatingARectangleRepaintsTheWindowOnTheNextPump) {
    std::vector<std::string> log;
    TestHost host;
    auto* probe = new Probe(&host, 1, 10, 10, 30, 20, log);
    host.Open();
    const int before = probe->paints;
    probe->InvalidateRect({2, 2, 6, 6});
    Application::PumpWaitingMessages();
    EXPECT_EQ(probe->paints, before + 1);
    probe->InvalidateRect({4, 4, 4, 9});  // empty: nothing to repaint
    Application::PumpWaitingMessages();
    EXPECT_EQ(probe->paints, before + 1);
}

TEST(Window, InvalidatedAreasAreErasedWithTheBackgroundColour) {
    std::vector<std::string> log;
    TestHost host(60, 40, {1, 2, 3});
    auto* probe = new Probe(&host, 1, 10, 10, 30, 20, log);
    probe->SetBkgndColor({200, 100, 50});
    host.Open();
    const Image img = host.PaintToImage();
    EXPECT_EQ(img.Pixel(0, 0), (Color{1, 2, 3}));
    EXPECT_EQ(img.Pixel(10, 10), (Color{200, 100, 50}));
    EXPECT_EQ(img.Pixel(39, 29), (Color{200, 100, 50}));
    EXPECT_EQ(img.Pixel(40, 30), (Color{1, 2, 3}));
}

TEST(Window, TimersDeliverTheirIdUntilKilled) {
    std::vector<std::string> log;
    TestHost host;
    auto* probe = new LoudProbe(&host, 1, 0, 0, 10, 10, log);
    EXPECT_FALSE(probe->SetTimer(7, 10));  // no native window yet
    host.Open();
    ASSERT_TRUE(probe->SetTimer(7, 10));
    ASSERT_TRUE(probe->SetTimer(7, 5));  // the same id restarts, it does not add
    for (int i = 0; i < 400 && probe->ticks.size() < 3; ++i) {
        Application::PumpWaitingMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_GE(probe->ticks.size(), 3u);
    EXPECT_EQ(probe->ticks.front(), 7u);
    EXPECT_TRUE(probe->KillTimer(7));
    EXPECT_FALSE(probe->KillTimer(7));
    probe->ticks.clear();
    for (int i = 0; i < 6; ++i) {
        Application::PumpWaitingMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(probe->ticks.empty());
}

}  // namespace
}  // namespace tw::ui
