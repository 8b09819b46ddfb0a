#pragma once

// What the window benchmarks share: the capacity song written to a working
// directory of its own, and a modal runner that opens it in every file
// dialog and answers every box.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "CapacitySong.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/ModalRunner.h"

namespace tw::bench {

class ChooseSong : public ui::ModalRunner {
public:
    explicit ChooseSong(std::string path) : path_(std::move(path)) {}
    int RunModal(ui::Window&) override { return ui::IdCancel; }
    int RunMessageBox(ui::Window*, const std::string&, const std::string&,
                      unsigned style) override {
        ++boxes;
        return (style & ui::MbYesNo) != 0 ? ui::IdYes : ui::IdOk;
    }
    int RunFileDialog(ui::Window*, ui::OpenSaveData& data, bool) override {
        data.fileName = path_;
        return ui::IdOk;
    }
    int boxes = 0;

private:
    std::string path_;
};

// Writes the capacity song into a fresh working directory named after
// `name` and this process, and makes it the current one; the song's path.
inline std::string CapacitySongFile(const std::string& name) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / (name + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    const std::string path = (dir / "capacity.mid").string();
    const Bytes& song = CapacitySong();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(song.data()),
               static_cast<std::streamsize>(song.size()));
    return path;
}

}  // namespace tw::bench
