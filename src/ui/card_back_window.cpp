#include "card_back_window.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "about_texts.h"
#include "game.h"
#include "image_slot.h"
#include "pictures.h"
#include "qt_text.h"
#include "scaler.h"
#include "table_window.h"
#include "texts.h"
#include "widgets.h"

namespace morvel {

Ttypecardform::Ttypecardform(Game& game, TForm1& table, const Pictures& pictures, QWidget* parent)
    : QDialog(parent, kSideWindowFlags), game_(game), table_(table) {
    setObjectName(QStringLiteral("Ttypecardform"));
    setWindowTitle(Caption(text::kDeckCaption));
    setModal(true);
    setFixedSize(287, 270);
    QPalette green = palette();
    green.setColor(QPalette::Window, QColor(0, 128, 64));
    setPalette(green);
    setAutoFillBackground(true);

    QLabel* label1 = WhiteLabel("Label1", Caption(text::kDeckLabelArabic), false, this);
    label1->move(36, 8);
    QLabel* label2 = WhiteLabel("Label2", Caption(text::kDeckLabelEnglish), true, this);
    label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label2->setGeometry(32, 32, 223, label2->height());

    // The backs are drawn at slightly different sizes, as they were first designed.
    static constexpr QRect kPlaces[] = {{48, 56, 60, 84},  {120, 56, 56, 81},  {184, 56, 56, 81},
                                        {48, 144, 57, 82}, {120, 144, 56, 82}, {184, 144, 56, 82}};
    for (int k = 1; k <= 6; ++k) {
        auto* image = new ImageSlot(QStringLiteral("cc%1").arg(k), pictures, this);
        image->setGeometry(kPlaces[k - 1]);
        image->setCursor(Qt::PointingHandCursor);
        image->SetPicture(Picture::Back(k));
        connect(image, &ImageSlot::Clicked, this, [this, k] { ChooseCardBack(k); });
    }

    bitBtn1_ = OkButton(this, text::kOk, QRect(48, 232, 193, 33));

    auto* scaler = new Scaler(this, size(), /*fit=*/false);
    scaler->Add(label1, Scaler::Sizing::ToText);
    scaler->AdoptChildren();
}

void Ttypecardform::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    bitBtn1_->setFocus();
}

void Ttypecardform::ChooseCardBack(int k) {
    bitBtn1_->setFocus();
    game_.ChooseCardBack(k);
    // The table repaints now, under the open window, not when it closes.
    table_.Sync();
}

}  // namespace morvel
