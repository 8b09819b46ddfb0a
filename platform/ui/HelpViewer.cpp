#include "platform/ui/HelpViewer.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

#include "platform/ui/Application.h"

namespace tw::ui {

namespace {

QTextBrowser* viewer = nullptr;
std::string shownPath;

QTextBrowser& Viewer() {
    Application::EnsureStarted();
    if (viewer == nullptr) {
        viewer = new QTextBrowser();
        viewer->setAttribute(Qt::WA_QuitOnClose, false);
        viewer->setOpenExternalLinks(true);
        viewer->resize(720, 640);
    }
    return *viewer;
}

void Present(QTextBrowser& v) {
    v.show();
    v.raise();
    v.activateWindow();
}

}  // namespace

bool HelpViewer::ShowFile(const std::string& path) {
    const QFileInfo info(QString::fromStdString(path));
    if (!info.isFile() || !info.isReadable()) {
        return false;
    }
    QTextBrowser& v = Viewer();
    v.setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    v.setWindowTitle(v.documentTitle().isEmpty() ? info.fileName() : v.documentTitle());
    shownPath = path;
    Present(v);
    return true;
}

void HelpViewer::ShowPage(const std::string& title, const std::string& html) {
    QTextBrowser& v = Viewer();
    v.setHtml(QString::fromStdString(html));
    v.setWindowTitle(QString::fromStdString(title));
    shownPath.clear();
    Present(v);
}

std::string HelpViewer::ShownPath() {
    return viewer != nullptr ? shownPath : std::string();
}

std::string HelpViewer::ShownText() {
    return viewer != nullptr ? viewer->toPlainText().toStdString() : std::string();
}

bool HelpViewer::IsVisible() {
    return viewer != nullptr && viewer->isVisible();
}

void HelpViewer::Close() {
    delete viewer;
    viewer = nullptr;
    shownPath.clear();
}

}  // namespace tw::ui
