#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/CommandEnabler.h"
#include "platform/ui/Window.h"

namespace tw::ui {

class FrameMenu;

// The framework's exit command: closes the frame, which asks its client first.
inline constexpr unsigned CmExit = 24310;

// A top-level window with a caption, an icon, a menu bar and one client
// window that fills the area under the menu bar.
//
// A menu command goes to the client's response table, then the frame's,
// then the command target's (the application); the first table with an
// entry for it handles it. Each time a popup is about to show, every item
// asks the same chain for its state: the first enabler found sets it; an
// item with no enabler is enabled exactly when some table handles it.
class Frame : public Window {
    TW_DECLARE_RESPONSE_TABLE()

public:
    explicit Frame(const std::string& title);
    ~Frame() override;

    // The client must have been built with this frame as its parent.
    void SetClientWindow(Window* client) { client_ = client; }
    Window* GetClientWindow() const { return client_; }
    void SetCommandTarget(Window* target) { target_ = target; }

    void SetCaption(const std::string& caption) { SetWindowText(caption); }
    // Icon resource id (resources/icons/<id>.png); false if there is none.
    bool SetIcon(int resourceId);
    bool HasIcon() const { return iconId_ != 0; }
    // Menu resource id (resources/menus/<id>.menu); false, and no menu, if
    // its template cannot be read.
    bool AssignMenu(int resourceId);

    // Runs the command as choosing its menu item does; false if no table
    // in the chain handles it.
    bool ProcessCommand(unsigned id);
    // A shortcut key's command: runs it as its menu item does, but only
    // when its enabler allows it now; false when it did not run.
    bool RunKeyCommand(unsigned id);
    // What the chain's enabler says for the command now.
    CommandEnabler QueryCommand(unsigned id, bool checked = false);

    // An item of the menu as it was last brought up to date; nothing for an
    // id that the menu does not have.
    struct ItemState {
        std::string text;
        bool enabled = false;
        bool checked = false;
    };
    std::optional<ItemState> MenuItemState(unsigned id) const;
    // Asks the enablers of every item of popup index, as showing it does.
    void UpdatePopup(int index);
    // The menu bar's height in pixels (0 without a menu or before Create).
    int MenuHeight() const;

    // Shows the frame maximised by the window manager, with no maximise box;
    // it sets no size hints, so its caption stays on the screen.
    void ShowMaximized();

    // A frame closes only when its client agrees.
    bool CanClose() override;
    bool HandleClose() override;

protected:
    void SetupWindow() override;

private:
    friend class FrameMenu;
    void CmExit();
    bool HasHandler(MsgId msg, unsigned id) const;
    void LayoutClient();

    Window* client_ = nullptr;
    Window* target_ = nullptr;
    int iconId_ = 0;
    std::unique_ptr<FrameMenu> menu_;
};

}  // namespace tw::ui
