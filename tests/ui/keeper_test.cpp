// Settings and the game kept between runs: nothing read or written until the person checks the
// item; then the game resumes where it was, looking as it did; a file that cannot be used is put
// aside; unchecking deletes everything.
#include <sys/stat.h>
#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "keeper.h"
#include "player_options.h"
#include "position_check.h"
#include "qt_text.h"
#include "save_format.h"
#include "table_draw.h"
#include "test_windows.h"
#include "texts.h"
#include "ui_test_main.h"

using morvel::GameMode;
using morvel::GameState;
using morvel::Keeper;
using morvel::testing::TestHost;

namespace {

// One run of the program: the windows, the keeper with files in a test folder, and the start-up.
struct Run {
    explicit Run(const Keeper::Paths& paths, const std::function<void(TestHost&)>& setUp = {}) {
        auto owned = std::make_unique<TestHost>();
        host = owned.get();
        if (setUp) setUp(*host);
        windows = std::make_unique<morvel::Windows>(std::move(owned));
        keeper = std::make_unique<Keeper>(
            windows->Engine(), windows->Form1(),
            [this](const QString& name) { windows->SuggestName(name); }, paths);
        windows->Form1().showMaximized();
        (void)QTest::qWaitForWindowExposed(&windows->Form1());
        for (int turn = 0; turn < 1000 && Engine().State().turnMarker == 0; ++turn)
            QCoreApplication::processEvents();
    }
    // The process ends without closing its window, as a killed one does.
    ~Run() {
        keeper.reset();
        windows.reset();
    }

    morvel::Game& Engine() { return windows->Engine(); }
    morvel::TForm1& Form1() { return windows->Form1(); }
    QAction* Action(const char* name) { return Form1().findChild<QAction*>(QLatin1String(name)); }

    // One event of play, as the window passes it on, with no timer firing on its own.
    void Step() {
        QVERIFY(morvel::Autopilot(Engine()).Step());
        Form1().Settled();
    }
    // With the keyboard on the table, as a window manager gives it, so the focused card's ring
    // shows.
    QImage Look() {
        Form1().activateWindow();
        (void)QTest::qWaitForWindowActive(&Form1());
        Form1().Sync();
        return Form1().grab().toImage();
    }

    TestHost* host = nullptr;
    std::unique_ptr<morvel::Windows> windows;
    std::unique_ptr<Keeper> keeper;
};

// Closes message boxes as they come up, and counts them.
struct MessageAnswers : QObject {
    MessageAnswers() {
        timer.setInterval(5);
        connect(&timer, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->accept();
            }
        });
        timer.start();
    }
    QTimer timer;
    QStringList texts;
};

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Everything(const QString& dir) {
    QStringList found;
    QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    return found;
}

}  // namespace

class KeeperTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home_;
    Keeper::Paths paths_;

  private slots:
    void initTestCase() { morvel::SetUpApplication(*qApp); }

    void init() {
        home_ = std::make_unique<QTemporaryDir>();
        paths_ = {home_->filePath(QStringLiteral("config/morvel/morvel.conf")),
                  home_->filePath(QStringLiteral("data/morvel/game.sav"))};
    }
    void cleanup() { home_.reset(); }

    void withTheItemUncheckedNothingIsWritten() {
        {
            Run run(paths_);
            QVERIFY(!run.keeper->On());
            QVERIFY(!run.Action("Keep1")->isChecked());
            QCOMPARE(run.host->nameDialogs, 1);
            for (int step = 0; step < 300; ++step)
                run.Step();
            run.Form1().close();
        }
        QCOMPARE(Everything(home_->path()), QStringList());
    }

    void checkingWritesBothFilesAndUncheckingDeletesThem() {
        Run run(paths_);
        QAction* item = run.Action("Keep1");
        QVERIFY(item->isCheckable());
        QCOMPARE(item->text(), morvel::Text(morvel::text::kMenuKeep));
        // After the Speed items of the Option menu.
        QCOMPARE(run.Form1().OptionMenu()->actions().last(), item);
        while (!morvel::IsSavePoint(run.Engine().State()))
            run.Step();
        item->trigger();
        QVERIFY(run.keeper->On() && item->isChecked());
        QVERIFY(QFile::exists(paths_.settings));
        QVERIFY(QFile::exists(paths_.game));
        QSettings settings(paths_.settings, QSettings::IniFormat);
        QCOMPARE(settings.value(QStringLiteral("name")).toString(), QStringLiteral("Player1"));
        QCOMPARE(settings.value(QStringLiteral("speed")).toString(), QStringLiteral("fast"));

        // What a run killed while writing leaves beside the files goes with them.
        for (const QString& left :
             {paths_.game + QStringLiteral(".k3Jd9a"), paths_.settings + QStringLiteral(".lock")}) {
            QFile file(left);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        item->trigger();
        QVERIFY(!run.keeper->On() && !item->isChecked());
        QCOMPARE(Everything(home_->path()), QStringList({home_->filePath(QStringLiteral("config")),
                                                         home_->filePath(QStringLiteral("data"))}));
        // Nothing more is written.
        for (int step = 0; step < 200; ++step)
            run.Step();
        run.Form1().close();
        QCOMPARE(Everything(home_->path()).size(), 2);
    }

    // A killed program starts again where its last save point stood, without the name dialog,
    // its table looking as it did, and plays on.
    void theGameResumesWhereItWasAndLooksAsItDid() {
        for (const GameMode mode : {GameMode::Normal, GameMode::Complex}) {
            GameState kept;
            QImage look;
            {
                Run run(paths_);
                run.Action("Keep1")->trigger();
                if (mode == GameMode::Complex) run.Action("Complex1")->trigger();
                run.Action("Slow1")->trigger();
                run.Action("Pause1")->trigger();
                run.Action("Playable1")->trigger();
                for (int step = 0; step < 777; ++step)
                    run.Step();
                // The last save point before cards of a round lie on the table: those are not
                // kept, and are lost with the kill.
                while (!morvel::IsSavePoint(run.Engine().State()))
                    run.Step();
                while (morvel::IsSavePoint(run.Engine().State())) {
                    kept = run.Engine().State();
                    look = run.Look();
                    run.Step();
                }
            }
            Run again(paths_);
            QCOMPARE(again.host->nameDialogs, 0);
            QVERIFY(again.Engine().State() == kept);
            QCOMPARE(again.Look(), look);
            QVERIFY(again.Action("Slow1")->isChecked() && !again.Action("Fast1")->isChecked());
            QVERIFY(!again.Action("Pause1")->isChecked() &&
                    !again.Action("Playable1")->isChecked());
            QVERIFY(!again.Form1().GetOptions().pauseAfterRound);
            QVERIFY(!again.Form1().GetOptions().showPlayable);
            QCOMPARE(again.Action("Complex1")->isChecked(), mode == GameMode::Complex);
            QCOMPARE(again.Action("Normal1")->isChecked(), mode == GameMode::Normal);
            for (int step = 0; step < 500; ++step)
                again.Step();
            QCOMPARE(morvel::PositionProblem(again.Engine().State()), std::string());
            // Unchecked, and everything is gone.
            again.Action("Keep1")->trigger();
        }
    }

    // Closing the window keeps even a round in play.
    void closingKeepsTheRoundInPlay() {
        GameState kept;
        {
            Run run(paths_);
            run.Action("Keep1")->trigger();
            for (int step = 0; step < 100 || morvel::IsSavePoint(run.Engine().State()); ++step)
                run.Step();
            kept = run.Engine().State();
            QVERIFY(morvel::CardsOnTable(kept) > 0);
            run.Form1().close();
        }
        Run again(paths_);
        QVERIFY(again.Engine().State() == kept);
    }

    // While a window of the game is open over the table, the game goes on but is not kept; it is
    // once the window closes.
    void nothingIsKeptWhileAWindowIsOpen() {
        Run run(paths_);
        run.Action("Keep1")->trigger();
        while (!morvel::IsSavePoint(run.Engine().State()))
            run.Step();
        const QByteArray before = Read(paths_.game);
        QByteArray during;
        int stepsDuring = 0;
        QTimer::singleShot(0, [&] {
            for (; stepsDuring < 60; ++stepsDuring)
                run.Step();
            during = Read(paths_.game);
            QApplication::activeModalWidget()->close();
        });
        run.Action("LastCard1")->trigger();
        QCOMPARE(stepsDuring, 60);
        QCOMPARE(during, before);
        if (morvel::IsSavePoint(run.Engine().State())) {
            GameState read;
            QCOMPARE(morvel::DecodeGame(Read(paths_.game).toStdString(), read), std::string());
            QVERIFY(read == run.Engine().State());
        }
    }

    void aFileThatCannotBeUsedIsPutAsideAndANewGameBegins() {
        {
            Run run(paths_);
            run.Action("Keep1")->trigger();
        }
        QByteArray bytes = Read(paths_.game);
        bytes.chop(1);
        {
            QFile file(paths_.game);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        MessageAnswers answers;
        Run run(paths_);
        QCOMPARE(answers.texts.size(), 1);
        QCOMPARE(morvel::CaptionText(answers.texts[0]),
                 morvel::Text(morvel::text::kKeptGameRefused));
        QCOMPARE(Read(paths_.Refused()), bytes);
        QCOMPARE(run.host->nameDialogs, 1);
        // The new game is kept in place of the refused one.
        GameState read;
        QCOMPARE(morvel::DecodeGame(Read(paths_.game).toStdString(), read), std::string());
        // Unchecking forgets the refused file too.
        run.Action("Keep1")->trigger();
        QVERIFY(!QFile::exists(paths_.Refused()));
    }

    // A pipe where the game should be would wait forever for a writer: it is put aside unread.
    void aPipeInPlaceOfTheGameIsPutAside() {
        {
            Run run(paths_);
            run.Action("Keep1")->trigger();
        }
        QFile::remove(paths_.game);
        QCOMPARE(mkfifo(QFile::encodeName(paths_.game).constData(), 0600), 0);
        MessageAnswers answers;
        Run run(paths_);
        QCOMPARE(answers.texts.size(), 1);
        QVERIFY(QFileInfo(paths_.Refused()).exists());
        QCOMPARE(run.host->nameDialogs, 1);
    }

    // Without a game to resume, the kept settings start the game, and the name dialog offers the
    // last name, selected.
    void keptSettingsStartANewGame() {
        QDir().mkpath(QFileInfo(paths_.settings).absolutePath());
        {
            QSettings settings(paths_.settings, QSettings::IniFormat);
            settings.setValue(QStringLiteral("mode"), QStringLiteral("complex"));
            settings.setValue(QStringLiteral("speed"), QStringLiteral("medium"));
            settings.setValue(QStringLiteral("cardBack"), 4);
            settings.setValue(QStringLiteral("name"), QStringLiteral("أحمد Ahmad"));
        }
        QString offered, selected;
        Run run(paths_, [&](TestHost& host) {
            host.name = "Sami";
            host.onNameDialog = [&] {
                auto* edit =
                    run.windows->Enterform().findChild<QLineEdit*>(QStringLiteral("Edit1"));
                offered = edit->text();
                selected = edit->selectedText();
            };
        });
        QVERIFY(run.keeper->On() && run.Action("Keep1")->isChecked());
        QCOMPARE(offered, QStringLiteral("أحمد Ahmad"));
        QCOMPARE(selected, offered);
        const GameState& s = run.Engine().State();
        QCOMPARE(s.mode, GameMode::Complex);
        QCOMPARE(s.speedInterval, morvel::kMediumInterval);
        QCOMPARE(s.cardBack, 4);
        QVERIFY(run.Action("Complex1")->isChecked() && run.Action("Medium1")->isChecked());
        // The name accepted is the one kept from now on.
        QSettings settings(paths_.settings, QSettings::IniFormat);
        QCOMPARE(settings.value(QStringLiteral("name")).toString(), QStringLiteral("Sami"));
    }

    // The computer players chosen are kept, and play from the start of the next run; a word
    // other than strong leaves them standard.
    void theComputerPlayersAreKept() {
        {
            Run run(paths_);
            run.Action("Keep1")->trigger();
            run.Action("Strong1")->trigger();
            QCOMPARE(QSettings(paths_.settings, QSettings::IniFormat)
                         .value(QStringLiteral("players"))
                         .toString(),
                     QStringLiteral("strong"));
        }
        {
            Run again(paths_);
            QVERIFY(again.Action("Strong1")->isChecked() &&
                    !again.Action("Standard1")->isChecked());
            QVERIFY(again.Form1().GetOptions().strongPlayers);
            auto* players = again.Form1().findChild<morvel::PlayerOptions*>();
            morvel::StrongPlayer& strong = players->Strong();
            strong.SetBudget({.steps = 2000});
            for (int step = 0; step < 200 && strong.Times().Count() == 0; ++step)
                again.Step();
            QVERIFY(strong.Times().Count() != 0);  // the resumed deal already
            again.Action("Standard1")->trigger();
        }
        {
            Run again(paths_);
            QVERIFY(again.Action("Standard1")->isChecked());
            QVERIFY(!again.Form1().GetOptions().strongPlayers);
            QSettings(paths_.settings, QSettings::IniFormat)
                .setValue(QStringLiteral("players"), QStringLiteral("STRONG"));
        }
        Run last(paths_);
        QVERIFY(last.Action("Standard1")->isChecked() && !last.Action("Strong1")->isChecked());
    }

    // Values no setting takes (a computer player's name, an eighth card back) leave the
    // settings as they start.
    void settingsNoGameHasAreIgnored() {
        QDir().mkpath(QFileInfo(paths_.settings).absolutePath());
        {
            QSettings settings(paths_.settings, QSettings::IniFormat);
            settings.setValue(QStringLiteral("speed"), QStringLiteral("warp"));
            settings.setValue(QStringLiteral("cardBack"), 8);
            settings.setValue(QStringLiteral("name"), QStringLiteral(" vesk "));
        }
        QString offered;
        Run run(paths_, [&](TestHost& host) {
            host.onNameDialog = [&] {
                offered = run.windows->Enterform().findChild<QLineEdit*>()->text();
            };
        });
        QCOMPARE(offered, QStringLiteral("Player1"));
        QCOMPARE(run.Engine().State().speedInterval, morvel::kFastInterval);
        QCOMPARE(run.Engine().State().cardBack, 1);
    }

    // A folder that cannot be made: the item stays unchecked, the person is told, and nothing is
    // left behind.
    void aFolderThatCannotBeWrittenLeavesTheItemUnchecked() {
        QFile blocker(home_->filePath(QStringLiteral("config")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Run run(paths_);
        MessageAnswers answers;
        run.Action("Keep1")->trigger();
        QVERIFY(!run.keeper->On() && !run.Action("Keep1")->isChecked());
        QCOMPARE(answers.texts.size(), 1);
        QCOMPARE(Everything(home_->path()), QStringList({blocker.fileName()}));
    }
};

MORVEL_UI_TEST(KeeperTest)
#include "keeper_test.moc"
