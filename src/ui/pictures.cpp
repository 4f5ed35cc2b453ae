#include "pictures.h"

#include <QDebug>
#include <QImageReader>

#include "card_faces.h"

namespace morvel {

QImage ReadPng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

namespace {

// Enough for every card of the table at the sizes a large screen draws them (a slot asks again
// for a picture the cache has let go).
constexpr int kCacheKilobytes = 32 * 1024;

int KeyOf(Picture picture) {
    return static_cast<int>(picture.kind) * 256 + picture.index;
}

// A drawing as built in, read when a size of it is first wanted: the large drawings are not
// kept, only the sizes made of them.
QImage Art(Picture picture) {
    const int n = picture.index;
    QString path;
    switch (picture.kind) {
        case Picture::Kind::Blank:
        case Picture::Kind::Face:
            return {};
        case Picture::Kind::Back:
            path = QStringLiteral(":/art/back%1.png").arg(n);
            break;
        case Picture::Kind::Pass:
            path = QStringLiteral(":/art/pass.png");
            break;
        case Picture::Kind::Chooser:
            path = QStringLiteral(":/art/king%1.png").arg(n);
            break;
        case Picture::Kind::Turn:
            path = QStringLiteral(":/art/hand%1.png").arg(n);
            break;
    }
    QImage image = ReadPng(path);
    if (image.isNull()) qWarning() << "morvel: cannot load the picture" << path;
    return image;
}

}  // namespace

Pictures::Pictures() : sized_(kCacheKilobytes) {}

QPixmap Pictures::Get(Picture picture, QSize size) const {
    if (picture.kind == Picture::Kind::Blank || size.isEmpty()) return {};
    const quint64 key = (static_cast<quint64>(KeyOf(picture)) << 32) |
                        (static_cast<quint64>(size.width() & 0xFFFF) << 16) |
                        static_cast<quint64>(size.height() & 0xFFFF);
    if (const QPixmap* cached = sized_.object(key)) return *cached;

    QImage image;
    if (picture.kind == Picture::Kind::Face) {
        if (faces_ == nullptr || picture.index < 1 || picture.index > Tcard::kFaceCount) return {};
        image = faces_->Face(picture.index, size);
    } else {
        image = Art(picture);
        if (!image.isNull() && image.size() != size)
            image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (image.isNull()) return {};
    auto* pixmap = new QPixmap(QPixmap::fromImage(std::move(image)));
    const QPixmap result = *pixmap;
    sized_.insert(key, pixmap, std::max(1, size.width() * size.height() * 4 / 1024));
    return result;
}

}  // namespace morvel
