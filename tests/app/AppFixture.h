#pragma once

// Runs the whole application headless in a temporary working directory,
// with the MIDI port behind a recorder and every dialog scripted.

#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/SDIDecFrame.h"
#include "app/tw32App.h"
#include "platform/midi/RecordingOut.h"
#include "platform/ui/FileDialog.h"
#include "playback/MidiPort.h"
#include "support/ScriptedRunner.h"

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
        dir = std::filesystem::temp_directory_path() /
              ("tw-app-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        previousDir = std::filesystem::current_path();
        std::filesystem::current_path(dir);
        SetPortOpener([this](uint32_t device) -> std::unique_ptr<midi::MidiOut> {
            opened.push_back(device);
            return std::make_unique<midi::RecordingOut>();
        });
    }
    void TearDown() override {
        app.reset();
        SetPortOpener({});
        std::filesystem::current_path(previousDir);
        std::filesystem::remove_all(dir);
    }

    // Builds the application and its windows, as the program's start does.
    void Launch() {
        app = std::make_unique<tw32App>();
        ASSERT_TRUE(app->Start());
    }

    std::string Path(const std::string& name) const { return (dir / name).string(); }
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
    std::filesystem::path dir;
    std::filesystem::path previousDir;
    std::vector<uint32_t> opened;
    std::unique_ptr<tw32App> app;
};

inline void WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<unsigned char> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A song file with one track holding a time signature and one note.
inline std::vector<unsigned char> SongBytes(int format, int numerator, int division) {
    const std::vector<unsigned char> events = {
        0x00, 0xFF, 0x58, 0x04, static_cast<unsigned char>(numerator),
        0x02, 0x18, 0x08, 0x00, 0x90,
        60,   100,  0x60, 0x80, 60,
        0,    0x00, 0xFF, 0x2F, 0x00};
    std::vector<unsigned char> b = {'M',
                                    'T',
                                    'h',
                                    'd',
                                    0,
                                    0,
                                    0,
                                    6,
                                    0,
                                    static_cast<unsigned char>(format),
                                    0,
                                    1,
                                    static_cast<unsigned char>(division >> 8),
                                    static_cast<unsigned char>(division & 0xFF),
                                    'M',
                                    'T',
                                    'r',
                                    'k',
                                    0,
                                    0,
                                    0,
                                    static_cast<unsigned char>(events.size())};
    for (unsigned char e : events) {
        b.push_back(e);
    }
    return b;
}

}  // namespace tw::test
