#include "platform/ui/Bitmap.h"

#include <QFile>
#include <map>

#include "platform/ui/ImageImpl.h"

// The bitmaps are compiled into this library; a static library must ask for
// its resources to be registered before the first look-up.
static void RegisterBitmapResources() {
    Q_INIT_RESOURCE(bitmaps);
}

namespace tw::ui {

namespace {

// Decoded once per run: buttons look their images up at every paint.
const QImage& LoadResource(int id) {
    static std::map<int, QImage> cache;
    static bool registered = false;
    if (!registered) {
        RegisterBitmapResources();
        registered = true;
    }
    auto it = cache.find(id);
    if (it == cache.end()) {
        QImage image(QStringLiteral(":/bitmaps/%1.png").arg(id));
        if (!image.isNull()) {
            image = image.convertToFormat(QImage::Format_RGB32);
        }
        it = cache.emplace(id, image).first;
    }
    return it->second;
}

}  // namespace

Bitmap::Bitmap(int resourceId) : resourceId_(resourceId) {
    image_.Internal().image = LoadResource(resourceId);
}

}  // namespace tw::ui
