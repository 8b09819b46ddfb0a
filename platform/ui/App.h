#pragma once

#include <string>

#include "platform/ui/Window.h"

namespace tw::ui {

class Frame;

// The application object: it builds the main window in its hook, takes the
// menu commands that no window handles (its response table comes last in
// the frame's chain) and runs the message loop. It is never shown itself.
class App : public Window {
public:
    explicit App(const std::string& name);
    // Destroys the main window and its children.
    ~App() override;

    const std::string& Name() const { return GetWindowText(); }

    // Creates the main window with InitMainWindow and shows it maximised;
    // false if the hook made none.
    [[nodiscard]] bool Start();
    // The message loop: runs until the main window has closed.
    int MessageLoop();
    int Run();

    // The frame becomes the main window, owned by the application, and its
    // commands fall through to the application's table.
    void SetMainWindow(Frame* frame);
    Frame* GetMainWindow() const { return mainWindow_; }

protected:
    // Builds the main window and calls SetMainWindow; runs once, from Start.
    virtual void InitMainWindow() {}
    // Releases the main window before the framework goes; the destructor
    // calls it, a derived destructor may call it earlier.
    void DestroyMainWindow();

private:
    Frame* mainWindow_ = nullptr;
};

}  // namespace tw::ui
