// One image slot of the table (i40, j7, king2, ...): paints its picture stretched to its size and
// reports presses, releases and clicks.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "table_model.h"

namespace morvel {

class ImageSlot : public QWidget {
    Q_OBJECT

  public:
    explicit ImageSlot(const QString& name, QWidget* parent);

    void SetPicture(Picture picture, const QPixmap& pixmap);
    Picture ShownPicture() const { return picture_; }
    const QPixmap& Pixmap() const { return pixmap_; }

  signals:
    void Pressed();   // any button
    void Released();  // any button, also outside the slot after a press on it
    void Clicked();   // left button pressed and released over the slot

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    Picture picture_;
    QPixmap pixmap_;
    QPixmap scaled_;  // pixmap_ smoothly scaled to the slot's size in device pixels
    bool leftDown_ = false;
};

}  // namespace morvel
