#include "side_windows.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "texts.h"

namespace morvel {

namespace {

Qt::WindowFlags FlagsFor(SideWindow::Closing closing) {
    // Without title-bar buttons the OK button is the only way out.
    return closing == SideWindow::Closing::OnlyByOk
               ? Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
               : Qt::Dialog;
}

}  // namespace

SideWindow::SideWindow(const QString& name, const QString& okName, Closing closing, QWidget* parent)
    : QDialog(parent, FlagsFor(closing)), closing_(closing) {
    setObjectName(name);
    setModal(true);
    ok_ = new QPushButton(QString::fromUtf8(text::kOk), this);
    ok_->setObjectName(okName);
    ok_->setCursor(Qt::PointingHandCursor);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
}

void SideWindow::reject() {
    if (closing_ == Closing::Freely) QDialog::reject();
}

void SideWindow::closeEvent(QCloseEvent* event) {
    if (closing_ == Closing::Freely) {
        QDialog::closeEvent(event);
    } else {
        event->ignore();
    }
}

}  // namespace morvel
