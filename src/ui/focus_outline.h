// The ring around the control that has the keyboard focus in one window: a thick yellow band with
// a dark one inside it, drawn above every control and as thick as the window's scale makes every
// line. It is a focus frame, so the mouse goes through it and a screen reader does not see it.
#pragma once

#include <QFocusFrame>
#include <QPointer>
#include <QRect>

namespace morvel {

// A control that is only partly the thing focused (a card under the next one, one cell of a
// sheet): the part the ring goes around, in the control's own pixels.
class FocusArea {
  public:
    virtual QRect FocusedPart() const = 0;

  protected:
    ~FocusArea() = default;
};

class FocusOutline : public QFocusFrame {
    Q_OBJECT

  public:
    // The ring serves every control inside `surface` (the table, or a side window).
    explicit FocusOutline(QWidget* surface);

    // Puts the ring where the focused control is now: after the controls have moved, or what
    // covers them has changed.
    void Follow();

    QWidget* Target() const { return target_; }
    // Where the ring goes around, in the surface's pixels; empty when it is not shown.
    QRect Around() const { return around_; }
    // The widths of its bands at a factor: yellow outside, dark inside.
    static int OuterWidth(qreal factor);
    static int InnerWidth(qreal factor);

    static const QColor kOuter;
    static const QColor kInner;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Retarget(QWidget* focused);

    QWidget* surface_;
    QPointer<QWidget> target_;
    QRect around_;
};

}  // namespace morvel
