#include "platform/ui/Image.h"

#include "platform/ui/ImageImpl.h"

namespace tw::ui {

Image::Image() : impl_(std::make_unique<Impl>()) {}

Image::Image(int width, int height, Color fill) : impl_(std::make_unique<Impl>()) {
    impl_->image = QImage(width, height, QImage::Format_RGB32);
    impl_->image.fill(QColor(fill.r, fill.g, fill.b));
}

Image::~Image() = default;
Image::Image(Image&&) noexcept = default;
Image& Image::operator=(Image&&) noexcept = default;
Image::Image(const Image& other)
    : impl_(other.impl_ ? std::make_unique<Impl>(*other.impl_) : std::make_unique<Impl>()) {}

Image& Image::operator=(const Image& other) {
    if (this != &other) {
        impl_ = other.impl_ ? std::make_unique<Impl>(*other.impl_) : std::make_unique<Impl>();
    }
    return *this;
}

bool Image::IsNull() const {
    return impl_->image.isNull();
}
int Image::Width() const {
    return impl_->image.width();
}
int Image::Height() const {
    return impl_->image.height();
}

Color Image::Pixel(int x, int y) const {
    if (IsNull() || !impl_->image.valid(x, y)) {
        return Color::Black();
    }
    const QRgb p = impl_->image.pixel(x, y);
    return {qRed(p), qGreen(p), qBlue(p)};
}

bool Image::SavePng(const std::string& path) const {
    return !IsNull() && impl_->image.save(QString::fromStdString(path), "PNG");
}

Image Image::LoadPng(const std::string& path) {
    Image result;
    QImage loaded;
    if (loaded.load(QString::fromStdString(path), "PNG")) {
        result.impl_->image = loaded.convertToFormat(QImage::Format_RGB32);
    }
    return result;
}

bool Image::ScalePng(const std::string& from, const std::string& to, int size) {
    QImage source;
    if (size <= 0 || !source.load(QString::fromStdString(from), "PNG")) {
        return false;
    }
    source = source.convertToFormat(QImage::Format_ARGB32);
    const bool whole = size % source.width() == 0 && size % source.height() == 0;
    const QImage scaled = source.scaled(size, size, Qt::IgnoreAspectRatio,
                                        whole ? Qt::FastTransformation : Qt::SmoothTransformation);
    return scaled.save(QString::fromStdString(to), "PNG");
}

}  // namespace tw::ui
