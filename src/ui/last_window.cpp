#include "last_window.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <cassert>

#include "about_texts.h"
#include "game.h"
#include "image_slot.h"
#include "pictures.h"
#include "qt_host.h"
#include "qt_text.h"
#include "scaler.h"
#include "texts.h"
#include "widgets.h"

namespace morvel {

namespace {

constexpr int kImageWidth = 70;
constexpr int kImageHeight = 82;

// Image number (l1..l4) of each seat 1..4.
constexpr std::array<int, 5> kImageOfSeat = {0, 3, 4, 1, 2};

}  // namespace

Tlastform::Tlastform(const Game& game, const Pictures& pictures, const QtHost& host,
                     QWidget* parent)
    : QDialog(parent, kSideWindowFlags), game_(game) {
    setObjectName(QStringLiteral("Tlastform"));
    setWindowTitle(Caption(text::kLastCaption));
    setModal(true);
    setFixedSize(309, 336);
    QPalette green = palette();
    green.setColor(QPalette::Window, QColor(0, 128, 64));
    setPalette(green);
    setAutoFillBackground(true);

    static constexpr QPoint kImagePlaces[] = {{117, 20}, {37, 100}, {117, 188}, {197, 100}};
    for (int n = 1; n <= 4; ++n) {
        auto* image = new ImageSlot(QStringLiteral("l%1").arg(n), pictures, this);
        image->setGeometry(QRect(kImagePlaces[n - 1], QSize(kImageWidth, kImageHeight)));
        images_[n - 1] = image;
    }

    QLabel* seatNames[] = {WhiteLabel("Label1", Caption(text::kSeat2Name), true, this),
                           WhiteLabel("Label2", Caption(text::kSeat3Name), true, this),
                           WhiteLabel("Label3", Caption(text::kSeat4Name), true, this)};
    seatNames[0]->move(232, 80);
    seatNames[1]->move(128, 3);
    seatNames[2]->move(24, 80);
    // The label keeps its width: a long name ends in "…".
    n4_ = new ElidedLabel("n4", Qt::AlignHCenter | Qt::AlignTop, this);
    WhiteLook(n4_, true);
    n4_->SetName(Text(text::kNameSuggestion));
    n4_->setGeometry(120, 272, 64, seatNames[0]->height());

    bitBtn1_ = OkButton(this, text::kOk, QRect(72, 296, 177, 33));

    auto* scaler = new Scaler(this, size(), /*fit=*/false);
    scaler->AdoptChildren();
    for (QLabel* label : seatNames)
        scaler->Add(label, Scaler::Sizing::ToText);

    // The computer players go on while the window is open, and a round they finish shows at once.
    // The host's own handler is connected first, so the engine has moved when this one runs.
    for (TimerId timer : {TimerId::Timer1, TimerId::Timer3}) {
        connect(&host.Timer(timer), &QTimer::timeout, this, [this] {
            if (isVisible()) ShowLastRound();
        });
    }
}

ImageSlot* Tlastform::SeatImage(int seat) const {
    assert(seat >= 1 && seat <= 4);
    return images_[kImageOfSeat[seat] - 1];
}

void Tlastform::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ShowLastRound();
    n4_->SetName(QString::fromStdString(game_.State().playerName));
    bitBtn1_->setFocus();
}

void Tlastform::ShowLastRound() {
    for (int seat = 1; seat <= 4; ++seat)
        SeatImage(seat)->SetPicture(game_.State().lastRound[seat]);
}

}  // namespace morvel
