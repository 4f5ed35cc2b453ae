#include "table_voice.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "image_slot.h"
#include "qt_text.h"
#include "table_layout.h"
#include "table_window.h"
#include "widgets.h"

namespace morvel {

namespace {

// An open menu is called by its item's caption; one without (the menu bar's overflow) is the menu.
void NameMenu(QMenu* menu) {
    const QString title = CaptionText(menu->title()).remove(QLatin1Char('&'));
    menu->setAccessibleName(title.isEmpty() ? Say(text::kSpokenMenu) : title);
}

// The labels of the computer seats on the table: Label3 right, Label2 top, Label1 left.
constexpr const char* kSeatLabels[] = {nullptr, "nameplayer", "Label3", "Label2", "Label1"};

class NewsAccessible : public QAccessibleWidget {
  public:
    explicit NewsAccessible(Announcement* news)
        : QAccessibleWidget(news, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        const QString& sentence = static_cast<Announcement*>(widget())->Sentence();
        return sentence.isEmpty() ? Say(text::kSpokenNews) : sentence;
    }
};

}  // namespace

QAccessibleInterface* AnnouncementAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String(Announcement::staticMetaObject.className())) return nullptr;
    return new NewsAccessible(static_cast<Announcement*>(object));
}

Announcement::Announcement(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("announcement"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    // Shown only once there is something to say.
    hide();
}

void Announcement::Say(const QString& sentence) {
    // A notification is said when it shows.
    hide();
    sentence_ = sentence;
    show();
    emit Said(sentence);
}

TableVoice::TableVoice(TForm1& table, Game& game)
    : table_(table), game_(game), news_(new Announcement(table.centralWidget())) {
    for (int seat = 1; seat <= 4; ++seat)
        seatLabels_[seat] = table.centralWidget()->findChild<QLabel*>(kSeatLabels[seat]);
    namegame_ = table.centralWidget()->findChild<QLabel*>(QStringLiteral("namegame"));
    panel1_ = table.centralWidget()->findChild<QLabel*>(QStringLiteral("Panel1"));
    panel1_->setAccessibleDescription(Say(text::kSpokenGameMode));
    namegame_->setAccessibleDescription(Say(text::kSpokenContractInPlay));
    table.centralWidget()->setAccessibleName(Say(text::kSpokenTable));
    table.menuBar()->setAccessibleName(Say(text::kSpokenMenu));
    for (QMenu* menu : table.findChildren<QMenu*>())
        NameMenu(menu);
    table.menuBar()->installEventFilter(this);

    static constexpr Family kFamilies[] = {Family::I,   Family::J, Family::K,   Family::P,
                                           Family::Pig, Family::H, Family::King};
    for (Family family : kFamilies) {
        for (int n = 1; n <= FamilySize(family); ++n) {
            table.SlotWidget(family, n)->SetVoice(
                [this, family, n](const ImageSlot&, QAccessible::Text text) {
                    return SlotText(family, n, text);
                });
        }
    }
    game_.SetObserver(this);
}

TableVoice::~TableVoice() {
    game_.SetObserver(nullptr);
}

bool TableVoice::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildPolished) {
        if (auto* menu = qobject_cast<QMenu*>(static_cast<QChildEvent*>(event)->child()))
            NameMenu(menu);
    }
    return QObject::eventFilter(watched, event);
}

int TableVoice::SeatOfPlayedSlot(int p) const {
    // The played slots move to the spot of the seat that lays each card.
    const Rect& r = game_.Table().Get(Family::P, p).rect;
    for (int seat = 1; seat <= 4; ++seat) {
        if (layout::kPlayedSpot[seat].left == r.left && layout::kPlayedSpot[seat].top == r.top)
            return seat;
    }
    return game_.State().round.order[p];
}

Words TableVoice::Playable(int entry) const {
    return game_.WouldLay(entry) ? Fill(text::kSpokenCanPlay) : Fill(text::kSpokenCannotPlay);
}

Words TableVoice::SlotWords(Family family, int n) const {
    const Picture picture = game_.Table().Get(family, n).picture;
    auto taken = [&](int seat) {
        if (picture.kind == Picture::Kind::Face) {
            const Words card = FaceWords(picture.index);
            return seat == kHuman ? Fill(text::kSpokenYouTookCard, {card})
                                  : Fill(text::kSpokenTakenCard, {SeatWords(seat), card});
        }
        return About(seat, text::kSpokenYouTookRound, text::kSpokenTakenRound);
    };
    if (picture.kind == Picture::Kind::Blank) return Fill(text::kSpokenEmptyPlace);
    switch (family) {
        case Family::I:
            if (picture.kind == Picture::Kind::Face) return FaceWords(picture.index);
            return Fill(text::kSpokenFaceDown, {SeatWords(SeatOfEntry(n))});
        case Family::J:
            return taken(SeatOfEntry(n));
        case Family::K:
            return Fill(text::kSpokenOnBoard, {FaceWords(picture.index)});
        case Family::P:
            return About(SeatOfPlayedSlot(n), text::kSpokenYouPlayed, text::kSpokenPlayed,
                         {FaceWords(picture.index)});
        case Family::Pig:
            return Fill(text::kSpokenEnlarged, {taken(n)});
        case Family::H:
            return About(n, text::kSpokenYourTurn, text::kSpokenTurn);
        case Family::King:
            return About(game_.State().chooserSeats[n], text::kSpokenYouChoose,
                         text::kSpokenChooses);
    }
    return {};
}

QString TableVoice::SlotText(Family family, int n, QAccessible::Text text) const {
    if (text == QAccessible::Name) return Say(SlotWords(family, n));
    if (text != QAccessible::Description) return {};
    const Picture picture = game_.Table().Get(family, n).picture;
    if (family == Family::I && picture.kind == Picture::Kind::Face) {
        return playableShown_ ? Say(Playable(n)) : QString();
    }
    if (family == Family::I && picture.kind == Picture::Kind::Back) {
        const int seat = SeatOfEntry(n);
        return Say(text::kSpokenCardCount,
                   {SeatWords(seat), Same(QString::number(game_.State().hand.Count(seat)))});
    }
    if (family == Family::King) {
        return Say(text::kSpokenChooserNumber, {Same(QString::number(n))});
    }
    return {};
}

void TableVoice::AfterChanges() {
    const GameState& s = game_.State();
    for (int seat = 2; seat <= 4; ++seat) {
        const QString name = Say(text::kSpokenCardCount,
                                 {SeatWords(seat), Same(QString::number(s.hand.Count(seat)))});
        if (seatLabels_[seat]->accessibleName() != name) seatLabels_[seat]->setAccessibleName(name);
    }
    const QString player = Text(game_.Table().Nameplayer());
    const QString yours =
        Say(text::kSpokenYourName, {player.isEmpty() ? Fill(text::kSpokenNoName) : Same(player)});
    if (seatLabels_[kHuman]->accessibleName() != yours)
        seatLabels_[kHuman]->setAccessibleName(yours);
    // The panel's own caption, or what it means while it is empty.
    const QString contract =
        game_.Table().Namegame().empty() ? Say(text::kSpokenNoContract) : QString();
    if (namegame_->accessibleName() != contract) namegame_->setAccessibleName(contract);

    // Whether a card may be played is said while it is shown.
    const bool shown = table_.GetOptions().showPlayable && s.humanTurn;
    if (shown != playableShown_ || shown) {
        playableShown_ = shown;
        for (int entry = kHumanBlock.first; entry <= kHumanBlock.last; ++entry)
            table_.SlotWidget(Family::I, entry)->VoiceChanged(QAccessible::DescriptionChanged);
    }

    if (!untold_.isEmpty()) {
        news_->Say(untold_.join(QStringLiteral(". ")));
        untold_.clear();
    }
}

void TableVoice::Tell(const Words& words) {
    untold_ << Say(words);
}

void TableVoice::OnContract(char) {
    Tell(Fill(text::kSpokenContract, {Same(Text(game_.Table().Namegame()))}));
}

void TableVoice::OnChooser(int, int seat) {
    Tell(About(seat, text::kSpokenYouChoose, text::kSpokenChooses));
}

void TableVoice::OnLay(int seat, char suit, int rank) {
    Tell(About(seat, text::kSpokenYouPlayed, text::kSpokenPlayed, {CardWords(suit, rank)}));
}

void TableVoice::OnTake(int seat) {
    Tell(About(seat, text::kSpokenYouTake, text::kSpokenTakes));
}

void TableVoice::OnMove(int seat, char suit, int rank) {
    OnLay(seat, suit, rank);
}

void TableVoice::OnPass(int seat) {
    Tell(About(seat, text::kSpokenYouPass, text::kSpokenPasses));
}

void TableVoice::OnOut(int seat, int place) {
    Tell(About(seat, text::kSpokenYouOut, text::kSpokenOut, {Same(QString::number(place))}));
}

void TableVoice::OnWinner(int seat) {
    Tell(About(seat, text::kSpokenYouWin, text::kSpokenWins));
}

}  // namespace morvel
