#include "platform/ui/Font.h"

#include <QFontInfo>
#include <cstring>

#include "platform/ui/Application.h"
#include "platform/ui/QtFont.h"

namespace tw::ui {

Font::Font(const LogFont& description) : description_(description) {
    description_.faceName[kFaceNameSize - 1] = '\0';
}

Font::Font(const std::string& face, int height, int width, int weight) {
    description_.height = height;
    description_.width = width;
    description_.weight = weight;
    description_.quality = 2;
    description_.pitchAndFamily = 1;
    std::strncpy(description_.faceName, face.c_str(), kFaceNameSize - 1);
}

std::string Font::DrawnFamily() const {
    Application::EnsureStarted();
    return QFontInfo(ToQFont(description_)).family().toStdString();
}

}  // namespace tw::ui
