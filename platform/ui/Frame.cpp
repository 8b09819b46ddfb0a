#include "platform/ui/Frame.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <map>

#include "platform/ui/MenuTemplate.h"
#include "platform/ui/WindowWidget.h"

namespace tw::ui {

// The Qt side of a frame's menu: the bar, its popups and actions, and the
// resize watch that keeps the client under the bar.
class FrameMenu : public QObject {
public:
    FrameMenu(Frame& frame, MenuTemplate menu) : frame_(frame), template_(std::move(menu)) {}

    void Build(QWidget* host) {
        host_ = host;
        bar_ = new QMenuBar(host);
        for (std::size_t i = 0; i < template_.popups.size(); ++i) {
            const MenuPopup& popup = template_.popups[i];
            QMenu* menu = bar_->addMenu(QString::fromStdString(popup.text));
            for (const MenuItem& item : popup.items) {
                AddItem(menu, item);
            }
            const int index = static_cast<int>(i);
            QObject::connect(menu, &QMenu::aboutToShow, this,
                             [this, index] { frame_.UpdatePopup(index); });
        }
        for (const MenuKey& key : template_.keys) {
            AddShortcut(host, key.key, key.id);
        }
        host->installEventFilter(this);
        bar_->show();
    }

    int Height() const { return bar_ != nullptr ? bar_->sizeHint().height() : 0; }
    void Place(int width) {
        if (bar_ != nullptr) {
            bar_->setGeometry(0, 0, width, Height());
        }
    }

    // Only a checked item is checkable, so that unchecked items show no
    // empty check box.
    static void SetCheck(QAction* action, bool checked) {
        action->setCheckable(checked);
        action->setChecked(checked);
    }

    const MenuTemplate& Template() const { return template_; }

    // The item's text, with its first key shown the way menus show shortcuts.
    void SetText(unsigned id, const std::string& text) {
        QAction* action = Action(id);
        auto key = shownKeys_.find(id);
        if (action != nullptr) {
            const QString shown = key != shownKeys_.end() ? "\t" + key->second : QString();
            action->setText(QString::fromStdString(text) + shown);
        }
    }
    QAction* Action(unsigned id) const {
        auto it = actions_.find(id);
        return it != actions_.end() ? it->second : nullptr;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            frame_.LayoutClient();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void AddItem(QMenu* menu, const MenuItem& item) {
        if (item.separator) {
            menu->addSeparator();
            return;
        }
        QAction* action = menu->addAction(QString());
        SetCheck(action, item.checked);
        action->setEnabled(!item.grayed);
        const unsigned id = item.id;
        QObject::connect(action, &QAction::triggered, this,
                         [this, id] { (void)frame_.ProcessCommand(id); });
        actions_[id] = action;
        for (const std::string& key : item.keys) {
            AddShortcut(host_, key, id);
        }
        if (!item.keys.empty()) {
            shownKeys_[id] = QKeySequence(QString::fromStdString(item.keys.front()))
                                 .toString(QKeySequence::NativeText);
        }
        SetText(id, item.text);
    }

    // A key works while the frame is the active window, so never inside a
    // dialog; it asks the command's enabler first, since the action's own
    // state is only brought up to date when its popup shows.
    void AddShortcut(QWidget* host, const std::string& key, unsigned id) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromStdString(key)), host);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, this,
                         [this, id] { (void)frame_.RunKeyCommand(id); });
    }

    Frame& frame_;
    MenuTemplate template_;
    QWidget* host_ = nullptr;
    QMenuBar* bar_ = nullptr;
    std::map<unsigned, QAction*> actions_;
    std::map<unsigned, QString> shownKeys_;
};

Frame::Frame(const std::string& title) : Window(nullptr, title) {}

Frame::~Frame() = default;

const ResponseTable& Frame::Table() {
    static constexpr ResponseEntry entries[] = {OnCommand<&Frame::CmExit>(ui::CmExit)};
    static const ResponseTable table{&Window::Table(), entries};
    return table;
}

bool Frame::SetIcon(int resourceId) {
    RegisterShellResources();
    if (QIcon(QStringLiteral(":/icons/%1.png").arg(resourceId)).isNull()) {
        return false;
    }
    iconId_ = resourceId;
    if (widget_ != nullptr) {
        widget_->setWindowIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(iconId_)));
    }
    return true;
}

bool Frame::AssignMenu(int resourceId) {
    MenuTemplate menu;
    std::string error;
    if (!MenuTemplate::Load(resourceId, menu, error)) {
        menu_.reset();
        return false;
    }
    menu_ = std::make_unique<FrameMenu>(*this, std::move(menu));
    if (widget_ != nullptr) {
        menu_->Build(widget_);
        LayoutClient();
    }
    return true;
}

void Frame::SetupWindow() {
    if (iconId_ != 0) {
        widget_->setWindowIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(iconId_)));
    }
    if (menu_ != nullptr) {
        menu_->Build(widget_);
    }
    Window::SetupWindow();
    LayoutClient();
}

int Frame::MenuHeight() const {
    return menu_ != nullptr && widget_ != nullptr ? menu_->Height() : 0;
}

void Frame::LayoutClient() {
    if (widget_ == nullptr) {
        return;
    }
    const int top = MenuHeight();
    if (menu_ != nullptr) {
        menu_->Place(widget_->width());
    }
    if (client_ != nullptr) {
        client_->MoveWindow(0, top, widget_->width(), std::max(0, widget_->height() - top));
    }
}

bool Frame::HasHandler(MsgId msg, unsigned id) const {
    const Window* const chain[] = {client_, this, target_};
    for (const Window* w : chain) {
        if (w != nullptr && w->Responses().Find(msg, id, 0) != nullptr) {
            return true;
        }
    }
    return false;
}

bool Frame::ProcessCommand(unsigned id) {
    for (Window* w : {client_, static_cast<Window*>(this), target_}) {
        if (w != nullptr && w->Responses().Find(msg::Command, id, 0) != nullptr) {
            w->SendMessage(msg::Command, id, 0);
            return true;
        }
    }
    return false;
}

CommandEnabler Frame::QueryCommand(unsigned id, bool checked) {
    CommandEnabler enabler(id, HasHandler(msg::Command, id), checked);
    for (Window* w : {client_, static_cast<Window*>(this), target_}) {
        if (w != nullptr && w->Responses().Find(msg::CommandEnable, id, 0) != nullptr) {
            enabler.Enable(true);
            w->SendMessage(msg::CommandEnable, id, reinterpret_cast<LParam>(&enabler));
            break;
        }
    }
    return enabler;
}

void Frame::UpdatePopup(int index) {
    if (menu_ == nullptr || index < 0 ||
        index >= static_cast<int>(menu_->Template().popups.size())) {
        return;
    }
    for (const MenuItem& item : menu_->Template().popups[static_cast<std::size_t>(index)].items) {
        QAction* action = menu_->Action(item.id);
        if (item.separator || action == nullptr) {
            continue;
        }
        const CommandEnabler state = QueryCommand(item.id, action->isChecked());
        action->setEnabled(state.IsEnabled());
        FrameMenu::SetCheck(action, state.IsChecked());
        menu_->SetText(item.id, state.Text().empty() ? item.text : state.Text());
    }
}

bool Frame::RunKeyCommand(unsigned id) {
    return QueryCommand(id).IsEnabled() && ProcessCommand(id);
}

std::optional<Frame::ItemState> Frame::MenuItemState(unsigned id) const {
    QAction* action = menu_ != nullptr ? menu_->Action(id) : nullptr;
    if (action == nullptr) {
        return std::nullopt;
    }
    const std::string text = action->text().section(QLatin1Char('\t'), 0, 0).toStdString();
    return ItemState{PlainMenuText(text), action->isEnabled(), action->isChecked()};
}

void Frame::ShowMaximized() {
    if (widget_ == nullptr) {
        return;
    }
    widget_->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // The window manager maximises it inside the work area, caption and all;
    // without one, the screen's size is what maximised means.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        widget_->setGeometry(screen->availableGeometry());
    }
    widget_->showMaximized();
}

bool Frame::CanClose() {
    return client_ == nullptr || client_->CanClose();
}

bool Frame::HandleClose() {
    return Window::HandleClose() && CanClose();
}

void Frame::CmExit() {
    CloseWindow();
}

}  // namespace tw::ui
