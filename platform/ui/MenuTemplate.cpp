#include "platform/ui/MenuTemplate.h"

#include <QFile>
#include <sstream>

static void RegisterResourcesOnce() {
    static bool registered = false;
    if (!registered) {
        Q_INIT_RESOURCE(shell);
        registered = true;
    }
}

namespace tw::ui {

void RegisterShellResources() {
    RegisterResourcesOnce();
}

namespace {

// Reads a double-quoted text; false if the line has none where one belongs.
bool ReadQuoted(std::istringstream& in, std::string& text) {
    in >> std::ws;
    if (in.get() != '"') {
        return false;
    }
    return static_cast<bool>(std::getline(in, text, '"'));
}

bool ReadItem(std::istringstream& in, MenuItem& item) {
    if (!ReadQuoted(in, item.text) || !(in >> item.id)) {
        return false;
    }
    std::string flag;
    while (in >> flag) {
        if (flag == "grayed") {
            item.grayed = true;
        } else if (flag == "checked") {
            item.checked = true;
        } else if (flag == "key") {
            item.keys.emplace_back();
            if (!ReadQuoted(in, item.keys.back())) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

bool ParseLine(const std::string& line, MenuTemplate& out) {
    std::istringstream in(line);
    std::string word;
    if (!(in >> word) || word[0] == '#') {
        return true;
    }
    if (word == "key") {
        MenuKey key;
        std::string rest;
        if (!ReadQuoted(in, key.key) || !(in >> key.id) || (in >> rest)) {
            return false;
        }
        out.keys.push_back(key);
        return true;
    }
    if (word == "popup") {
        MenuPopup popup;
        std::string rest;
        if (!ReadQuoted(in, popup.text) || (in >> rest)) {
            return false;
        }
        out.popups.push_back(popup);
        return true;
    }
    if (out.popups.empty()) {
        return false;
    }
    MenuItem item;
    if (word == "separator") {
        item.separator = true;
    } else if (word != "item" || !ReadItem(in, item)) {
        return false;
    }
    out.popups.back().items.push_back(item);
    return true;
}

}  // namespace

std::string PlainMenuText(const std::string& text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
        }
        plain += text[i];
    }
    return plain;
}

bool MenuTemplate::Parse(const std::string& text, MenuTemplate& out, std::string& error) {
    out = MenuTemplate();
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!ParseLine(line, out)) {
            error = "line " + std::to_string(number) + ": cannot read \"" + line + "\"";
            return false;
        }
    }
    if (out.popups.empty()) {
        error = "no popup";
        return false;
    }
    return true;
}

bool MenuTemplate::Load(int id, MenuTemplate& out, std::string& error) {
    RegisterShellResources();
    QFile file(QStringLiteral(":/menus/%1.menu").arg(id));
    if (!file.open(QIODevice::ReadOnly)) {
        error = "no menu resource " + std::to_string(id);
        return false;
    }
    return Parse(file.readAll().toStdString(), out, error);
}

}  // namespace tw::ui
