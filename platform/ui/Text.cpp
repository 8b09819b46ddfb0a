#include "platform/ui/Text.h"

#include <QChar>

namespace tw::ui {

bool IsLetter(char32_t codePoint) {
    return QChar::isLetter(codePoint) || QChar::isMark(codePoint);
}

}  // namespace tw::ui
