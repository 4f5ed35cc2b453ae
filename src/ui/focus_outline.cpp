#include "focus_outline.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <algorithm>

#include "scaler.h"

namespace morvel {

const QColor FocusOutline::kOuter(255, 230, 0);
const QColor FocusOutline::kInner(20, 20, 20);

FocusOutline::FocusOutline(QWidget* surface) : QFocusFrame(surface), surface_(surface) {
    setObjectName(QStringLiteral("focusOutline"));
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { Retarget(now); });
}

int FocusOutline::OuterWidth(qreal factor) {
    return std::max(2, qRound(2.5 * factor));
}

int FocusOutline::InnerWidth(qreal factor) {
    return std::max(1, qRound(factor));
}

void FocusOutline::Retarget(QWidget* focused) {
    // Focus in another window leaves this one's ring where it was, hidden until its window has
    // the focus again.
    if (focused != nullptr && focused->window() != surface_->window()) return;
    if (target_ != nullptr && target_ != focused) target_->removeEventFilter(this);
    const bool inside =
        focused != nullptr && focused != surface_ && surface_->isAncestorOf(focused);
    if (inside && target_ != focused) focused->installEventFilter(this);
    target_ = inside ? focused : nullptr;
    Follow();
}

void FocusOutline::Follow() {
    if (target_ == nullptr || !target_->hasFocus() || !target_->isVisible()) {
        around_ = {};
        hide();
        return;
    }
    const auto* area = dynamic_cast<const FocusArea*>(target_.data());
    const QRect part = area != nullptr ? area->FocusedPart() : target_->rect();
    around_ = QRect(target_->mapTo(surface_, part.topLeft()), part.size());
    const qreal factor = Scaler::FactorFor(surface_);
    const int band = OuterWidth(factor) + InnerWidth(factor);
    const QRect geometry = around_.adjusted(-band, -band, band, band);
    if (geometry != this->geometry()) setGeometry(geometry);
    raise();
    show();
    update();
}

void FocusOutline::paintEvent(QPaintEvent*) {
    if (around_.isEmpty()) return;
    const qreal factor = Scaler::FactorFor(surface_);
    const int inner = InnerWidth(factor);
    const QRect hole(QPoint(around_.left() - x(), around_.top() - y()), around_.size());
    const QRect dark = hole.adjusted(-inner, -inner, inner, inner);
    QPainter painter(this);
    painter.setClipRegion(QRegion(rect()).subtracted(dark));
    painter.fillRect(rect(), kOuter);
    painter.setClipRegion(QRegion(dark).subtracted(hole));
    painter.fillRect(dark, kInner);
}

bool FocusOutline::eventFilter(QObject* watched, QEvent* event) {
    if (watched == target_) {
        switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
            case QEvent::Hide:
            case QEvent::FocusIn:
            case QEvent::FocusOut:
                Follow();
                break;
            default:
                break;
        }
    }
    return QFocusFrame::eventFilter(watched, event);
}

}  // namespace morvel
