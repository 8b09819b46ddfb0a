#include "platform/ui/FileDialog.h"

#include <QFileDialog>
#include <QStringList>
#include <filesystem>
#include <system_error>

#include "platform/ui/Application.h"
#include "platform/ui/ModalRunner.h"

namespace tw::ui {

namespace {

std::string ToolkitPattern(std::string pattern) {
    for (char& c : pattern) {
        if (c == ';') {
            c = ' ';
        }
    }
    return pattern == "*.*" ? "*" : pattern;
}

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

}  // namespace

std::string ToolkitFilter(const std::string& filter) {
    std::string out;
    std::size_t at = 0;
    while (at < filter.size()) {
        const std::size_t bar = filter.find('|', at);
        const std::size_t end =
            bar == std::string::npos ? filter.size() : filter.find('|', bar + 1);
        if (bar == std::string::npos) {
            break;
        }
        std::string name = filter.substr(at, bar - at);
        const std::string pattern =
            filter.substr(bar + 1, (end == std::string::npos ? filter.size() : end) - bar - 1);
        const std::size_t paren = name.rfind(" (");
        if (paren != std::string::npos && name.back() == ')') {
            name.erase(paren);
        }
        out += (out.empty() ? "" : ";;") + name + " (" + ToolkitPattern(pattern) + ")";
        at = end == std::string::npos ? filter.size() : end + 1;
    }
    return out;
}

int ModalRunner::RunFileDialog(Window*, OpenSaveData& data, bool save) {
    Application::EnsureStarted();
    QFileDialog dialog(nullptr, save ? QStringLiteral("Save As") : QStringLiteral("Open"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!save && (data.flags & OfnFileMustExist) != 0 ? QFileDialog::ExistingFile
                                                                     : QFileDialog::AnyFile);
    // The overwrite question is ours, asked through the modal runner.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilter(QString::fromStdString(ToolkitFilter(data.filter)));
    if (!data.fileName.empty()) {
        dialog.selectFile(QString::fromStdString(data.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return IdCancel;
    }
    data.fileName = dialog.selectedFiles().front().toStdString();
    return IdOk;
}

int FileOpenDialog(Window* owner, OpenSaveData& data) {
    return ModalRunner::Current().RunFileDialog(owner, data, false);
}

int FileSaveDialog(Window* owner, OpenSaveData& data) {
    for (;;) {
        if (ModalRunner::Current().RunFileDialog(owner, data, true) != IdOk) {
            return IdCancel;
        }
        if ((data.flags & OfnOverwritePrompt) == 0 || !Exists(data.fileName)) {
            return IdOk;
        }
        const std::string question = data.fileName + " already exists.\nDo you want to replace it?";
        if (MessageBox(owner, question, "Save As", MbYesNo) == IdYes) {
            return IdOk;
        }
    }
}

}  // namespace tw::ui
