#include "platform/ui/DialogTemplate.h"

#include <QFile>
#include <charconv>
#include <map>
#include <sstream>

// The templates are compiled into this library; a static library must ask
// for its resources to be registered before the first look-up.
static void RegisterDialogResources() {
    Q_INIT_RESOURCE(dialogs);
}

namespace tw::ui {

namespace {

using Kind = DialogItem::Kind;

const std::map<std::string, Kind> kKinds = {
    {"static", Kind::Static}, {"listbox", Kind::ListBox}, {"edit", Kind::Edit},
    {"button", Kind::Button}, {"gauge", Kind::Gauge},     {"scrollbar", Kind::ScrollBar},
    {"frame", Kind::Frame},   {"line", Kind::Line},
};

struct Token {
    std::string text;
    bool quoted = false;
};

// Splits a line into words and double-quoted strings (\" and \\ inside).
bool Tokenize(const std::string& line, std::vector<Token>& out) {
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
        } else if (line[i] == '"') {
            Token t{"", true};
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size()) {
                    ++i;
                }
                t.text += line[i];
            }
            if (i >= line.size()) {
                return false;
            }
            ++i;
            out.push_back(t);
        } else {
            const size_t end = line.find_first_of(" \t\r\"", i);
            out.push_back({line.substr(i, end - i), false});
            i = end == std::string::npos ? line.size() : end;
        }
    }
    return true;
}

bool ToInt(const Token& t, int& value) {
    const char* end = t.text.data() + t.text.size();
    auto [p, ec] = std::from_chars(t.text.data(), end, value);
    return !t.quoted && ec == std::errc() && p == end;
}

bool ApplyFlag(const std::string& flag, DialogItem& item) {
    static const std::map<std::string, bool DialogItem::*> flags = {
        {"multiple", &DialogItem::multiple}, {"sort", &DialogItem::sort},
        {"notify", &DialogItem::notify},     {"hidden", &DialogItem::hidden},
        {"default", &DialogItem::isDefault}, {"framed", &DialogItem::framed},
    };
    if (auto it = flags.find(flag); it != flags.end()) {
        item.*(it->second) = true;
        return true;
    }
    if (flag == "vertical") {
        item.horizontal = false;
        return true;
    }
    return flag.rfind("limit=", 0) == 0 && ToInt({flag.substr(6)}, item.limit) && item.limit >= 0;
}

std::string ParseItem(Kind kind, const std::vector<Token>& t, DialogItem& item) {
    item.kind = kind;
    if (t.size() < 6 || !ToInt(t[1], item.id) || !ToInt(t[2], item.x) || !ToInt(t[3], item.y) ||
        !ToInt(t[4], item.w) || !ToInt(t[5], item.h) || item.w < 0 || item.h < 0) {
        return "expected id x y w h";
    }
    for (size_t i = 6; i < t.size(); ++i) {
        if (t[i].quoted) {
            item.text = t[i].text;
        } else if (!ApplyFlag(t[i].text, item)) {
            return "unknown flag '" + t[i].text + "'";
        }
    }
    return "";
}

std::string ParseLine(const std::vector<Token>& t, DialogTemplate& dlg) {
    const std::string& word = t[0].text;
    if (word == "caption" && t.size() == 2 && t[1].quoted) {
        dlg.caption = t[1].text;
    } else if (word == "font" && t.size() == 3 && t[1].quoted && ToInt(t[2], dlg.fontPoints)) {
        dlg.fontFace = t[1].text;
    } else if (word == "size" && t.size() == 3 && ToInt(t[1], dlg.width) &&
               ToInt(t[2], dlg.height) && dlg.width > 0 && dlg.height > 0) {
    } else if (auto kind = kKinds.find(word); kind != kKinds.end() && !t[0].quoted) {
        DialogItem item;
        if (std::string problem = ParseItem(kind->second, t, item); !problem.empty()) {
            return problem;
        }
        dlg.items.push_back(item);
    } else {
        return "cannot read '" + word + "'";
    }
    return "";
}

}  // namespace

std::optional<DialogTemplate> DialogTemplate::Parse(const std::string& text, std::string* error) {
    DialogTemplate dlg;
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::vector<Token> tokens;
        const bool closed = Tokenize(line, tokens);
        if (closed && (tokens.empty() || (!tokens[0].quoted && tokens[0].text[0] == '#'))) {
            continue;
        }
        const std::string problem = closed ? ParseLine(tokens, dlg) : "unclosed string";
        if (!problem.empty()) {
            if (error != nullptr) {
                *error = "line " + std::to_string(number) + ": " + problem;
            }
            return std::nullopt;
        }
    }
    return dlg;
}

std::optional<DialogTemplate> DialogTemplate::Load(int resourceId, std::string* error) {
    static const bool registered = (RegisterDialogResources(), true);
    (void)registered;
    QFile file(QStringLiteral(":/dialogs/%1.dlg").arg(resourceId));
    if (!file.open(QIODevice::ReadOnly)) {
        if (error != nullptr) {
            *error = "no dialog template " + std::to_string(resourceId);
        }
        return std::nullopt;
    }
    std::string problem;
    auto dlg = Parse(file.readAll().toStdString(), &problem);
    if (!dlg && error != nullptr) {
        *error = "dialog template " + std::to_string(resourceId) + ", " + problem;
    }
    return dlg;
}

}  // namespace tw::ui
