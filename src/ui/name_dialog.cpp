#include "name_dialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "game.h"
#include "qt_text.h"
#include "scaler.h"
#include "spoken.h"
#include "texts.h"
#include "widgets.h"

namespace morvel {

namespace {

QFont BoldPixelFont(const QFont& base, int pixels) {
    QFont font = base;
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

// Length in UTF-16 units of the first `count` characters of `text`.
qsizetype PrefixOfCharacters(QStringView text, int count) {
    qsizetype i = 0;
    for (int c = 0; c < count && i < text.size(); ++c)
        i += text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                              : 1;
    return i;
}

}  // namespace

int CountCharacters(const QString& text) {
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!(text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate())) ++count;
    }
    return count;
}

QString LimitInsertion(const QString& before, const QString& after, int limit, int* cursor) {
    if (CountCharacters(after) <= limit) return after;

    // The unchanged head and tail tell where the new part stands.
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    if (head > 0 && after[head - 1].isHighSurrogate()) --head;
    qsizetype tail = 0;
    while (tail < shorter - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    if (tail > 0 && after[after.size() - tail].isLowSurrogate()) --tail;

    const QString kept = after.left(head) + after.right(tail);
    const int room = limit - CountCharacters(kept);
    if (room < 0) {
        // Over the limit even without the new part: only a program can have put it there.
        const QString cut = after.left(PrefixOfCharacters(after, limit));
        *cursor = static_cast<int>(cut.size());
        return cut;
    }
    const QStringView inserted = QStringView(after).mid(head, after.size() - head - tail);
    const QStringView fitting = inserted.left(PrefixOfCharacters(inserted, room));
    *cursor = static_cast<int>(head + fitting.size());
    return after.left(head) + fitting.toString() + after.right(tail);
}

QString OneLine(const QString& text, int* cursor) {
    auto breaksLine = [](QChar c) {
        switch (c.unicode()) {
            case u'\t':
            case u'\n':
            case u'\v':
            case u'\f':
            case u'\r':
            case u'\u0085':  // next line
            case u'\u2028':  // line separator
            case u'\u2029':  // paragraph separator
                return true;
            default:
                return false;
        }
    };
    QString line;
    line.reserve(text.size());
    int newCursor = *cursor;
    for (qsizetype i = 0; i < text.size();) {
        if (!breaksLine(text[i])) {
            line += text[i++];
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && breaksLine(text[i]))
            ++i;
        line += QLatin1Char(' ');
        // A cursor inside or behind the run moves back by what the run lost.
        if (*cursor > start)
            newCursor -= static_cast<int>(std::min<qsizetype>(i, *cursor) - start) - 1;
    }
    *cursor = newCursor;
    return line;
}

CharacterLimit::CharacterLimit(int limit, QLineEdit* edit) : QValidator(edit), limit_(limit) {
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
}

QValidator::State CharacterLimit::validate(QString& input, int& pos) const {
    input = LimitInsertion(accepted_, OneLine(input, &pos), limit_, &pos);
    return Acceptable;
}

Tenterform::Tenterform(Game& game, QWidget* parent)
    : QDialog(parent, kSideWindowFlags), game_(game), suggestion_(Text(text::kNameSuggestion)) {
    setObjectName(QStringLiteral("Tenterform"));
    setWindowTitle(Caption(text::kNameCaption));
    setModal(true);
    setFixedSize(307, 111);

    QPalette blue = palette();
    blue.setColor(QPalette::Window, QColor(0, 0, 255));
    blue.setColor(QPalette::WindowText, Qt::white);
    setPalette(blue);
    setAutoFillBackground(true);

    const QFont labelFont = BoldPixelFont(font(), 13);
    auto* label1 = new QLabel(Caption(text::kNameLabelArabic), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setTextFormat(Qt::PlainText);
    label1->setFont(labelFont);
    label1->move(40, 8);
    label1->adjustSize();
    auto* label2 = new QLabel(Caption(text::kNameLabelEnglish), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setTextFormat(Qt::PlainText);
    label2->setFont(labelFont);
    label2->move(8, 24);
    label2->adjustSize();

    edit1_ = new QLineEdit(QString::fromUtf8(text::kNameSuggestion), this);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit1_->setGeometry(48, 44, 202, 22);
    edit1_->setFrame(false);
    edit1_->setFont(labelFont);
    QPalette red = edit1_->palette();
    red.setColor(QPalette::Text, QColor(255, 0, 0));
    edit1_->setPalette(red);
    edit1_->setValidator(new CharacterLimit(kNameFieldLength, edit1_));
    edit1_->setAccessibleName(Say(text::kSpokenNameField));

    bitBtn1_ = new QPushButton(OkGlyph(), Caption(text::kNameOk), this);
    bitBtn1_->setObjectName(QStringLiteral("BitBtn1"));
    bitBtn1_->setGeometry(96, 72, 105, 33);
    bitBtn1_->setCursor(Qt::PointingHandCursor);
    // As the default button it takes Enter typed in Edit1 (the edit passes Enter on) as well as
    // Enter while it has the focus itself.
    bitBtn1_->setDefault(true);
    connect(bitBtn1_, &QPushButton::clicked, this, &Tenterform::BitBtn1Click);

    auto* scaler = new Scaler(this, size(), /*fit=*/false);
    scaler->Add(label1, Scaler::Sizing::ToText);
    scaler->Add(label2, Scaler::Sizing::ToText);
    scaler->AdoptChildren();
}

void Tenterform::reject() {}

void Tenterform::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    edit1_->setText(suggestion_);
    edit1_->selectAll();
    edit1_->setFocus();
}

void Tenterform::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void Tenterform::BitBtn1Click() {
    if (game_.AcceptName(edit1_->text().toStdString())) {
        accept();
        return;
    }
    edit1_->clear();
    edit1_->setFocus();
}

}  // namespace morvel
