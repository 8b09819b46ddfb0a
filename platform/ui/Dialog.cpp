#include "platform/ui/Dialog.h"

#include <QEvent>
#include <QWidget>

#include "platform/ui/Button.h"
#include "platform/ui/DC.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Gauge.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/QtFont.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/Static.h"
#include "platform/ui/WindowWidget.h"

namespace tw::ui {

namespace {

constexpr Color kFace{192, 192, 192};
constexpr Color kShadow{128, 128, 128};

// The close box ends the dialog with IdCancel, before the window itself
// decides whether to close.
class CloseWatcher : public QObject {
public:
    CloseWatcher(QObject* parent, Dialog& dialog) : QObject(parent), dialog_(dialog) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close && !dialog_.HasEnded()) {
            dialog_.EndDialog(IdCancel);
        }
        return false;
    }

private:
    Dialog& dialog_;
};

// Points at the screen's 96 dots per inch, as a character height in pixels.
LogFont FontOf(const DialogTemplate& t) {
    LogFont f;
    f.height = -((t.fontPoints * 96 + 36) / 72);
    f.weight = 400;
    t.fontFace.copy(f.faceName, kFaceNameSize - 1);
    return f;
}

Window* MakeControl(Dialog* d, const DialogItem& i) {
    using Kind = DialogItem::Kind;
    NativeControl* c = nullptr;
    switch (i.kind) {
        case Kind::Static:
            c = new Static(d, i.id, i.x, i.y, i.w, i.h, i.text, i.framed);
            break;
        case Kind::ListBox:
            c = new ListBox(d, i.id, i.x, i.y, i.w, i.h, {i.multiple, i.sort, i.notify});
            break;
        case Kind::Edit:
            c = new Edit(d, i.id, i.x, i.y, i.w, i.h, i.limit);
            break;
        case Kind::Button:
            c = new Button(d, i.id, i.x, i.y, i.w, i.h, i.text, i.isDefault);
            break;
        case Kind::Gauge:
            c = new Gauge(d, i.id, i.x, i.y, i.w, i.h, i.horizontal);
            break;
        case Kind::ScrollBar:
            c = new ScrollBar(d, i.id, i.x, i.y, i.w, i.h, i.horizontal);
            break;
        case Kind::Frame:
        case Kind::Line:
            return nullptr;
    }
    if (i.hidden) {
        c->SetVisible(false);
    }
    return c;
}

}  // namespace

Dialog::Dialog(Window* parent, int resourceId)
    : Window(nullptr, ""), resourceId_(resourceId), owner_(parent) {
    SetBkgndColor(kFace);
    if (auto t = DialogTemplate::Load(resourceId, &error_)) {
        template_ = std::move(*t);
        loaded_ = true;
        SetWindowText(template_.caption);
        MoveWindow(0, 0, template_.width, template_.height);
        CreateItems();
    }
}

Dialog::~Dialog() = default;

void Dialog::CreateItems() {
    for (const DialogItem& item : template_.items) {
        MakeControl(this, item);
    }
}

const ResponseTable& Dialog::Table() {
    static constexpr ResponseEntry entries[] = {OnCommand<&Dialog::CmOk>(IdOk),
                                                OnCommand<&Dialog::CmCancel>(IdCancel)};
    static const ResponseTable table{&Window::Table(), entries};
    return table;
}

void Dialog::SetupWindow() {
    QWidget* w = Widget();
    w->setFont(ToQFont(FontOf(template_)));
    w->setFixedSize(template_.width, template_.height);
    w->installEventFilter(new CloseWatcher(w, *this));
    Window::SetupWindow();
}

int Dialog::Execute() {
    ended_ = false;
    result_ = IdCancel;
    if (!loaded_ || (!IsCreated() && !Create())) {
        return IdCancel;
    }
    Widget()->setWindowModality(Qt::ApplicationModal);
    return ModalRunner::Current().RunModal(*this);
}

void Dialog::EndDialog(int result) {
    ended_ = true;
    result_ = result;
    if (IsModal()) {
        EndModal(result);
    } else {
        Hide();
    }
}

void Dialog::CmOk() {
    if (CanClose()) {
        EndDialog(IdOk);
    }
}

void Dialog::CmCancel() {
    EndDialog(IdCancel);
}

void Dialog::Paint(DC& dc, bool, Rect&) {
    for (const DialogItem& i : template_.items) {
        if (i.kind == DialogItem::Kind::Frame) {
            dc.FillRect({i.x, i.y, i.x + i.w, i.y + 1}, kShadow);
            dc.FillRect({i.x, i.y, i.x + 1, i.y + i.h}, kShadow);
            dc.FillRect({i.x, i.y + i.h - 1, i.x + i.w, i.y + i.h}, Color::White());
            dc.FillRect({i.x + i.w - 1, i.y, i.x + i.w, i.y + i.h}, Color::White());
        } else if (i.kind == DialogItem::Kind::Line) {
            dc.FillRect({i.x, i.y, i.x + i.w, i.y + 1}, kShadow);
            dc.FillRect({i.x, i.y + 1, i.x + i.w, i.y + 2}, Color::White());
        }
    }
}

}  // namespace tw::ui
