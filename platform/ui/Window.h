#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Color.h"
#include "platform/ui/Image.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Point.h"
#include "platform/ui/Rect.h"
#include "platform/ui/ResponseTable.h"

namespace tw::ui {

class DC;
class WindowWidget;

// A window of the framework: a rectangle at a fixed position in its parent's
// client area that paints itself through a DC and handles messages through
// its class's response table.
//
// A window built with a parent belongs to that parent: the parent destroys
// it, so children are made with new. Children are created on screen in the
// order they were constructed, by the base SetupWindow of their parent.
class Window {
public:
    Window(Window* parent, int id, int x, int y, int w, int h);
    Window(Window* parent, const std::string& title);
    virtual ~Window();

    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Creates the native window, then runs SetupWindow (which creates the
    // children). Returns false if the window exists already or its parent
    // does not exist yet.
    [[nodiscard]] bool Create();
    bool IsCreated() const { return widget_ != nullptr; }
    void Show();
    void Hide();
    // As the close box does: a modal window ends its run with IdCancel.
    void CloseWindow();

    Window* Parent() const { return parent_; }
    int Id() const { return id_; }
    const std::vector<Window*>& Children() const { return children_; }
    Window* ChildWithId(int id) const;

    Rect GetClientRect() const;
    Point Position() const { return {x_, y_}; }
    void MoveWindow(int x, int y, int w, int h);

    // Marks the whole client area, or a part of it, to be repainted; with
    // erase the background colour is laid first. A paint that the window
    // system asks for (first show, exposure, resize) erases as well, unless
    // all it covers was invalidated without erase.
    void Invalidate(bool erase = true);
    void InvalidateRect(const Rect& r, bool erase = true);
    // Paints what is invalid now instead of waiting for the message loop.
    void UpdateWindow();

    void SetBkgndColor(Color c) { background_ = c; }
    Color BkgndColor() const { return background_; }

    // While a window holds the capture, every mouse message goes to it, with
    // positions in its own client coordinates, wherever the pointer is.
    void SetCapture();
    void ReleaseCapture();
    static Window* GetCapture();

    // A timer sends msg::Timer with wParam = id every periodMs milliseconds.
    // Setting an id that runs already restarts it with the new period.
    [[nodiscard]] bool SetTimer(unsigned id, unsigned periodMs);
    bool KillTimer(unsigned id);

    void SetWindowText(const std::string& text);
    const std::string& GetWindowText() const { return text_; }

    // Whether the window agrees to close; a frame asks its client before it
    // closes, a dialog asks itself when OK is pressed.
    virtual bool CanClose() { return true; }

    // Calls this window's handler for msg at once and returns its result.
    MsgResult SendMessage(MsgId msg, WParam wParam = 0, LParam lParam = 0);

    // Paints the window and its children into an image, through the same
    // Paint as the screen. The window must have been created.
    [[nodiscard]] Image PaintToImage();

    // Modal runs: the toolkit's runner spins the window's own loop until
    // EndModal; the close box ends it with IdCancel.
    int RunModalLoop();
    void EndModal(int result);
    bool IsModal() const { return modalLoop_ != nullptr; }

    static const ResponseTable& Table();

    // Called by the native window.
    void HandlePaint(DC& dc, Rect dirty, bool forceErase);
    void HandleMouse(MsgId msg, WParam keyState, Point client);
    void HandleTimer(int nativeId);
    virtual bool HandleClose();

protected:
    // After the native window exists; the base creates the children.
    virtual void SetupWindow();
    // Draws the window; rect is the part that needs it.
    virtual void Paint(DC& dc, bool erase, Rect& rect);
    virtual const ResponseTable& Responses() const { return Table(); }
    // A message that no table in the chain handles ends here.
    virtual MsgResult DefaultMessage(MsgId msg, WParam wParam, LParam lParam);
    // The native window, once created; for the framework's own controls.
    WindowWidget* Widget() const { return widget_; }

private:
    friend class Dialog;
    friend class MouseInput;
    friend class Frame;
    void AddChild(Window* child);
    void RemoveChild(Window* child);
    void CreateWidget();
    void MarkInvalid(const Rect& r, bool erase);

    Window* parent_;
    int id_;
    int x_, y_, w_, h_;
    std::string text_;
    Color background_ = Color::White();
    std::vector<Window*> children_;
    WindowWidget* widget_ = nullptr;
    bool erasePending_ = false;
    std::vector<Rect> keptAreas_;     // invalidated without erase, not yet painted
    std::map<int, unsigned> timers_;  // native timer id -> our id
    int modalResult_ = 0;
    void* modalLoop_ = nullptr;
};

}  // namespace tw::ui
