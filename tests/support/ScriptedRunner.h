#pragma once

// A modal runner for tests: a queue of steps, each answering the next
// message box or acting on the next dialog like a person would (clicking
// list lines, typing into edits) and then pressing a button. Installed for
// its lifetime; a step left unused or a dialog or box that no step expects
// fails the test.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/UserInput.h"

namespace tw::test {

// Presses the dialog's button with that id, or its close box for
// ScriptedRunner::CloseBox, as the user does; true if the dialog ended.
inline bool Press(ui::Dialog& d, int buttonId);

class ScriptedRunner : public ui::ModalRunner {
public:
    // Ends a dialog with its close box (which counts as Cancel).
    static constexpr int CloseBox = 0;

    struct Box {
        std::string text;
        std::string caption;
        unsigned style = 0;
    };

    ScriptedRunner() { previous_ = ui::ModalRunner::Install(this); }
    ~ScriptedRunner() override {
        ui::ModalRunner::Install(previous_);
        EXPECT_TRUE(steps_.empty()) << steps_.size() << " scripted step(s) never came";
    }
    ScriptedRunner(const ScriptedRunner&) = delete;
    ScriptedRunner& operator=(const ScriptedRunner&) = delete;

    // The next message box is answered with button (IdOk, IdYes, IdNo).
    ScriptedRunner& Answer(int button) {
        steps_.push_back({true, 0, nullptr, button});
        return *this;
    }
    // The next modal dialog must be built on resourceId; act runs on it once
    // it is set up and shown, then, unless act ended it, button is pressed
    // (IdOk, IdCancel, another button id, or CloseBox). A dialog that stays
    // open fails the test. Dialogs that act opens take the steps after this.
    ScriptedRunner& OnDialog(int resourceId, std::function<void(ui::Dialog&)> act,
                             int button = ui::IdOk) {
        steps_.push_back({false, resourceId, std::move(act), button});
        return *this;
    }
    ScriptedRunner& OnDialog(int resourceId, int button) {
        return OnDialog(resourceId, nullptr, button);
    }

    bool Done() const { return steps_.empty(); }

    std::vector<Box> boxes;    // every message box shown, in order
    std::vector<int> dialogs;  // the resource id of every dialog run, in order

    int RunMessageBox(ui::Window*, const std::string& text, const std::string& caption,
                      unsigned style) override {
        boxes.push_back({text, caption, style});
        if (steps_.empty() || !steps_.front().box) {
            ADD_FAILURE() << "unexpected message box \"" << text << "\" (" << caption << ")";
            return (style & ui::MbYesNo) == ui::MbYesNo ? ui::IdNo : ui::IdOk;
        }
        const int answer = steps_.front().button;
        steps_.pop_front();
        return answer;
    }

    int RunModal(ui::Window& window) override {
        auto* d = dynamic_cast<ui::Dialog*>(&window);
        dialogs.push_back(d != nullptr ? d->ResourceId() : -1);
        if (d == nullptr || steps_.empty() || steps_.front().box ||
            steps_.front().resourceId != d->ResourceId()) {
            ADD_FAILURE() << "unexpected dialog " << dialogs.back();
            return ui::IdCancel;
        }
        Step step = std::move(steps_.front());
        steps_.pop_front();
        if (!d->IsCreated() && !d->Create()) {
            ADD_FAILURE() << "dialog " << d->ResourceId() << " could not be created";
            return ui::IdCancel;
        }
        d->Show();
        ui::Application::PumpWaitingMessages();
        if (step.act) {
            step.act(*d);
        }
        if (!d->HasEnded() && !Press(*d, step.button)) {
            ADD_FAILURE() << "dialog " << d->ResourceId() << " stayed open after button "
                          << step.button;
            d->EndDialog(ui::IdCancel);
        }
        d->Hide();
        return d->Result();
    }

private:
    struct Step {
        bool box = false;
        int resourceId = 0;
        std::function<void(ui::Dialog&)> act;
        int button = ui::IdOk;
    };

    std::deque<Step> steps_;
    ui::ModalRunner* previous_ = nullptr;
};

inline bool Press(ui::Dialog& d, int buttonId) {
    if (buttonId == ScriptedRunner::CloseBox) {
        ui::UserInput::CloseBox(d);
    } else if (ui::Button* b = d.Item<ui::Button>(buttonId)) {
        ui::UserInput::Click(*b);
    } else {
        ADD_FAILURE() << "dialog " << d.ResourceId() << " has no button " << buttonId;
    }
    return d.HasEnded();
}

// The user clicks line index of list listId (toggling it in a multiple list).
inline void Click(ui::Dialog& d, int listId, int index) {
    ui::ListBox* list = d.Item<ui::ListBox>(listId);
    ASSERT_NE(list, nullptr) << "no list box " << listId;
    ui::UserInput::Click(*list, index);
}

// The user clicks the line that reads text in list listId.
inline void Click(ui::Dialog& d, int listId, const std::string& text) {
    ui::ListBox* list = d.Item<ui::ListBox>(listId);
    ASSERT_NE(list, nullptr) << "no list box " << listId;
    ASSERT_GE(list->FindExactString(text), 0) << "no line \"" << text << "\"";
    ui::UserInput::Click(*list, list->FindExactString(text));
}

inline void DoubleClick(ui::Dialog& d, int listId, int index) {
    ui::ListBox* list = d.Item<ui::ListBox>(listId);
    ASSERT_NE(list, nullptr) << "no list box " << listId;
    ui::UserInput::DoubleClick(*list, index);
}

// The user replaces the text of edit editId by typing text.
inline void Type(ui::Dialog& d, int editId, const std::string& text) {
    ui::Edit* edit = d.Item<ui::Edit>(editId);
    ASSERT_NE(edit, nullptr) << "no edit " << editId;
    ui::UserInput::Type(*edit, text);
}

}  // namespace tw::test
