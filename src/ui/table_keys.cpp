#include "table_keys.h"

#include <QKeyEvent>
#include <QPushButton>
#include <optional>

#include "cards.h"
#include "game.h"
#include "image_slot.h"
#include "table_window.h"

namespace morvel {

namespace {

// The rows of taken cards in the order Up and Down visit them.
constexpr int kRowSeats[] = {1, 2, 3, 4};

bool Takes(const QWidget* widget) {
    return widget != nullptr && !widget->isHidden() && widget->isEnabled();
}

bool Plain(const QKeyEvent& event) {
    return event.modifiers() == Qt::NoModifier || event.modifiers() == Qt::KeypadModifier;
}

}  // namespace

TableKeys::TableKeys(TForm1& table, const Game& game, QPushButton* cg, QPushButton* passb)
    : QObject(&table), table_(table), game_(game), cg_(cg), passb_(passb) {
    for (int entry = kHumanBlock.first; entry <= kHumanBlock.last; ++entry)
        Hand(entry)->installEventFilter(this);
    for (int n = 1; n <= 52; ++n)
        Taken(n)->installEventFilter(this);
}

ImageSlot* TableKeys::Hand(int entry) const {
    return table_.SlotWidget(Family::I, entry);
}

ImageSlot* TableKeys::Taken(int n) const {
    return table_.SlotWidget(Family::J, n);
}

int TableKeys::HandEntryOf(const QObject* object) const {
    for (int entry = kHumanBlock.first; entry <= kHumanBlock.last; ++entry) {
        if (Hand(entry) == object) return entry;
    }
    return 0;
}

int TableKeys::TakenSlotOf(const QObject* object) const {
    for (int n = 1; n <= 52; ++n) {
        if (Taken(n) == object) return n;
    }
    return 0;
}

QWidget* TableKeys::TurnFocus() const {
    if (table_.GetOptions().showPlayable) {
        for (int entry = kHumanBlock.first; entry <= kHumanBlock.last; ++entry) {
            if (Takes(Hand(entry)) && game_.WouldLay(entry)) return Hand(entry);
        }
        if (Takes(passb_)) return passb_;
    }
    for (int entry = kHumanBlock.first; entry <= kHumanBlock.last; ++entry) {
        if (Takes(Hand(entry))) return Hand(entry);
    }
    return nullptr;
}

QWidget* TableKeys::GroupFocus(Group group) const {
    switch (group) {
        case Group::Hand: {
            if (lastHand_ != 0 && Takes(Hand(lastHand_))) return Hand(lastHand_);
            QWidget* turn = TurnFocus();
            return turn == passb_ ? nullptr : turn;
        }
        case Group::Cg:
            return Takes(cg_) ? cg_ : nullptr;
        case Group::Passb:
            return Takes(passb_) ? passb_ : nullptr;
        case Group::Taken:
            if (lastTaken_ != 0 && Takes(Taken(lastTaken_))) return Taken(lastTaken_);
            for (int seat : kRowSeats) {
                for (int n = BlockOf(seat).first; n <= BlockOf(seat).last; ++n) {
                    if (Takes(Taken(n))) return Taken(n);
                }
            }
            return nullptr;
    }
    return nullptr;
}

std::optional<TableKeys::Group> TableKeys::GroupOf(const QWidget* widget) const {
    if (widget == nullptr) return std::nullopt;
    if (widget == cg_) return Group::Cg;
    if (widget == passb_) return Group::Passb;
    if (HandEntryOf(widget) != 0) return Group::Hand;
    if (TakenSlotOf(widget) != 0) return Group::Taken;
    return std::nullopt;
}

QWidget* TableKeys::Neighbour(const QWidget* gone) const {
    if (const int entry = HandEntryOf(gone); entry != 0) {
        // The card to the right moves into the gap; at the end of the hand, the one to the left.
        for (int e = entry + 1; e <= kHumanBlock.last; ++e) {
            if (Takes(Hand(e))) return Hand(e);
        }
        for (int e = entry - 1; e >= kHumanBlock.first; --e) {
            if (Takes(Hand(e))) return Hand(e);
        }
    }
    return nullptr;
}

bool TableKeys::Give(QWidget* widget) {
    if (widget == nullptr) return false;
    widget->setFocus(Qt::TabFocusReason);
    return true;
}

bool TableKeys::FocusNextGroup(bool next) {
    QWidget* from = table_.focusWidget();
    if (from != nullptr && !Takes(from)) {
        // A card laid hands the focus to its neighbour; a hand locked while the person chooses
        // gives it up, for the engine to put where it asks.
        if (!from->isEnabled()) return false;
        if (Give(Neighbour(from))) return true;
    }
    const std::optional<Group> group = GroupOf(from);
    // From outside the groups, Tab begins with the hand and Shift+Tab with the taken cards.
    int g = group ? static_cast<int>(*group) : (next ? kGroups - 1 : 0);
    for (int step = 0; step < kGroups; ++step) {
        g = (g + (next ? 1 : kGroups - 1)) % kGroups;
        if (Give(GroupFocus(static_cast<Group>(g)))) return true;
    }
    return false;
}

bool TableKeys::TurnComing() const {
    return game_.State().humanTurn && !wasTurn_;
}

void TableKeys::AfterChanges() {
    const bool turn = game_.State().humanTurn;
    QWidget* focus = table_.focusWidget();
    if (turn && !wasTurn_) {
        Give(TurnFocus());
    } else if (GroupOf(focus) && !Takes(focus)) {
        // Gone while its window was not the active one, so Qt has not moved the focus on.
        if (!FocusNextGroup(true)) table_.centralWidget()->setFocus();
    }
    wasTurn_ = turn;
}

bool TableKeys::FocusFirst(Family family, int from, int to) {
    const int step = from <= to ? 1 : -1;
    for (int n = from; n != to + step; n += step) {
        if (Takes(table_.SlotWidget(family, n))) return Give(table_.SlotWidget(family, n));
    }
    return false;
}

bool TableKeys::MoveAlong(Family family, Block run, int n, int key) {
    // At either end the key does nothing, and goes no further.
    switch (key) {
        case Qt::Key_Left:
            if (n > run.first) FocusFirst(family, n - 1, run.first);
            return true;
        case Qt::Key_Right:
            if (n < run.last) FocusFirst(family, n + 1, run.last);
            return true;
        case Qt::Key_Home:
            FocusFirst(family, run.first, run.last);
            return true;
        case Qt::Key_End:
            FocusFirst(family, run.last, run.first);
            return true;
        default:
            return false;
    }
}

bool TableKeys::MoveInRows(int n, int key) {
    const int seat = SeatOfEntry(n);
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        return MoveAlong(Family::J, BlockOf(seat), n, key);
    // The next row that holds a card, round the table.
    const int step = key == Qt::Key_Down ? 1 : 3;
    for (int i = 1, s = seat - 1; i < 4; ++i) {
        s = (s + step) % 4;
        const Block other = BlockOf(kRowSeats[s]);
        if (FocusFirst(Family::J, other.first, other.last)) break;
    }
    return true;
}

bool TableKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (const int entry = HandEntryOf(watched); entry != 0) lastHand_ = entry;
        if (const int n = TakenSlotOf(watched); n != 0) lastTaken_ = n;
    } else if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (!Plain(key)) return false;
        if (const int entry = HandEntryOf(watched); entry != 0)
            return MoveAlong(Family::I, kHumanBlock, entry, key.key());
        if (const int n = TakenSlotOf(watched); n != 0) return MoveInRows(n, key.key());
    }
    return false;
}

}  // namespace morvel
