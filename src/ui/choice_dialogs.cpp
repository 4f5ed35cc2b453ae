#include "choice_dialogs.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

#include "game.h"
#include "qt_text.h"
#include "scaler.h"
#include "spoken.h"
#include "texts.h"
#include "widgets.h"

namespace morvel {

namespace {

// Where the dialogs stand on the table.
const QPoint kDialogPlace(205, 100);

const QColor kBlue(0, 0, 255);
const QColor kWhite(255, 255, 255);
const QColor kUsedCaption(192, 192, 192);  // a disabled button's caption, still legible on blue
constexpr int kSmallestCaption = 12;       // pixels

constexpr ContractDialog::RadioLook kChooseRadios[] = {
    {kContracts[0].radio, {24, 8, 190, 25}},    // Queen
    {kContracts[1].radio, {24, 40, 190, 25}},   // Heart King
    {kContracts[2].radio, {24, 72, 190, 25}},   // Diamonds
    {kContracts[3].radio, {24, 104, 190, 25}},  // Collection
    {kContracts[4].radio, {24, 136, 190, 25}},  // Morvel
};

constexpr ContractDialog::RadioLook kAllRadios[] = {
    {text::kAllGamesRadio, {24, 16, 181, 30}},
    {text::kAllMorvelRadio, {24, 56, 178, 30}},
};

}  // namespace

ContractDialog::ContractDialog(Game& game, const Look& look, std::span<const RadioLook> radios,
                               QWidget* parent)
    : QDialog(parent, kSideWindowFlags), game_(game) {
    setObjectName(QLatin1String(look.name));
    setWindowTitle(Caption(look.caption));
    setModal(true);
    setFixedSize(look.client);

    QPalette blue = palette();
    blue.setColor(QPalette::Window, kBlue);
    blue.setColor(QPalette::WindowText, kWhite);
    blue.setColor(QPalette::Disabled, QPalette::WindowText, kUsedCaption);
    setPalette(blue);
    setAutoFillBackground(true);

    QFont radioFont = font();
    radioFont.setPixelSize(look.radioPixels);
    radioFont.setBold(true);
    int k = 1;
    for (const RadioLook& r : radios) {
        auto* radio = new QRadioButton(Caption(r.caption), this);
        radio->setObjectName(QStringLiteral("r%1").arg(k));
        radio->setGeometry(r.geometry);
        radio->setFont(radioFont);
        // The caption stands to the left of the button.
        radio->setLayoutDirection(Qt::RightToLeft);
        // Checked and enabled follow the engine alone: a used contract's button stays checked
        // while disabled, and a new game unchecks them all.
        radio->setAutoExclusive(false);
        connect(radio, &QRadioButton::clicked, this, [this, k] {
            RadioClick(k);
            ShowChoice();
            ok_->setFocus();
        });
        radio->installEventFilter(this);
        radios_.push_back(radio);
        ++k;
    }
    FitCaptions();

    ok_ = look.okGlyph ? new QPushButton(OkGlyph(), Caption(text::kOk), this)
                       : new QPushButton(Caption(text::kOk), this);
    ok_->setObjectName(QLatin1String(look.okName));
    ok_->setGeometry(look.ok);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, [this] {
        // Without a choice the engine has shown its message; the dialog stays open.
        const bool closes = OkClick();
        ShowChoice();
        if (closes) accept();
    });

    auto* scaler = new Scaler(this, look.client, /*fit=*/false);
    scaler->SetAnchor({Scaler::Anchor::Kind::AtTablePoint, kDialogPlace});
    scaler->AdoptChildren();
}

void ContractDialog::FitCaptions() {
    // In the bundled font the longest caption is wider than its button at the designed size, and
    // a caption cut short loses its first letters: the captions shrink together until all fit.
    // Text widths grow with the font's size, so the size is worked out from one measure and then
    // only checked (every size measured costs a font of its own).
    QFont font = radios_.front()->font();
    auto overflow = [&] {
        qreal widest = 0;
        for (QRadioButton* radio : radios_) {
            QStyleOptionButton option;
            option.initFrom(radio);
            option.fontMetrics = QFontMetrics(font);
            const QRect room =
                radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio);
            widest = std::max(widest, static_cast<qreal>(option.fontMetrics.horizontalAdvance(
                                          CaptionText(radio->text()).trimmed())) /
                                          (room.width() - 2));
        }
        return widest;
    };
    const qreal first = overflow();
    if (first > 1) {
        font.setPixelSize(std::max(kSmallestCaption, static_cast<int>(font.pixelSize() / first)));
        while (font.pixelSize() > kSmallestCaption && overflow() > 1)
            font.setPixelSize(font.pixelSize() - 1);
    }
    for (QRadioButton* radio : radios_)
        radio->setFont(font);
}

void ContractDialog::reject() {}

void ContractDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Activate();
    ShowChoice();
    // The keyboard starts on the first contract that may be chosen.
    QRadioButton* first = Enabled(1, 1);
    if (first != nullptr) {
        first->setFocus();
    } else {
        ok_->setFocus();
    }
}

QRadioButton* ContractDialog::Enabled(int k, int step) const {
    for (; k >= 1 && k <= static_cast<int>(radios_.size()); k += step) {
        if (Radio(k)->isEnabled()) return Radio(k);
    }
    return nullptr;
}

bool ContractDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const auto found = std::find(radios_.begin(), radios_.end(), watched);
    if (found == radios_.end() ||
        (key.modifiers() != Qt::NoModifier && key.modifiers() != Qt::KeypadModifier))
        return QDialog::eventFilter(watched, event);
    QRadioButton* radio = *found;
    const int k = static_cast<int>(found - radios_.begin()) + 1;
    switch (key.key()) {
        case Qt::Key_Up:
        case Qt::Key_Left:
        case Qt::Key_Down:
        case Qt::Key_Right: {
            const int step = key.key() == Qt::Key_Up || key.key() == Qt::Key_Left ? -1 : 1;
            // Round from the last contract to the first, and back.
            QRadioButton* next = Enabled(k + step, step);
            if (next == nullptr)
                next = Enabled(step > 0 ? 1 : static_cast<int>(radios_.size()), step);
            if (next != nullptr) next->setFocus(Qt::TabFocusReason);
            return true;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (key.isAutoRepeat()) return true;
            radio->click();
            return true;
        default:
            return QDialog::eventFilter(watched, event);
    }
}

void ContractDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void ContractDialog::ShowChoice() {
    for (int k = 1; k <= static_cast<int>(radios_.size()); ++k) {
        QRadioButton* radio = Radio(k);
        radio->setEnabled(RadioEnabled(k));
        radio->setChecked(RadioChecked(k));
        // A screen reader says a disabled button is unavailable; this says why.
        radio->setAccessibleDescription(RadioEnabled(k) ? QString()
                                                        : Say(text::kSpokenUsedContract));
    }
}

Tchoosform::Tchoosform(Game& game, QWidget* parent)
    : ContractDialog(game,
                     {.name = "Tchoosform",
                      .caption = text::kChooseCaption,
                      .client = {248, 213},
                      .radioPixels = 19,
                      .okName = "BitBtn1",
                      .ok = {64, 168, 113, 41},
                      .okGlyph = true},
                     kChooseRadios, parent) {}

void Tchoosform::Activate() {
    game_.ChooseFormActivate();
}
void Tchoosform::RadioClick(int k) {
    game_.ChooseRadioClick(k);
}
bool Tchoosform::OkClick() {
    return game_.ChooseOkClick();
}
bool Tchoosform::RadioEnabled(int k) const {
    return game_.State().chooseDialog.enabled[k];
}
bool Tchoosform::RadioChecked(int k) const {
    return game_.State().chooseDialog.Checked(k);
}

Tallform::Tallform(Game& game, QWidget* parent)
    : ContractDialog(game,
                     {.name = "Tallform",
                      .caption = text::kAllCaption,
                      .client = {229, 148},
                      .radioPixels = 16,
                      .okName = "Button1",
                      .ok = {48, 96, 137, 33},
                      .okGlyph = false},
                     kAllRadios, parent) {}

void Tallform::Activate() {
    game_.AllFormActivate();
}
void Tallform::RadioClick(int k) {
    game_.AllRadioClick(k);
}
bool Tallform::OkClick() {
    return game_.AllOkClick();
}
bool Tallform::RadioEnabled(int k) const {
    return game_.State().allDialog.enabled[k];
}
bool Tallform::RadioChecked(int k) const {
    return game_.State().allDialog.Checked(k);
}

}  // namespace morvel
