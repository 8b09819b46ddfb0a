#pragma once

#include <string>

namespace tw::ui {

class Window;
struct OpenSaveData;

// Results of a modal run.
inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;

// Message box styles.
inline constexpr unsigned MbOk = 0x0;
inline constexpr unsigned MbYesNo = 0x4;

// Every modal dialog and message box of the program runs through the one
// current runner. The toolkit's runner shows them for real; a test installs
// a runner that answers them without a nested loop.
class ModalRunner {
public:
    virtual ~ModalRunner() = default;

    // Runs the window as a modal dialog (creating it first if needed) and
    // returns its result: IdOk, or IdCancel (also for the close box).
    [[nodiscard]] virtual int RunModal(Window& dialog) = 0;
    // Shows a message box with OK or Yes/No and returns the button pressed.
    [[nodiscard]] virtual int RunMessageBox(Window* owner, const std::string& text,
                                            const std::string& caption, unsigned style) = 0;

    // Shows the file-open or file-save dialog; IdOk with the chosen path in
    // data.fileName, or IdCancel. Without an override the toolkit's dialog
    // is shown, so a test runner that expects no file dialog need not
    // answer one.
    [[nodiscard]] virtual int RunFileDialog(Window* owner, OpenSaveData& data, bool save);

    static ModalRunner& Current();
    // Installs a runner, which the caller keeps alive while it is installed;
    // nullptr puts the toolkit's runner back. Returns the one it replaces.
    static ModalRunner* Install(ModalRunner* runner);
};

// A message box through the current runner.
[[nodiscard]] int MessageBox(Window* owner, const std::string& text, const std::string& caption,
                             unsigned style = MbOk);

}  // namespace tw::ui
