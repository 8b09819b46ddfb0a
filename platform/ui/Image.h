#pragma once

#include <memory>
#include <string>

#include "platform/ui/Color.h"

namespace tw::ui {

// A picture in memory: what a window paints into for tests, and the pixels
// of a bitmap resource.
class Image {
public:
    Image();
    Image(int width, int height, Color fill);
    ~Image();
    Image(Image&&) noexcept;
    Image& operator=(Image&&) noexcept;
    Image(const Image& other);
    Image& operator=(const Image& other);

    bool IsNull() const;
    int Width() const;
    int Height() const;
    // The colour at (x, y); black outside the image.
    Color Pixel(int x, int y) const;
    // Writes the image as a PNG file; false if that fails.
    [[nodiscard]] bool SavePng(const std::string& path) const;
    // Reads a PNG file; a null image if that fails.
    static Image LoadPng(const std::string& path);
    // Writes the PNG file `from` as a PNG of size x size pixels at `to`,
    // transparency kept: a whole multiple of the size enlarges each pixel
    // into a square, any other size is smoothed. False if either file fails.
    [[nodiscard]] static bool ScalePng(const std::string& from, const std::string& to, int size);

    struct Impl;
    Impl& Internal() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace tw::ui
