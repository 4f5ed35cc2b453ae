// Keyboard play on the table. Tab and Shift+Tab go from group to group: the person's hand,
// "Chose Game", "Pass" and the taken cards, each one while it can take the focus. Left and Right
// (Home and End) move along the hand and along a row of taken cards; Up and Down go from row to
// row (the person's, then Oru'a's, Vesk's and Kestrin's). Enter and Space are the focused slot's
// own press (see ImageSlot). When the person's turn comes the focus goes to the hand, and a card
// that leaves the table hands the focus on to its neighbour. Nothing here reaches the engine.
#pragma once

#include <QObject>
#include <optional>

#include "cards.h"
#include "table_model.h"

class QPushButton;
class QWidget;

namespace morvel {

class Game;
class ImageSlot;
class TForm1;

class TableKeys : public QObject {
    Q_OBJECT

  public:
    TableKeys(TForm1& table, const Game& game, QPushButton* cg, QPushButton* passb);

    // Tab (`next`) or Shift+Tab, and Qt's own move away from a control that is hidden or
    // disabled while it has the focus. False when nothing can take the focus.
    bool FocusNextGroup(bool next);
    // After the table has shown the engine's changes: the focus goes to the hand when the
    // person's turn has just come, and leaves a control that has gone.
    void AfterChanges();
    // Whether the person's turn has come since the table last showed the engine's changes: the
    // focus the turn gives wins over any the engine asks for with it.
    bool TurnComing() const;

    // Where the person's turn puts the focus: the first card that may be played when playable
    // cards are shown (Pass when none may), otherwise the first card of the hand.
    QWidget* TurnFocus() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Group { Hand, Cg, Passb, Taken };
    static constexpr int kGroups = 4;

    ImageSlot* Hand(int entry) const;  // 40..52
    ImageSlot* Taken(int n) const;     // 1..52
    int HandEntryOf(const QObject* object) const;
    int TakenSlotOf(const QObject* object) const;
    QWidget* GroupFocus(Group group) const;
    std::optional<Group> GroupOf(const QWidget* widget) const;
    // The nearest card to take the focus from a card that can no longer hold it.
    QWidget* Neighbour(const QWidget* gone) const;
    bool Give(QWidget* widget);
    // The first slot of `family` from `from` to `to` (either way) that can take the focus
    // gets it.
    bool FocusFirst(Family family, int from, int to);
    // Left, Right, Home and End along a run of slots; whether the key was one of them.
    bool MoveAlong(Family family, Block run, int n, int key);
    bool MoveInRows(int n, int key);

    TForm1& table_;
    const Game& game_;
    QPushButton* cg_;
    QPushButton* passb_;
    int lastHand_ = 0;   // the hand card that had the focus last
    int lastTaken_ = 0;  // the taken card that had the focus last
    bool wasTurn_ = false;
};

}  // namespace morvel
