#include "card_back_window.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "about_texts.h"
#include "game.h"
#include "image_slot.h"
#include "pictures.h"
#include "qt_text.h"
#include "table_window.h"
#include "texts.h"

namespace morvel {

namespace {

QLabel* WhiteLabel(const char* name, std::string_view caption, bool bold, QWidget* parent) {
    auto* label = new QLabel(Caption(caption), parent);
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

}  // namespace

Ttypecardform::Ttypecardform(Game& game, TForm1& table, const Pictures& pictures, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      game_(game),
      table_(table) {
    setObjectName(QStringLiteral("Ttypecardform"));
    setWindowTitle(Caption(text::kDeckCaption));
    setModal(true);
    setFixedSize(287, 270);
    move(177, 102);
    QPalette green = palette();
    green.setColor(QPalette::Window, QColor(0, 128, 64));
    setPalette(green);
    setAutoFillBackground(true);

    WhiteLabel("Label1", text::kDeckLabelArabic, false, this)->move(36, 8);
    QLabel* label2 = WhiteLabel("Label2", text::kDeckLabelEnglish, true, this);
    label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label2->setGeometry(32, 32, 223, label2->height());

    // The backs are drawn at slightly different sizes, as they were first designed.
    static constexpr QRect kPlaces[] = {{48, 56, 60, 84},  {120, 56, 56, 81},  {184, 56, 56, 81},
                                        {48, 144, 57, 82}, {120, 144, 56, 82}, {184, 144, 56, 82}};
    for (int k = 1; k <= 6; ++k) {
        auto* image = new ImageSlot(QStringLiteral("cc%1").arg(k), this);
        image->setGeometry(kPlaces[k - 1]);
        image->setCursor(Qt::PointingHandCursor);
        image->SetPicture(Picture::Back(k), pictures.Get(Picture::Back(k)));
        connect(image, &ImageSlot::Clicked, this, [this, k] { ChooseCardBack(k); });
    }

    bitBtn1_ =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), Caption(text::kOk), this);
    bitBtn1_->setObjectName(QStringLiteral("BitBtn1"));
    bitBtn1_->setGeometry(48, 232, 193, 33);
    bitBtn1_->setCursor(Qt::PointingHandCursor);
    bitBtn1_->setDefault(true);
    connect(bitBtn1_, &QPushButton::clicked, this, &QDialog::accept);
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
