// What a screen reader hears of the table: a name for every slot, label and panel, whether each
// card of the person's hand may be played now, and the course of play as it happens (each card
// laid, each round taken, each pass and each seat out of cards), said through a notification
// that shows anew with every sentence. It reads the engine and changes nothing in it.
#pragma once

#include <QAccessible>
#include <QStringList>
#include <QWidget>

#include "game.h"
#include "spoken.h"

class QLabel;

namespace morvel {

class ImageSlot;
class TForm1;

// A notification that a screen reader says whenever it shows: hidden, given its sentence, shown
// again. It takes no room on the table and no click.
class Announcement : public QWidget {
    Q_OBJECT

  public:
    explicit Announcement(QWidget* parent);
    void Say(const QString& sentence);
    const QString& Sentence() const { return sentence_; }

  signals:
    void Said(const QString& sentence);

  private:
    QString sentence_;
};

class TableVoice : public QObject, public GameObserver {
    Q_OBJECT

  public:
    TableVoice(TForm1& table, Game& game);
    ~TableVoice() override;

    // After the table has shown the engine's changes: the names that follow the game (the seats'
    // counts, the contract, the playable cards), and what happened since the last time.
    void AfterChanges();

    // What a slot of the table says.
    QString SlotText(Family family, int n, QAccessible::Text text) const;
    Announcement& News() const { return *news_; }

    // The course of play, told by the engine.
    void OnContract(char letter) override;
    void OnChooser(int k, int seat) override;
    void OnLay(int seat, char suit, int rank) override;
    void OnTake(int seat) override;
    void OnMove(int seat, char suit, int rank) override;
    void OnPass(int seat) override;
    void OnOut(int seat, int place) override;
    void OnWinner(int seat) override;

  protected:
    // Names the menus the menu bar makes later (its overflow).
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Words SlotWords(Family family, int n) const;
    Words Playable(int entry) const;
    void Tell(const Words& words);
    int SeatOfPlayedSlot(int p) const;

    TForm1& table_;
    Game& game_;
    Announcement* news_;
    QStringList untold_;
    QLabel* seatLabels_[5] = {};  // by seat; seat 1 has `nameplayer`
    QLabel* namegame_;
    QLabel* panel1_;
    bool playableShown_ = false;
};

// A screen reader's view of the notification.
QAccessibleInterface* AnnouncementAccessible(const QString& className, QObject* object);

}  // namespace morvel
