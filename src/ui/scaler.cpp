#include "scaler.h"

#include <QBackingStore>
#include <QEvent>
#include <QFrame>
#include <QIconEngine>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <optional>

namespace morvel {

namespace {

// Set on every surface, so that a control (or the style drawing it) finds its factor.
constexpr char kFactorProperty[] = "morvelFactor";

// A standard icon looked up the first time it is drawn or measured.
class LaterIcon : public QIconEngine {
  public:
    LaterIcon(const QProxyStyle& style, QStyle::StandardPixmap which)
        : style_(style), which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new LaterIcon(style_, which_); }

  private:
    const QIcon& Icon() {
        if (!made_) {
            icon_ = style_.QProxyStyle::standardIcon(which_);
            made_ = true;
        }
        return icon_;
    }

    const QProxyStyle& style_;  // the application's style, which outlives every window
    QStyle::StandardPixmap which_;
    bool made_ = false;
    QIcon icon_;
};

QFont ScaledFont(QFont font, qreal factor) {
    if (font.pixelSize() > 0) {
        font.setPixelSize(std::max(1, qRound(font.pixelSize() * factor)));
    } else if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * factor);
    }
    return font;
}

}  // namespace

qreal Scaler::FitFactor(QSize designed, QSize room) {
    if (designed.isEmpty() || room.width() <= 0 || room.height() <= 0) return 1;
    const qreal factor = std::min(static_cast<qreal>(room.width()) / designed.width(),
                                  static_cast<qreal>(room.height()) / designed.height());
    return std::clamp(factor, qreal(1), kLargestFactor);
}

qreal Scaler::FactorFor(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->isWindow() ? nullptr : w->parentWidget()) {
        const QVariant factor = w->property(kFactorProperty);
        if (factor.isValid()) return factor.toReal();
    }
    return 1;
}

Scaler* Scaler::Of(const QWidget* surface) {
    return surface->findChild<Scaler*>(QString(), Qt::FindDirectChildrenOnly);
}

Scaler::Scaler(QWidget* surface, QSize designed, bool fit)
    : QObject(surface), surface_(surface), designed_(designed), fit_(fit) {
    surfaceFont_ = surface->font();
    surface->setProperty(kFactorProperty, qreal(1));
    if (fit_) {
        surface->installEventFilter(this);
    } else {
        surface->setFixedSize(designed);
    }
}

void Scaler::AdoptChildren() {
    for (QWidget* child : surface_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow() && !items_.contains(child)) Add(child);
    }
}

void Scaler::Add(QWidget* widget, Sizing sizing) {
    Item item{widget->geometry(), widget->font(), sizing, 0};
    if (auto* frame = qobject_cast<QFrame*>(widget);
        frame != nullptr && frame->frameShape() != QFrame::NoFrame)
        item.lineWidth = frame->lineWidth();
    items_.insert(widget, item);
    if (factor_ != 1) Apply(widget, item);
}

void Scaler::Place(QWidget* widget, const QRect& designed) {
    auto found = items_.find(widget);
    if (found == items_.end()) {
        widget->setGeometry(designed);
        Add(widget);
        return;
    }
    if (found->rect == designed && widget->geometry() == Map(designed)) return;
    found->rect = designed;
    Apply(widget, *found);
}

QRect Scaler::DesignedRect(const QWidget* widget) const {
    return items_.value(const_cast<QWidget*>(widget)).rect;
}

QPoint Scaler::Map(QPoint designed) const {
    return {qRound(offset_.x() + designed.x() * factor_),
            qRound(offset_.y() + designed.y() * factor_)};
}

QRect Scaler::Map(const QRect& designed) const {
    // Both edges are mapped, so that neighbours that touch as designed touch when scaled.
    const QPoint topLeft = Map(designed.topLeft());
    const QPoint end = Map(designed.topLeft() + QPoint(designed.width(), designed.height()));
    return {topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())};
}

void Scaler::Apply(QWidget* widget, const Item& item) const {
    if (item.sizing != Sizing::Painted) widget->setFont(ScaledFont(item.font, factor_));
    if (item.lineWidth > 0) {
        static_cast<QFrame*>(widget)->setLineWidth(std::max(1, qRound(item.lineWidth * factor_)));
    }
    if (item.sizing == Sizing::ToText) {
        widget->setGeometry(QRect(Map(item.rect.topLeft()), widget->sizeHint()));
    } else {
        widget->setGeometry(Map(item.rect));
    }
}

void Scaler::SetCaption(QWidget* strip, int height) {
    Q_ASSERT(!fit_ && captionHeight_ == 0 && height > 0);
    captionHeight_ = height;
    strip->setGeometry(0, -height, designed_.width(), height);
    Add(strip);
    SetFactor(factor_);
}

void Scaler::SetFactor(qreal factor) {
    factor = std::clamp(factor, qreal(1), kLargestFactor);
    const QSize size(qRound(designed_.width() * factor),
                     qRound((designed_.height() + captionHeight_) * factor));
    if (size != surface_->size()) surface_->setFixedSize(size);
    Layout(factor, QPointF(0, qRound(captionHeight_ * factor)));
}

void Scaler::Layout(qreal factor, QPointF offset) {
    if (factor == factor_ && offset == offset_) return;
    const bool rescaled = factor != factor_;
    factor_ = factor;
    offset_ = offset;
    surface_->setProperty(kFactorProperty, factor_);
    if (rescaled) surface_->setFont(ScaledFont(surfaceFont_, factor_));
    for (auto it = items_.cbegin(); it != items_.cend(); ++it)
        Apply(it.key(), it.value());
    emit Scaled(factor_);
}

QRect Scaler::ScreenArea() const {
    const QRect area = Area();
    return {surface_->mapToGlobal(area.topLeft()), area.size()};
}

void Scaler::Follow(const Scaler& table) {
    table_ = &table;
    connect(table_, &Scaler::Scaled, this, [this] {
        if (surface_->isVisible()) FitToTable();
    });
    surface_->installEventFilter(this);
}

void Scaler::FitToTable() {
    // The screen's room, or none to keep to when the table has no screen.
    const QScreen* screen = table_->surface_->screen();
    const std::optional<QRect> room =
        screen != nullptr ? std::optional(screen->availableGeometry()) : std::nullopt;
    // The table's factor, unless the window would then be larger than the screen.
    qreal factor = table_->Factor();
    if (room)
        factor = std::min({factor, qreal(room->width()) / designed_.width(),
                           qreal(room->height()) / (designed_.height() + captionHeight_)});
    SetFactor(factor);
    const QRect table = table_->ScreenArea();
    const QSize size = surface_->size();
    const QPoint strip(0, qRound(offset_.y()));  // the caption strip's height, drawn
    QPoint place;
    switch (anchor_.kind) {
        case Anchor::Kind::Centred:
            place = table.center() - QPoint(size.width() / 2, size.height() / 2);
            break;
        // The window's designed area stands at the point; its caption strip above it.
        case Anchor::Kind::TableTopLeft:
            place = table.topLeft() - strip;
            break;
        case Anchor::Kind::AtTablePoint:
            place =
                table.topLeft() - strip +
                QPoint(qRound(anchor_.point.x() * factor_), qRound(anchor_.point.y() * factor_));
            break;
    }
    // Wholly on the screen, the top-left corner first, where the place would leave a part off it.
    if (room) {
        place.setX(std::max(room->left(), std::min(place.x(), room->right() + 1 - size.width())));
        place.setY(std::max(room->top(), std::min(place.y(), room->bottom() + 1 - size.height())));
    }
    surface_->move(place);
}

bool Scaler::eventFilter(QObject* watched, QEvent* event) {
    if (watched == surface_ && event->type() == QEvent::Show && table_ != nullptr) FitToTable();
    // A side window drawn large keeps megabytes to draw into while hidden: they go, and the
    // next showing draws it anew.
    if (watched == surface_ && event->type() == QEvent::Hide && table_ != nullptr &&
        surface_->backingStore() != nullptr)
        surface_->backingStore()->resize(QSize(1, 1));
    if (watched == surface_ && fit_ && event->type() == QEvent::Resize) {
        const QSize room = surface_->size();
        const qreal factor = FitFactor(designed_, room);
        // A window smaller than the design keeps the table's top-left corner in view.
        Layout(factor, QPointF(std::max(0.0, (room.width() - designed_.width() * factor) / 2),
                               std::max(0.0, (room.height() - designed_.height() * factor) / 2)));
    }
    return QObject::eventFilter(watched, event);
}

int ScaledStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
        case PM_ButtonIconSize:
        case PM_ButtonMargin:
        case PM_DefaultFrameWidth:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_RadioButtonLabelSpacing:
        case PM_CheckBoxLabelSpacing:
        case PM_FocusFrameHMargin:
        case PM_FocusFrameVMargin:
        case PM_ScrollBarExtent:
        case PM_ScrollBarSliderMin:
            return qRound(base * Scaler::FactorFor(widget));
        default:
            return base;
    }
}

QIcon ScaledStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                const QWidget* widget) const {
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new LaterIcon(*this, icon));
    return QProxyStyle::standardIcon(icon, option, widget);
}

}  // namespace morvel
