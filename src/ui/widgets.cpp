#include "widgets.h"

#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "qt_text.h"

namespace morvel {

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
    auto* button = new QPushButton(dialog->style()->standardIcon(QStyle::SP_DialogOkButton),
                                   Caption(caption), dialog);
    button->setObjectName(QStringLiteral("BitBtn1"));
    button->setGeometry(geometry);
    button->setCursor(Qt::PointingHandCursor);
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
    return button;
}

}  // namespace morvel
