// Keeps the person's settings and the game in progress between runs, once the person asks for it
// with the Option menu's check item. The settings file (in the configuration folder) says the
// person did; it holds the mode, the speed, the card back, the Option items, the computer players
// and the last name. The game (in the
// data folder) is written whole, atomically, after every event that leaves no card of an untaken
// round on the table, and at exit; never while a window of the game is open. Unchecking the item
// deletes both at once. With the item unchecked nothing is read or written.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "game_state.h"

class QAction;

namespace morvel {

class Game;
class TForm1;

class Keeper : public QObject {
    Q_OBJECT

  public:
    struct Paths {
        QString settings;
        QString game;
        QString Refused() const { return game + QStringLiteral(".bad"); }
    };
    // The person's own: morvel/morvel.conf in the configuration folder, morvel/game.sav in the
    // data folder.
    static Paths UserPaths();

    // Adds the check item to the table's Option menu, checked when the settings file is there.
    // `suggestName` gives the name the player-name dialog offers next.
    Keeper(Game& game, TForm1& table, std::function<void(const QString&)> suggestName,
           Paths paths = UserPaths());
    ~Keeper() override;
    Keeper(const Keeper&) = delete;
    Keeper& operator=(const Keeper&) = delete;

    bool On() const { return on_; }

    // As the table is first shown: with the item checked, the settings applied and the saved game
    // resumed where it was. False when there is none to resume: a saved game that cannot be used
    // is renamed aside.
    bool Resume();
    // The start-up's first activation when nothing was resumed: the person is told of a saved
    // game put aside, then the start-up's new game begins with the kept settings.
    void StartUp();
    // An event of the game is over: keeps what changed (once no window of the game is open).
    void AfterEvent();
    // The program ends: the game is kept as it stands, a round in play too.
    void AtExit();
    // Checks or unchecks the item, as the person does.
    void SetOn(bool on);

    QAction* Item() const { return item_; }

  private:
    // The settings as the game now has them.
    struct Settings {
        GameMode mode = GameMode::Normal;
        int speed = kFastInterval;
        int cardBack = 1;
        std::string name;
        bool pauseAfterRound = true;
        bool showPlayable = true;
        bool strongPlayers = false;
        bool operator==(const Settings&) const = default;
    };
    Settings Current() const;
    Settings ReadSettings() const;
    bool WriteSettings(const Settings& settings);
    void WriteGame();
    void Forget();
    // No window of the game is open over the table.
    static bool Settled();

    Game& game_;
    TForm1& table_;
    std::function<void(const QString&)> suggestName_;
    Paths paths_;
    QAction* item_;
    bool on_ = false;
    Settings kept_;         // as the settings file held them at start-up
    bool refused_ = false;  // a saved game was put aside at start-up
    Settings written_;
    std::string gameWritten_;
};

}  // namespace morvel
