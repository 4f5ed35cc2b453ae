// One image slot of the table (i40, j7, king2, ...): paints its picture stretched to its size and
// reports presses, releases and clicks.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include "table_model.h"

namespace morvel {

class Pictures;

class ImageSlot : public QWidget {
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
    bool Held() const { return heldButton_ != Qt::NoButton; }
    // Forgets a press whose release will not come here (a modal window took the mouse): emits
    // Released as the release would have.
    void CancelPress();

  signals:
    void Pressed();   // a button pressed while none was held on the slot
    void Released();  // that same button released, also outside the slot
    void Clicked();   // left button pressed and released over the slot

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    const Pictures& pictures_;
    Picture picture_;
    QSize pictureSize_;
    bool dimmed_ = false;
    QColor flash_;
    QTimer flashTimer_;
    Qt::MouseButton heldButton_ = Qt::NoButton;
};

}  // namespace morvel
