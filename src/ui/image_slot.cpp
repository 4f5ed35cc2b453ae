#include "image_slot.h"

#include <QMouseEvent>
#include <QPainter>

#include "pictures.h"
#include "scaler.h"

namespace morvel {

namespace {

const QColor kDimming(0, 0, 0, 115);

}  // namespace

ImageSlot::ImageSlot(const QString& name, const Pictures& pictures, QWidget* parent)
    : QWidget(parent), pictures_(pictures) {
    setObjectName(name);
    flashTimer_.setSingleShot(true);
    flashTimer_.setInterval(kFlashMilliseconds);
    connect(&flashTimer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void ImageSlot::SetPicture(Picture picture) {
    if (picture == picture_) return;
    picture_ = picture;
    // Faces and backs cover the slot whole: what lies below need not be drawn first.
    setAttribute(Qt::WA_OpaquePaintEvent,
                 picture.kind == Picture::Kind::Face || picture.kind == Picture::Kind::Back);
    update();
}

QPixmap ImageSlot::Pixmap() const {
    const QSizeF drawn =
        pictureSize_.isValid() ? QSizeF(pictureSize_) * Scaler::FactorFor(this) : QSizeF(size());
    return pictures_.Get(picture_, (drawn * devicePixelRatioF()).toSize());
}

void ImageSlot::SetDimmed(bool dimmed) {
    if (dimmed == dimmed_) return;
    dimmed_ = dimmed;
    update();
}

void ImageSlot::Flash(const QColor& colour) {
    flash_ = colour;
    flashTimer_.start();
    update();
}

void ImageSlot::paintEvent(QPaintEvent*) {
    const QPixmap pixmap = Pixmap();
    QPainter painter(this);
    if (pixmap.isNull()) {
        if (testAttribute(Qt::WA_OpaquePaintEvent)) painter.fillRect(rect(), palette().window());
        return;
    }
    // The pixmap has the slot's size in device pixels: drawn over the slot, it lands pixel for
    // pixel, whatever the device pixel ratio.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, pictureSize_.isValid());
    painter.drawPixmap(QRectF(rect()), pixmap, QRectF(pixmap.rect()));
    if (dimmed_) painter.fillRect(rect(), kDimming);
    if (Flashing()) painter.fillRect(rect(), flash_);
}

void ImageSlot::mousePressEvent(QMouseEvent* event) {
    // A second button pressed while one is held belongs to the first press.
    if (Held()) return;
    heldButton_ = event->button();
    emit Pressed();
}

void ImageSlot::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != heldButton_) return;
    heldButton_ = Qt::NoButton;
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
    emit Released();
}

void ImageSlot::CancelPress() {
    if (!Held()) return;
    heldButton_ = Qt::NoButton;
    emit Released();
}

}  // namespace morvel
