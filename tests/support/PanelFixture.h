#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "mainwin/tw32Window.h"
#include "platform/midi/RecordingOut.h"
#include "platform/ui/Application.h"
#include "playback/MidiPort.h"
#include "tests/support/SongFixture.h"

namespace tw::test {

// The control of type T made at (x, y) in window.
template <class T>
T& ControlAt(ui::Window& window, int x, int y) {
    for (ui::Window* child : window.Children()) {
        if (auto* control = dynamic_cast<T*>(child);
            control && child->Position() == ui::Point{x, y}) {
            return *control;
        }
    }
    ADD_FAILURE() << "no such control at " << x << "," << y;
    throw std::runtime_error("missing control");
}

// The main window (or a subclass of it) on a recording port, shown on a
// fresh song.
template <class MainWindow = tw32Window>
class BasicPanelFixture : public SongFixture {
protected:
    using Record = midi::RecordingOut::Record;

    void SetUp() override {
        SongFixture::SetUp();
        SetPortOpener([this](uint32_t) -> std::unique_ptr<midi::MidiOut> {
            return std::make_unique<midi::RecordingOut>(record, hasVolume);
        });
        OpenMidiOut();
    }
    void TearDown() override {
        window.reset();
        CloseMidiOut();
        SetPortOpener({});
        SongFixture::TearDown();
    }
    void Open() {
        window = std::make_unique<MainWindow>(nullptr);
        ASSERT_TRUE(window->Create());
        window->Show();
        ui::Application::PumpWaitingMessages();
        record->clear();
    }
    template <class T>
    T& At(int x, int y) {
        return ControlAt<T>(*window, x, y);
    }
    std::vector<uint32_t> Sent() const { return midi::RecordingOut(record).Messages(); }

    std::shared_ptr<Record> record = std::make_shared<Record>();
    bool hasVolume = true;
    std::unique_ptr<MainWindow> window;
};

using PanelFixture = BasicPanelFixture<>;

}  // namespace tw::test
