#include "widgets.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "qt_text.h"

namespace morvel {

QLabel* WhiteLabel(const char* name, const QString& caption, bool bold, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setPixelSize(13);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
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
