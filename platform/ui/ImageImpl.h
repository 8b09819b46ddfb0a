#pragma once

// Internal to the framework: the Qt image behind an Image.

#include <QImage>

#include "platform/ui/Image.h"

namespace tw::ui {

struct Image::Impl {
    QImage image;
};

}  // namespace tw::ui
