// One image slot of the table (i40, j7, king2, ...): paints its picture stretched to its size and
// reports presses, releases and clicks, from the mouse and, when it takes the focus, from the
// keyboard. A screen reader hears it through its voice.
#pragma once

#include <QAccessible>
#include <QColor>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "focus_outline.h"
#include "table_model.h"

class QPainter;

namespace morvel {

class Pictures;

class ImageSlot : public QWidget, public FocusArea {
    Q_OBJECT

  public:
    ImageSlot(const QString& name, const Pictures& pictures, QWidget* parent);

    void SetPicture(Picture picture);
    Picture ShownPicture() const { return picture_; }
    // Pictures made at this designed size and stretched to the slot, when it differs from the
    // slot's own only a little: the same card then serves slots of either size.
    void SetPictureSize(QSize designed) { pictureSize_ = designed; }
    // The picture as this slot paints it, at its size in device pixels.
    QPixmap Pixmap() const;

    // A card that may not be played now is drawn darker.
    void SetDimmed(bool dimmed);
    bool Dimmed() const { return dimmed_; }
    // A short flash in `colour` over the picture, gone by itself after kFlashMilliseconds.
    static constexpr int kFlashMilliseconds = 250;
    void Flash(const QColor& colour);
    bool Flashing() const { return flashTimer_.isActive(); }

    // Whether a press on this slot waits for its release.
    bool Held() const { return heldButton_ != Qt::NoButton || heldKey_ != 0; }
    // Forgets a press whose release will not come here (a modal window took the mouse, the focus
    // moved on): emits Released as the release would have.
    void CancelPress();

    // The keyboard's press, as a screen reader asks for it: Pressed and Clicked at once, then
    // Released.
    void Press();

    // What a screen reader says of the slot (QAccessible::Name, Description); the owner knows
    // what its pictures mean. A blank slot shows nothing and is not reported as shown.
    using Voice = std::function<QString(const ImageSlot&, QAccessible::Text)>;
    void SetVoice(Voice voice) { voice_ = std::move(voice); }
    QString Spoken(QAccessible::Text text) const;
    // Tells a screen reader that what the slot says has changed.
    void VoiceChanged(QAccessible::Event event = QAccessible::NameChanged);

    // The part of the slot that is seen: slots above it that show a card cover the rest.
    QRect FocusedPart() const override;

  signals:
    void Pressed();   // a button pressed (or Enter or Space typed) while none was held on the slot
    void Released();  // that same button or key released, also outside the slot
    void Clicked();   // left button pressed and released over the slot, or Enter or Space typed

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    QSize DeviceSize() const;
    void Prefetch() const;
    void Shade(QPainter& painter, const QColor& colour) const;

    const Pictures& pictures_;
    Picture picture_;
    QSize pictureSize_;
    bool dimmed_ = false;
    QColor flash_;
    QTimer flashTimer_;
    Qt::MouseButton heldButton_ = Qt::NoButton;
    int heldKey_ = 0;
    Voice voice_;
};

// A screen reader's view of an image slot: a button when it takes the focus, a picture
// otherwise; its name and description from the slot's voice.
QAccessibleInterface* ImageSlotAccessible(const QString& className, QObject* object);

}  // namespace morvel
