#pragma once

#include "platform/ui/Image.h"

namespace tw::ui {

// A bitmap resource of the program, looked up by its number. The images are
// built into the program; an unknown number gives an invalid bitmap, which
// draws nothing.
class Bitmap {
public:
    explicit Bitmap(int resourceId);

    bool IsValid() const { return !image_.IsNull(); }
    int ResourceId() const { return resourceId_; }
    int Width() const { return image_.Width(); }
    int Height() const { return image_.Height(); }
    const Image& Pixels() const { return image_; }

private:
    int resourceId_;
    Image image_;
};

}  // namespace tw::ui
