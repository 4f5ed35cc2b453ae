// What any Qt program needs on this machine to show what the game shows at start-up, and no
// more: a maximised window of the table's green and, over it, a dialog with the player-name
// dialog's title and look (frameless, blue, a white field and a button at the same places below
// its title strip's room, drawn at the table's factor). No fonts of its own, no pictures, no game.
// morvel_startup_bench times it as it times the game, so that the two figures stand side by side.
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "table_layout.h"
#include "table_person.h"

namespace {

QRect BelowCaption(const morvel::e2e::Box& box, qreal factor) {
    return QRectF(box.left * factor, (box.top + morvel::e2e::place::kCaptionHeight) * factor,
                  box.width * factor, box.height * factor)
        .toRect();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace morvel;
    QApplication app(argc, argv);

    QWidget table;
    table.setWindowTitle(QString::fromUtf8(e2e::title::kTable.data(),
                                           static_cast<qsizetype>(e2e::title::kTable.size())));
    QPalette green = table.palette();
    green.setColor(QPalette::Window,
                   QColor(layout::kTableRed, layout::kTableGreen, layout::kTableBlue));
    table.setPalette(green);
    table.setAutoFillBackground(true);
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    table.setGeometry(room);
    const qreal factor = std::max(1.0, std::min(room.width() / 640.0, room.height() / 440.0));

    QDialog name(&table, Qt::Dialog | Qt::FramelessWindowHint);
    name.setWindowTitle(QString::fromUtf8(e2e::title::kName.data(),
                                          static_cast<qsizetype>(e2e::title::kName.size())));
    QPalette blue = name.palette();
    blue.setColor(QPalette::Window, Qt::blue);
    name.setPalette(blue);
    name.setAutoFillBackground(true);
    name.setFixedSize(
        QSizeF(e2e::place::kNameDialogWidth * factor, (111 + e2e::place::kCaptionHeight) * factor)
            .toSize());
    auto* field = new QLineEdit(QStringLiteral("Player1"), &name);
    field->setGeometry(BelowCaption(e2e::place::kNameEdit, factor));
    auto* ok = new QPushButton(QStringLiteral("Ok"), &name);
    ok->setGeometry(BelowCaption(e2e::place::kNameOk, factor));

    table.showMaximized();
    // As the game does: the dialog opens once the table has been shown.
    QMetaObject::invokeMethod(&name, &QDialog::exec, Qt::QueuedConnection);
    return QApplication::exec();
}
