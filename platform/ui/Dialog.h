#pragma once

#include <string>
#include <vector>

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/Window.h"

namespace tw::ui {

// A window built from a dialog template: its caption, font and controls,
// which exist (as ListBox, Edit, Static, Button, Gauge, ScrollBar) from
// construction on and are reached by id with Item.
//
// Modal: Execute returns IdOk or IdCancel. The OK button (id 1) closes the
// dialog only if CanClose agrees; Cancel (id 2) and the close box close it
// without asking. Other buttons send msg::Command with their id to the
// dialog's response table. Modeless: Create, Show, and CloseWindow.
class Dialog : public Window {
    TW_DECLARE_RESPONSE_TABLE()

public:
    // parent: the window the dialog belongs to and is centred on; it may be
    // nullptr. A resource with no readable template gives a dialog that
    // cannot be created (Execute returns IdCancel).
    Dialog(Window* parent, int resourceId);
    ~Dialog() override;

    int ResourceId() const { return resourceId_; }
    Window* Owner() const { return owner_; }
    // Why the template did not load; empty when it did.
    const std::string& TemplateError() const { return error_; }

    // Runs the dialog modally through the current modal runner.
    int Execute();

    // The template's control with that id, if it is a T.
    template <class T>
    T* Item(int id) const {
        return dynamic_cast<T*>(ChildWithId(id));
    }

    // Ends the dialog with a result, as its buttons and close box do.
    void EndDialog(int result);
    // Whether the dialog has ended since it was created or last executed,
    // and how.
    bool HasEnded() const { return ended_; }
    int Result() const { return result_; }

protected:
    void SetupWindow() override;
    // Draws the template's frames and lines.
    void Paint(DC& dc, bool erase, Rect& rect) override;

    void CmOk();
    void CmCancel();

private:
    void CreateItems();

    int resourceId_;
    Window* owner_;
    bool loaded_ = false;
    std::string error_;
    DialogTemplate template_;
    bool ended_ = false;
    int result_ = IdCancel;
};

}  // namespace tw::ui
