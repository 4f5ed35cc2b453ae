#include "widgets.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QIconEngine>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QWindow>
#include <algorithm>

#include "qt_text.h"
#include "scaler.h"
#include "spoken.h"
#include "texts.h"

namespace morvel {

namespace {

// A green check mark drawn at the size asked for: sharp at every scale, and nothing to look up
// or read when a window first shows it.
class CheckMark : public QIconEngine {
  public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const qreal side = std::min(rect.width(), rect.height());
        const QPointF corner = QRectF(rect).center() - QPointF(side / 2, side / 2);
        const auto at = [&](qreal x, qreal y) { return corner + QPointF(x * side, y * side); };
        QPainterPath tick(at(0.14, 0.54));
        tick.lineTo(at(0.40, 0.80));
        tick.lineTo(at(0.86, 0.22));
        const QColor green = mode == QIcon::Disabled ? QColor(128, 128, 128) : QColor(24, 160, 24);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(green, side * 0.17, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->drawPath(tick);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paint(&painter, image.rect(), mode, state);
        painter.end();
        return QPixmap::fromImage(std::move(image));
    }
    QIconEngine* clone() const override { return new CheckMark; }
};

}  // namespace

QIcon OkGlyph() {
    return QIcon(new CheckMark);
}

CaptionStrip::CaptionStrip(QWidget* window) : QLabel(window) {
    setObjectName(QStringLiteral("Caption"));
    setTextFormat(Qt::PlainText);
    setText(window->windowTitle());
    connect(window, &QWidget::windowTitleChanged, this, &QLabel::setText);
    // The bold 13-pixel text of the windows' own captions: a font the window has loaded already.
    QFont bold = window->font();
    bold.setPixelSize(13);
    bold.setBold(true);
    setFont(bold);
    setAttribute(Qt::WA_OpaquePaintEvent);
    Scaler::Of(window)->SetCaption(this, kHeight);
}

void CaptionStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(10, 36, 106));
    const int margin = std::max(1, height() / 9);
    const int side = height() - 2 * margin;
    QRect room = rect().adjusted(margin, 0, -margin, 0);
    if (const QIcon icon = window()->windowIcon(); !icon.isNull()) {
        icon.paint(&painter, QRect(room.left(), margin, side, side));
        room.adjust(side + margin, 0, -(side + margin), 0);
    }
    painter.setPen(Qt::white);
    // The game's own titles, each narrower than its window.
    painter.drawText(room, Qt::AlignCenter | Qt::AlignAbsolute | Qt::TextSingleLine, text());
}

// The window manager moves the window while the button is held, where it can; elsewhere (no
// window manager) the strip moves it by itself.
void CaptionStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (QWindow* handle = window()->windowHandle(); handle != nullptr && handle->startSystemMove())
        return;
    grip_ = event->globalPosition().toPoint() - window()->pos();
}

void CaptionStrip::mouseMoveEvent(QMouseEvent* event) {
    if (grip_ && (event->buttons() & Qt::LeftButton))
        window()->move(event->globalPosition().toPoint() - *grip_);
}

void CaptionStrip::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) grip_.reset();
}

ElidedLabel::ElidedLabel(const char* name, Qt::Alignment alignment, QWidget* parent)
    : QLabel(parent) {
    setObjectName(QLatin1String(name));
    setTextFormat(Qt::PlainText);
    // A text that begins with an Arabic letter would otherwise turn right into left.
    setAlignment(alignment | Qt::AlignAbsolute);
}

void ElidedLabel::SetName(const QString& name) {
    name_ = name;
    setToolTip(name.isEmpty() ? QString() : PlainToolTip(name));
    // A screen reader says the whole name, not the "…" of a cut one, and not the tooltip's markup.
    setAccessibleName(name.isEmpty() ? Say(text::kSpokenNoName) : name);
    setAccessibleDescription(name);
    Elide();
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Elide();
}

void ElidedLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) Elide();
}

void ElidedLabel::Elide() {
    const QString shown = fontMetrics().elidedText(name_, Qt::ElideRight, contentsRect().width());
    if (shown != text()) setText(shown);
}

void NameMessageParts(QMessageBox& box) {
    for (QLabel* label : box.findChildren<QLabel*>()) {
        if (label->text().isEmpty()) {
            label->setAccessibleName(Say(box.icon() == QMessageBox::Question
                                             ? text::kSpokenQuestion
                                             : text::kSpokenInformation));
        }
    }
    for (QDialogButtonBox* buttons : box.findChildren<QDialogButtonBox*>())
        buttons->setAccessibleName(Say(text::kSpokenButtons));
}

void ShowInformation(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, Text(text::kAppTitle), text, QMessageBox::Ok, parent);
    // Whatever a message ever carries is shown as written, never read as markup.
    box.setTextFormat(Qt::PlainText);
    NameMessageParts(box);
    box.exec();
}

QString PlainToolTip(const QString& text) {
    return QStringLiteral("<p style=\"white-space:pre\">%1</p>").arg(text.toHtmlEscaped());
}

void WhiteLook(QLabel* label, bool bold) {
    QFont font = label->font();
    font.setPixelSize(13);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
}

QLabel* WhiteLabel(const char* name, const QString& caption, bool bold, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    WhiteLook(label, bold);
    label->adjustSize();
    return label;
}

QPushButton* OkButton(QDialog* dialog, std::string_view caption, const QRect& geometry) {
    auto* button = new QPushButton(OkGlyph(), Caption(caption), dialog);
    button->setObjectName(QStringLiteral("BitBtn1"));
    button->setGeometry(geometry);
    button->setCursor(Qt::PointingHandCursor);
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
    return button;
}

}  // namespace morvel
