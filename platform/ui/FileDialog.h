#pragma once

#include <string>

namespace tw::ui {

class Window;

// Flags of the file dialogs.
inline constexpr unsigned OfnOverwritePrompt = 0x0002;
inline constexpr unsigned OfnHideReadOnly = 0x0004;
inline constexpr unsigned OfnFileMustExist = 0x1000;

// What a file dialog starts from and what it gives back.
struct OpenSaveData {
    unsigned flags = 0;
    // Pairs of description and pattern, each ended by '|':
    // "Midi Files (*.mid)|*.mid|All Files (*.*)|*.*|". The first pair is
    // the one chosen at first.
    std::string filter;
    // The chosen path after OK.
    std::string fileName;
};

// The open dialog, through the current modal runner: IdOk with the chosen
// path in data.fileName, or IdCancel.
[[nodiscard]] int FileOpenDialog(Window* owner, OpenSaveData& data);

// The save dialog. With OfnOverwritePrompt an existing file is taken only
// after Yes to a message box; No returns to the dialog.
[[nodiscard]] int FileSaveDialog(Window* owner, OpenSaveData& data);

// The filter in the toolkit's form: "Midi Files (*.mid);;All Files (*)";
// the pattern "*.*" stands for every file.
[[nodiscard]] std::string ToolkitFilter(const std::string& filter);

}  // namespace tw::ui
