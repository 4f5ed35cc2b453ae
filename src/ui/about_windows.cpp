#include "about_windows.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

#include "about_texts.h"
#include "qt_text.h"
#include "scaler.h"
#include "texts.h"
#include "widgets.h"

namespace morvel {

namespace {

QString JoinLines(std::span<const std::string_view> lines) {
    QStringList joined;
    for (std::string_view line : lines)
        joined << Text(line);
    return joined.join(QLatin1Char('\n'));
}

// A key that types something: letters, digits, Enter, Tab. Arrows and page keys still scroll the
// text, and Escape still closes the window.
bool TypesSomething(const QKeyEvent& event) {
    return !event.text().isEmpty() && event.key() != Qt::Key_Escape;
}

}  // namespace

MemoWindow::MemoWindow(const char* name, std::string_view caption,
                       std::span<const std::string_view> lines, const Places& places,
                       QWidget* parent)
    : QDialog(parent, kSideWindowFlags) {
    setObjectName(QLatin1String(name));
    setWindowTitle(Caption(caption));
    setModal(true);
    setFixedSize(places.client);

    memo_ = new QTextEdit(this);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setGeometry(places.memo);
    memo_->setFrameShape(QFrame::NoFrame);
    memo_->setReadOnly(true);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo_->setVerticalScrollBarPolicy(places.scrollBar ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAlwaysOff);
    QPalette palette = memo_->palette();
    palette.setColor(QPalette::Base, QColor(192, 192, 192));
    // A selection stays visible when the focus moves on to OK.
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    memo_->setPalette(palette);

    memo_->setPlainText(JoinLines(lines));
    LayOutText(places, 1);

    bitBtn1_ = morvel::OkButton(this, text::kOk, places.ok);

    auto* scaler = new Scaler(this, places.client, /*fit=*/false);
    scaler->AdoptChildren();
    connect(scaler, &Scaler::Scaled, this,
            [this, places](qreal factor) { LayOutText(places, factor); });
}

void MemoWindow::LayOutText(const Places& places, qreal factor) {
    memo_->document()->setDocumentMargin(places.margin * factor);
    // Every line centred, and read left to right as the window is: a line of Arabic with a key
    // name after it keeps the key on the right.
    QTextCursor all(memo_->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(Qt::AlignHCenter);
    format.setLayoutDirection(Qt::LeftToRight);
    format.setLineHeight(places.lineHeight * factor, QTextBlockFormat::FixedHeight);
    all.mergeBlockFormat(format);
}

void MemoWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    bitBtn1_->setFocus();
}

Taboutform::Taboutform(QWidget* parent)
    : MemoWindow("Taboutform", text::kAboutCaption, text::kAboutLines,
                 {.client = {198, 166},
                  .memo = {0, 0, 197, 129},
                  .ok = {52, 136, 98, 25},
                  .scrollBar = false,
                  // Tight enough for the name and all five credit lines.
                  .lineHeight = 14,
                  .margin = 1},
                 parent) {}

Taboutmorvelform::Taboutmorvelform(QWidget* parent)
    : MemoWindow("Taboutmorvelform", text::kHelpCaption, text::kHelpLines,
                 {.client = {508, 421},
                  .memo = {32, 8, 450, 361},
                  .ok = {184, 376, 113, 41},
                  .scrollBar = true,
                  .lineHeight = 15,
                  .margin = 4},
                 parent) {
    memo_->installEventFilter(this);
    setMouseTracking(true);
}

bool Taboutmorvelform::eventFilter(QObject* watched, QEvent* event) {
    if (watched == memo_ && event->type() == QEvent::KeyPress &&
        TypesSomething(static_cast<const QKeyEvent&>(*event))) {
        bitBtn1_->setFocus();
        return true;
    }
    return MemoWindow::eventFilter(watched, event);
}

void Taboutmorvelform::keyPressEvent(QKeyEvent* event) {
    if (TypesSomething(*event)) bitBtn1_->setFocus();
    MemoWindow::keyPressEvent(event);
}

void Taboutmorvelform::mouseMoveEvent(QMouseEvent* event) {
    bitBtn1_->setFocus();
    MemoWindow::mouseMoveEvent(event);
}

}  // namespace morvel
