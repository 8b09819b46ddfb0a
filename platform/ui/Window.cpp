#include "platform/ui/Window.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QRegion>
#include <algorithm>

#include "platform/ui/Application.h"
#include "platform/ui/DC.h"
#include "platform/ui/ImageImpl.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/WindowWidget.h"

namespace tw::ui {

namespace {
Window* captureWindow = nullptr;
}

Window::Window(Window* parent, int id, int x, int y, int w, int h)
    : parent_(parent), id_(id), x_(x), y_(y), w_(std::max(0, w)), h_(std::max(0, h)) {
    if (parent_ != nullptr) {
        parent_->AddChild(this);
    }
}

Window::Window(Window* parent, const std::string& title) : Window(parent, 0, 0, 0, 0, 0) {
    text_ = title;
}

Window::~Window() {
    ReleaseCapture();
    // Children go first, newest first, each taking its native window along.
    while (!children_.empty()) {
        delete children_.back();
    }
    if (parent_ != nullptr) {
        parent_->RemoveChild(this);
    }
    delete widget_;
}

void Window::AddChild(Window* child) {
    children_.push_back(child);
}

void Window::RemoveChild(Window* child) {
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

Window* Window::ChildWithId(int id) const {
    auto it = std::find_if(children_.begin(), children_.end(),
                           [id](const Window* c) { return c->Id() == id; });
    return it == children_.end() ? nullptr : *it;
}

bool Window::Create() {
    if (widget_ != nullptr || (parent_ != nullptr && !parent_->IsCreated())) {
        return false;
    }
    CreateWidget();
    SetupWindow();
    return true;
}

void Window::CreateWidget() {
    Application::EnsureStarted();
    widget_ = new WindowWidget(*this, parent_ != nullptr ? parent_->widget_ : nullptr);
    if (w_ > 0 && h_ > 0) {
        widget_->setGeometry(x_, y_, w_, h_);
    }
    if (parent_ == nullptr) {
        widget_->setWindowTitle(QString::fromStdString(text_));
    } else {
        widget_->show();
    }
}

void Window::SetupWindow() {
    for (Window* child : std::vector<Window*>(children_)) {
        if (!child->IsCreated()) {
            (void)child->Create();
        }
    }
}

void Window::Show() {
    if (widget_ != nullptr) {
        widget_->show();
    }
}

void Window::CloseWindow() {
    if (widget_ != nullptr) {
        widget_->close();
    }
}

void Window::Hide() {
    if (widget_ != nullptr) {
        widget_->hide();
    }
}

Rect Window::GetClientRect() const {
    if (widget_ != nullptr) {
        return {0, 0, widget_->width(), widget_->height()};
    }
    return {0, 0, w_, h_};
}

void Window::MoveWindow(int x, int y, int w, int h) {
    x_ = x;
    y_ = y;
    w_ = std::max(0, w);
    h_ = std::max(0, h);
    if (widget_ != nullptr) {
        widget_->setGeometry(x_, y_, w_, h_);
    }
}

void Window::Invalidate(bool erase) {
    if (widget_ != nullptr) {
        MarkInvalid(GetClientRect(), erase);
        widget_->update();
    }
}

void Window::InvalidateRect(const Rect& r, bool erase) {
    const Rect n = r.Normalized();
    if (widget_ != nullptr && !n.IsEmpty()) {
        MarkInvalid(n, erase);
        widget_->update(n.left, n.top, n.Width(), n.Height());
    }
}

void Window::MarkInvalid(const Rect& r, bool erase) {
    if (erase) {
        erasePending_ = true;
    } else {
        keptAreas_.push_back(r);
    }
}

void Window::UpdateWindow() {
    if (widget_ != nullptr) {
        widget_->repaint();
    }
}

// Only a paint that stays inside areas invalidated without erase keeps what
// is on screen; anything else the toolkit shows first is black or stale.
void Window::HandlePaint(DC& dc, Rect dirty, bool forceErase) {
    QRegion kept;
    for (const Rect& r : keptAreas_) {
        kept += QRect(r.left, r.top, r.Width(), r.Height());
    }
    const bool erase =
        erasePending_ || forceErase ||
        !QRegion(dirty.left, dirty.top, dirty.Width(), dirty.Height()).subtracted(kept).isEmpty();
    erasePending_ = false;
    keptAreas_.clear();
    if (erase) {
        dc.FillRect(dirty, background_);
    }
    Paint(dc, erase, dirty);
}

void Window::Paint(DC&, bool, Rect&) {}

void Window::SetCapture() {
    if (captureWindow != nullptr && captureWindow != this) {
        captureWindow->ReleaseCapture();
    }
    captureWindow = this;
    // Without a window system to grab from (offscreen), the routing in
    // HandleMouse alone carries the capture.
    if (widget_ != nullptr && widget_->isVisible() &&
        QGuiApplication::platformName() != QLatin1String("offscreen")) {
        widget_->grabMouse();
    }
}

void Window::ReleaseCapture() {
    if (captureWindow != this) {
        return;
    }
    captureWindow = nullptr;
    if (widget_ != nullptr && QWidget::mouseGrabber() == widget_) {
        widget_->releaseMouse();
    }
}

Window* Window::GetCapture() {
    return captureWindow;
}

void Window::HandleMouse(MsgId msg, WParam keyState, Point client) {
    Window* target = this;
    if (captureWindow != nullptr && captureWindow != this && captureWindow->widget_ != nullptr) {
        const QPoint global = widget_->mapToGlobal(QPoint(client.x, client.y));
        const QPoint local = captureWindow->widget_->mapFromGlobal(global);
        target = captureWindow;
        client = {local.x(), local.y()};
    }
    target->SendMessage(msg, keyState, PackPoint(client.x, client.y));
}

bool Window::SetTimer(unsigned id, unsigned periodMs) {
    if (widget_ == nullptr) {
        return false;
    }
    (void)KillTimer(id);
    const int nativeId = widget_->startTimer(static_cast<int>(periodMs), Qt::PreciseTimer);
    if (nativeId == 0) {
        return false;
    }
    timers_[nativeId] = id;
    return true;
}

bool Window::KillTimer(unsigned id) {
    auto it = std::find_if(timers_.begin(), timers_.end(),
                           [id](const auto& entry) { return entry.second == id; });
    if (it == timers_.end()) {
        return false;
    }
    widget_->killTimer(it->first);
    timers_.erase(it);
    return true;
}

void Window::HandleTimer(int nativeId) {
    auto it = timers_.find(nativeId);
    if (it != timers_.end()) {
        SendMessage(msg::Timer, it->second, 0);
    }
}

void Window::SetWindowText(const std::string& text) {
    text_ = text;
    if (widget_ != nullptr && parent_ == nullptr) {
        widget_->setWindowTitle(QString::fromStdString(text));
    }
}

const ResponseTable& Window::Table() {
    static const ResponseTable table{nullptr, {}};
    return table;
}

MsgResult Window::SendMessage(MsgId msg, WParam wParam, LParam lParam) {
    const ResponseEntry* entry = Responses().Find(msg, wParam, lParam);
    return entry != nullptr ? entry->handler(*this, wParam, lParam)
                            : DefaultMessage(msg, wParam, lParam);
}

MsgResult Window::DefaultMessage(MsgId, WParam, LParam) {
    return 0;
}

Image Window::PaintToImage() {
    if (widget_ == nullptr) {
        return Image();
    }
    const Rect client = GetClientRect();
    Image image(client.Width(), client.Height(), background_);
    WindowWidget::paintingImage = true;
    widget_->render(&image.Internal().image);
    WindowWidget::paintingImage = false;
    return image;
}

int Window::RunModalLoop() {
    QEventLoop loop;
    modalLoop_ = &loop;
    modalResult_ = IdCancel;
    loop.exec();
    modalLoop_ = nullptr;
    return modalResult_;
}

void Window::EndModal(int result) {
    modalResult_ = result;
    if (modalLoop_ != nullptr) {
        static_cast<QEventLoop*>(modalLoop_)->exit(result);
    }
}

bool Window::HandleClose() {
    if (modalLoop_ != nullptr) {
        EndModal(IdCancel);
        return false;
    }
    return true;
}

}  // namespace tw::ui
