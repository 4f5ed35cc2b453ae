#include "image_slot.h"

#include <QMouseEvent>
#include <QPainter>

namespace morvel {

ImageSlot::ImageSlot(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
}

void ImageSlot::SetPicture(Picture picture, const QPixmap& pixmap) {
    picture_ = picture;
    if (pixmap.cacheKey() == pixmap_.cacheKey()) return;
    pixmap_ = pixmap;
    scaled_ = QPixmap();
    update();
}

void ImageSlot::paintEvent(QPaintEvent*) {
    if (pixmap_.isNull()) return;
    // Scaling once per size with area averaging looks better than the painter's bilinear
    // transform when a large face shrinks to a small collection slot.
    const qreal ratio = devicePixelRatioF();
    const QSize target = (QSizeF(size()) * ratio).toSize();
    if (scaled_.isNull() || scaled_.size() != target) {
        scaled_ = pixmap_.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled_.setDevicePixelRatio(ratio);
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), scaled_);
}

void ImageSlot::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) leftDown_ = true;
    emit Pressed();
}

void ImageSlot::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = event->button() == Qt::LeftButton && leftDown_ &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) leftDown_ = false;
    if (click) emit Clicked();
    emit Released();
}

}  // namespace morvel
