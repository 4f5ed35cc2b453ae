#include "pictures.h"

#include <QDebug>

#include "card_faces.h"

namespace morvel {

QPixmap Pictures::Get(Picture picture) const {
    const int n = picture.index;
    QString path;
    switch (picture.kind) {
        case Picture::Kind::Blank:
            return {};
        case Picture::Kind::Face:
            return faces_ != nullptr && n >= 1 && n <= Tcard::kFaceCount ? faces_->Face(n)
                                                                         : QPixmap();
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
    const int key = static_cast<int>(picture.kind) * 256 + n;
    auto found = art_.constFind(key);
    if (found != art_.constEnd()) return *found;
    QPixmap pixmap(path);
    if (pixmap.isNull()) qWarning() << "morvel: cannot load the picture" << path;
    art_.insert(key, pixmap);
    return pixmap;
}

}  // namespace morvel
