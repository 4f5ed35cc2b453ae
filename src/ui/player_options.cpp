#include "player_options.h"

#include <QAccessible>
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

#include "game.h"
#include "image_slot.h"
#include "qt_text.h"
#include "spoken.h"
#include "table_voice.h"
#include "table_window.h"
#include "texts.h"

namespace morvel {

namespace {

const QColor kMarkColour(255, 215, 0);
constexpr int kMarkWidth = 3;

// The contract as the name panel would show it for the deal.
std::string_view ContractCaption(const GameState& s, char letter) {
    const Contract* c = FindContract(letter);
    if (s.mode == GameMode::Complex && !c->layout) return text::kAllGamePanel;
    return c->panel;
}

}  // namespace

HintMark::HintMark(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("hintmark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(Say(text::kSpokenHint));
    hide();
}

void HintMark::Show(const QRect& around, const QString& caption) {
    caption_ = caption;
    // As high as the text it holds, which grows with the table's scale.
    captionHeight_ = QFontMetrics(CaptionFont()).height() + 2;
    const QRect frame = around.adjusted(-kMarkWidth, -kMarkWidth, kMarkWidth, kMarkWidth);
    QRect whole = frame;
    if (!caption.isEmpty()) whole.setTop(frame.top() - captionHeight_);
    setGeometry(whole);
    frame_ = frame.translated(-whole.topLeft());
    raise();
    show();
    update();
}

QFont HintMark::CaptionFont() const {
    QFont bold = font();
    bold.setBold(true);
    return bold;
}

void HintMark::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(kMarkColour, kMarkWidth));
    painter.drawRect(frame_.adjusted(1, 1, -2, -2));
    if (caption_.isEmpty()) return;
    const QRect box(0, 0, width(), captionHeight_);
    painter.fillRect(box, kMarkColour);
    painter.setPen(Qt::black);
    painter.setFont(CaptionFont());
    painter.drawText(box, Qt::AlignCenter, caption_);
}

PlayerOptions::PlayerOptions(Game& game, TForm1& form, QMenu& menu)
    : QObject(&form),
      game_(game),
      form_(form),
      table_(*form.centralWidget()),
      strong_(StrongPlayer::kTimed),
      mark_(new HintMark(&table_)) {
    setObjectName(QStringLiteral("PlayerOptions"));
    QMenu* players = menu.addMenu(Text(text::kMenuPlayers));
    players->menuAction()->setObjectName(QStringLiteral("Players1"));
    auto* group = new QActionGroup(this);
    standard1_ = players->addAction(Text(text::kMenuStandard));
    strong1_ = players->addAction(Text(text::kMenuStrong));
    standard1_->setObjectName(QStringLiteral("Standard1"));
    strong1_->setObjectName(QStringLiteral("Strong1"));
    for (QAction* action : {standard1_, strong1_}) {
        action->setCheckable(true);
        group->addAction(action);
    }
    standard1_->setChecked(true);
    connect(standard1_, &QAction::triggered, this, [this] {
        game_.SetComputerPlayerFromNextDeal(Standard());
        emit Chosen(false);
    });
    connect(strong1_, &QAction::triggered, this, [this] {
        game_.SetComputerPlayerFromNextDeal(strong_);
        emit Chosen(true);
    });

    hint1_ = menu.addAction(Text(text::kMenuHint));
    hint1_->setObjectName(QStringLiteral("Hint1"));
    hint1_->setShortcut(QKeySequence(Qt::Key_H));
    hint1_->setEnabled(false);
    connect(hint1_, &QAction::triggered, this, &PlayerOptions::ShowHint);
    connect(&form, &TForm1::Synced, this, &PlayerOptions::TableChanged);
}

bool PlayerOptions::StrongChosen() const {
    return strong1_->isChecked();
}

void PlayerOptions::ChooseNow(bool strong) {
    (strong ? strong1_ : standard1_)->setChecked(true);
    if (strong) {
        game_.SetComputerPlayer(strong_);
    } else {
        game_.SetComputerPlayer(Standard());
    }
}

PlayerOptions::Moment PlayerOptions::Now() const {
    const GameState& s = game_.State();
    return {.hand = s.hand,
            .round = s.round,
            .board = s.board,
            .contractNumber = s.contractNumber,
            .cgVisible = s.cgVisible,
            .humanTurn = s.humanTurn};
}

void PlayerOptions::TableChanged() {
    const bool turn = PersonsTurn(game_.State());
    hint1_->setEnabled(turn);
    if (shown_.kind != Hint::Kind::None && (!turn || !(Now() == shownAt_))) {
        shown_ = {};
        mark_->hide();
    }
}

void PlayerOptions::ShowHint() {
    const GameState& s = game_.State();
    const Hint hint = HintFor(s, strong_);
    if (hint.kind == Hint::Kind::None) return;
    QRect around;
    QWidget* widget = Marked(hint, &around);
    if (widget == nullptr) return;
    shown_ = hint;
    shownAt_ = Now();
    const QString caption =
        hint.kind == Hint::Kind::Contract ? Caption(ContractCaption(s, hint.contract)) : QString();
    mark_->Show(around, caption);
    // Said as the frame is seen: what it frames, by the name a screen reader knows it by.
    const QString marked =
        caption.isEmpty() ? QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name)
                          : caption;
    const Words what = marked.contains(QLatin1String("  "))
                           ? Words{marked.section(QLatin1String("  "), 0, 0),
                                   marked.section(QLatin1String("  "), 1)}
                           : Same(marked);
    const QString sentence = Say(text::kSpokenHintFor, {what});
    mark_->setAccessibleName(sentence);
    form_.Voice().News().Say(sentence);
}

// The control the hint marks, and the part of it that shows: a hand card lies under the cards
// to its right, so only its own strip is framed.
QWidget* PlayerOptions::Marked(const Hint& hint, QRect* around) const {
    QWidget* widget = nullptr;
    switch (hint.kind) {
        case Hint::Kind::None:
            return nullptr;
        case Hint::Kind::Contract:
            widget = table_.findChild<QPushButton*>(QStringLiteral("cg"));
            break;
        case Hint::Kind::Pass:
            widget = table_.findChild<QPushButton*>(QStringLiteral("passb"));
            break;
        case Hint::Kind::Card: {
            auto slot = [this](int n) {
                return table_.findChild<ImageSlot*>(QStringLiteral("i%1").arg(n));
            };
            widget = slot(hint.entry);
            if (widget == nullptr) return nullptr;
            *around = widget->geometry();
            for (int n = hint.entry + 1; n <= kHumanBlock.last; ++n) {
                const ImageSlot* above = slot(n);
                if (above == nullptr || !above->isVisible()) continue;
                if (above->x() > around->x()) around->setRight(above->x() - 1);
                break;
            }
            return widget;
        }
    }
    if (widget != nullptr) *around = widget->geometry();
    return widget;
}

}  // namespace morvel
