#include "image_slot.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "pictures.h"
#include "scaler.h"

namespace morvel {

namespace {

const QColor kDimming(0, 0, 0, 115);

bool PressesSlot(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
        case Qt::Key_Select:
            return event.modifiers() == Qt::NoModifier || event.modifiers() == Qt::KeypadModifier;
        default:
            return false;
    }
}

class SlotAccessible : public QAccessibleWidget {
  public:
    explicit SlotAccessible(ImageSlot* slot)
        : QAccessibleWidget(slot, Pressable(slot) ? QAccessible::Button : QAccessible::Graphic) {}

    // A slot that takes the focus answers Enter: a screen reader may press it too.
    static bool Pressable(const ImageSlot* slot) { return slot->focusPolicy() & Qt::TabFocus; }
    ImageSlot* Slot() const { return static_cast<ImageSlot*>(widget()); }

    QString text(QAccessible::Text t) const override {
        const QString spoken = Slot()->Spoken(t);
        return spoken.isEmpty() ? QAccessibleWidget::text(t) : spoken;
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (Slot()->ShownPicture().kind == Picture::Kind::Blank) s.invisible = true;
        return s;
    }
    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (Pressable(Slot()) && Slot()->isEnabled()) names.prepend(pressAction());
        return names;
    }
    void doAction(const QString& name) override {
        if (name == pressAction() && Pressable(Slot()) && Slot()->isEnabled()) {
            Slot()->Press();
            return;
        }
        QAccessibleWidget::doAction(name);
    }
};

}  // namespace

QAccessibleInterface* ImageSlotAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String(ImageSlot::staticMetaObject.className())) return nullptr;
    return new SlotAccessible(static_cast<ImageSlot*>(object));
}

ImageSlot::ImageSlot(const QString& name, const Pictures& pictures, QWidget* parent)
    : QWidget(parent), pictures_(pictures) {
    setObjectName(name);
    flashTimer_.setSingleShot(true);
    flashTimer_.setInterval(kFlashMilliseconds);
    connect(&flashTimer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void ImageSlot::SetPicture(Picture picture) {
    if (picture == picture_) return;
    const bool wasBlank = picture_.kind == Picture::Kind::Blank;
    picture_ = picture;
    // Faces and backs cover the slot whole: what lies below need not be drawn first.
    setAttribute(Qt::WA_OpaquePaintEvent,
                 picture.kind == Picture::Kind::Face || picture.kind == Picture::Kind::Back);
    update();
    Prefetch();
    if (wasBlank != (picture.kind == Picture::Kind::Blank)) {
        QAccessible::State invisible;
        invisible.invisible = true;
        QAccessibleStateChangeEvent event(this, invisible);
        QAccessible::updateAccessibility(&event);
    }
    VoiceChanged();
}

QString ImageSlot::Spoken(QAccessible::Text text) const {
    return voice_ ? voice_(*this, text) : QString();
}

void ImageSlot::VoiceChanged(QAccessible::Event type) {
    QAccessibleEvent event(this, type);
    QAccessible::updateAccessibility(&event);
}

// Slots of one designed size share their pictures: made at that size times the factor, not at
// the slot's own size, which the scaler rounds a pixel either way depending on where the slot
// stands (at some factors a face was made and kept at four sizes). Drawn over the slot, the
// picture then stretches by that pixel at most.
QSize ImageSlot::DeviceSize() const {
    QSize designed = pictureSize_;
    if (!designed.isValid()) {
        if (const Scaler* scaler = Scaler::Of(parentWidget()); scaler != nullptr)
            designed = scaler->DesignedRect(this).size();
    }
    const QSizeF drawn =
        designed.isEmpty() ? QSizeF(size()) : QSizeF(designed) * Scaler::FactorFor(this);
    return (drawn * devicePixelRatioF()).toSize();
}

QPixmap ImageSlot::Pixmap() const {
    return pictures_.Get(picture_, DeviceSize());
}

// A slot on the screen knows the size it will draw at: its picture can be made ahead.
void ImageSlot::Prefetch() const {
    if (isVisible()) pictures_.Prefetch(picture_, DeviceSize());
}

void ImageSlot::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Prefetch();
}

void ImageSlot::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Prefetch();
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
    if (dimmed_) Shade(painter, kDimming);
    if (Flashing()) Shade(painter, flash_);
}

// A translucent colour over the slot, in bands lower than the raster engine's threshold for
// handing a fill to worker threads: for a card's few thousand pixels, waking the threads and
// waiting for them costs more than the fill.
void ImageSlot::Shade(QPainter& painter, const QColor& colour) const {
    constexpr int kBand = 64;  // device pixels; the engine goes parallel from 96 lines on
    const qreal ratio = devicePixelRatioF();
    const int band = std::max(1, static_cast<int>(kBand / ratio));
    for (int top = 0; top < height(); top += band)
        painter.fillRect(QRect(0, top, width(), std::min(band, height() - top)), colour);
}

void ImageSlot::mousePressEvent(QMouseEvent* event) {
    // A second button pressed while one is held belongs to the first press (or key).
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

QRect ImageSlot::FocusedPart() const {
    QRegion seen(geometry());
    const QObjectList& siblings = parentWidget()->children();
    for (qsizetype i = siblings.indexOf(const_cast<ImageSlot*>(this)) + 1; i < siblings.size();
         ++i) {
        const auto* above = qobject_cast<const ImageSlot*>(siblings[i]);
        if (above != nullptr && !above->isHidden() && above->testAttribute(Qt::WA_OpaquePaintEvent))
            seen -= above->geometry();
    }
    // A slot covered on two sides keeps its largest uncovered piece.
    QRect largest;
    for (const QRect& piece : seen) {
        if (piece.width() * piece.height() > largest.width() * largest.height()) largest = piece;
    }
    return largest.isEmpty() ? rect() : largest.translated(-pos());
}

void ImageSlot::keyPressEvent(QKeyEvent* event) {
    if (!PressesSlot(*event)) {
        QWidget::keyPressEvent(event);
        return;
    }
    // A key held down repeats; the press counts once.
    if (!event->isAutoRepeat() && !Held()) {
        heldKey_ = event->key();
        emit Pressed();
        emit Clicked();
    }
}

void ImageSlot::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat() || event->key() != heldKey_) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    heldKey_ = 0;
    emit Released();
}

void ImageSlot::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    // The key's release goes where the focus went.
    if (heldKey_ != 0) {
        heldKey_ = 0;
        emit Released();
    }
}

void ImageSlot::Press() {
    if (Held()) return;
    emit Pressed();
    emit Clicked();
    emit Released();
}

void ImageSlot::CancelPress() {
    if (!Held()) return;
    heldButton_ = Qt::NoButton;
    heldKey_ = 0;
    emit Released();
}

}  // namespace morvel
