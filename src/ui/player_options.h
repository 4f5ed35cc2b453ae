// The Option menu's choice of computer players (standard or strong, from the next deal) and its
// Hint item: the card, contract or Pass the strong player would choose in the person's place,
// marked on the table and never played.
#pragma once

#include <QObject>
#include <QWidget>

#include "hint.h"
#include "strong_player.h"

class QAction;
class QMenu;

namespace morvel {

class Game;
class TForm1;

// A frame drawn over a control of the table, with a caption under it when there is one. It
// only shows; clicks pass through it.
class HintMark : public QWidget {
    Q_OBJECT

  public:
    explicit HintMark(QWidget* parent);
    void Show(const QRect& around, const QString& caption);
    const QString& Caption() const { return caption_; }
    int CaptionHeight() const { return caption_.isEmpty() ? 0 : captionHeight_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QFont CaptionFont() const;

    QString caption_;
    int captionHeight_ = 0;
    QRect frame_;  // in this widget
};

class PlayerOptions : public QObject {
    Q_OBJECT

  public:
    // Adds its items to `menu` of the table window `form`.
    PlayerOptions(Game& game, TForm1& form, QMenu& menu);

    StrongPlayer& Strong() { return strong_; }
    // Checks the choice and lets the players chosen play from now on, the deal in play too.
    void ChooseNow(bool strong);
    bool StrongChosen() const;
    const Hint& Shown() const { return shown_; }
    HintMark& Mark() { return *mark_; }

    // After every change of the table: the Hint item follows the person's turn, and a mark goes
    // once the move it hinted at is no longer to be made.
    void TableChanged();
    void ShowHint();

  signals:
    // The person chose the computer players in the menu.
    void Chosen(bool strong);

  private:
    // What a hint answers: the move to make now, and who makes it.
    struct Moment {
        HandTable hand;
        Round round;
        Board board;
        int contractNumber = 0;
        bool cgVisible = false;
        bool humanTurn = false;
        friend bool operator==(const Moment&, const Moment&) = default;
    };
    Moment Now() const;
    QWidget* Marked(const Hint& hint, QRect* around) const;

    Game& game_;
    TForm1& form_;
    QWidget& table_;
    StrongPlayer strong_;
    QAction* standard1_;
    QAction* strong1_;
    QAction* hint1_;
    HintMark* mark_;
    Hint shown_;
    Moment shownAt_;
};

}  // namespace morvel
