#pragma once

// Internal to the framework: the Qt font for a logical-font record.

#include <QFont>

#include "platform/ui/LogFont.h"

namespace tw::ui {

QFont ToQFont(const LogFont& description);

}  // namespace tw::ui
