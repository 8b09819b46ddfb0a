#pragma once

// Runs the whole application headless in a temporary working directory,
// with the MIDI port behind a recorder and every dialog scripted.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/SDIDecFrame.h"
#include "app/tw32App.h"
#include "platform/midi/RecordingOut.h"
#include "platform/ui/FileDialog.h"
#include "playback/MidiPort.h"
#include "support/MidiFile.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"

namespace tw::test {

// A scripted runner that also answers the file dialogs: each queued path
// is chosen in the next one, an empty path cancels it.
class FileScript : public ScriptedRunner {
public:
    FileScript& Choose(const std::string& path) {
        paths_.push_back(path);
        return *this;
    }
    ~FileScript() override { EXPECT_TRUE(paths_.empty()) << "a file dialog never came"; }

    int RunFileDialog(ui::Window*, ui::OpenSaveData& data, bool save) override {
        fileDialogs.push_back(save ? "save" : "open");
        if (paths_.empty()) {
            ADD_FAILURE() << "unexpected file dialog";
            return ui::IdCancel;
        }
        const std::string path = paths_.front();
        paths_.pop_front();
        if (path.empty()) {
            return ui::IdCancel;
        }
        data.fileName = path;
        return ui::IdOk;
    }

    std::vector<std::string> fileDialogs;

private:
    std::deque<std::string> paths_;
};

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        previousDir = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        SetPortOpener([this](uint32_t device) -> std::unique_ptr<midi::MidiOut> {
            opened.push_back(device);
            return std::make_unique<midi::RecordingOut>();
        });
    }
    void TearDown() override {
        app.reset();
        SetPortOpener({});
        std::filesystem::current_path(previousDir);
    }

    // Builds the application and its windows, as the program's start does.
    void Launch() {
        app = std::make_unique<tw32App>();
        ASSERT_TRUE(app->Start());
    }

    std::string Path(const std::string& name) const { return dir / name; }
    std::string Caption() const { return app->Frame()->GetWindowText(); }
    // The item's state as its popup shows it.
    ui::Frame::ItemState Item(int popup, unsigned id) const {
        app->Frame()->UpdatePopup(popup);
        return app->Frame()->MenuItemState(id).value_or(ui::Frame::ItemState{});
    }
    void Command(unsigned id) { (void)app->Frame()->ProcessCommand(id); }

    // Installed for the whole test, so that no dialog or box ever waits
    // for a person.
    FileScript script;
    TempDir dir;
    std::filesystem::path previousDir;
    std::vector<uint32_t> opened;
    std::unique_ptr<tw32App> app;
};

// A song file with one track holding a time signature and one note.
inline Bytes SongBytes(int format, int numerator, int division) {
    return OneNoteSong(static_cast<uint8_t>(numerator), static_cast<uint16_t>(division),
                       static_cast<uint16_t>(format));
}

}  // namespace tw::test
