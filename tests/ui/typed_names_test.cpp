// The player's name wherever it shows (under the hand, on the last-round window, in the result
// sheet's header): as typed and never as markup, cut with "…" when it does not fit and whole in
// the tooltip, and kept where the layout aligns it whatever its script.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <thread>

#include "caption_ink.h"
#include "test_windows.h"
#include "ui_test_main.h"
#include "widgets.h"

using morvel::ElidedLabel;
using morvel::testing::Ink;
using morvel::testing::StartedWindows;

namespace {

const QString kArabicName = QString::fromUtf8("سارة");

}  // namespace

class TypedNamesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedWindows> started_;

    // The three labels that show the name, each in its window shown.
    std::vector<ElidedLabel*> ShowName(const QString& name) {
        morvel::Game& game = started_->Engine();
        game.MutableState().playerName = name.toStdString();
        game.NewGame();
        started_->Freeze();
        started_->Form1().Sync();
        // Each showing reads the name afresh.
        for (QDialog* window : {static_cast<QDialog*>(&started_->windows->Lastform()),
                                static_cast<QDialog*>(&started_->windows->Resultform())}) {
            window->hide();
            window->show();
        }
        return {Label(started_->Form1(), "nameplayer"), Label(started_->windows->Lastform(), "n4"),
                Label(started_->windows->Resultform(), "n2")};
    }

    static ElidedLabel* Label(QWidget& window, const char* name) {
        auto* label = window.findChild<ElidedLabel*>(QLatin1String(name));
        if (label == nullptr) qFatal("no label %s", name);
        return label;
    }

  private slots:
    void initTestCase() { morvel::SetUpApplication(*qApp); }

    void init() { started_ = std::make_unique<StartedWindows>(); }

    void cleanup() {
        started_->windows->Lastform().hide();
        started_->windows->Resultform().hide();
        started_.reset();
    }

    // A name that reads like markup is shown as its letters, at the size of any other name.
    void markupIsShownAsTyped() {
        const std::vector<ElidedLabel*> plain = ShowName(QStringLiteral("Big"));
        std::vector<int> heights;
        for (ElidedLabel* label : plain)
            heights.push_back(label->sizeHint().height());
        const QString markup = QStringLiteral("<h1><u>Big");
        const std::vector<ElidedLabel*> labels = ShowName(markup);
        for (size_t i = 0; i < labels.size(); ++i) {
            QCOMPARE(labels[i]->Name(), markup);
            QVERIFY2(labels[i]->text().startsWith(QStringLiteral("<h")),
                     qPrintable(labels[i]->text()));
            QCOMPARE(labels[i]->sizeHint().height(), heights[i]);
            // The tooltip says the name as typed too.
            QVERIFY(labels[i]->toolTip().contains(markup.toHtmlEscaped()));
        }
    }

    // A picture named in the name is never opened: a named pipe would block the game for good.
    void aPictureInTheNameIsNotOpened() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString pipe = dir.filePath(QStringLiteral("p"));
        QVERIFY(mkfifo(pipe.toLocal8Bit().constData(), 0600) == 0);
        const QString working = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));

        // Should the window open the pipe, it blocks there: after a while this thread opens the
        // other end, again and again, which lets it go on and tells.
        std::atomic<bool> done = false;
        std::atomic<bool> opened = false;
        std::thread watchdog([&] {
            for (int waited = 0; !done; waited += 10) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                if (waited < 3000) continue;
                // Opening for writing without blocking succeeds only while a reader waits.
                const int fd = open(pipe.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    opened = true;
                    close(fd);
                }
            }
        });
        for (const QString& name :
             {QStringLiteral("<img src=p>"), QStringLiteral("<img src=/x/y>")}) {
            for (ElidedLabel* label : ShowName(name)) {
                QCOMPARE(label->Name(), name);
                label->window()->grab();
                morvel::testing::Rendered(label);
            }
        }
        done = true;
        watchdog.join();
        QDir::setCurrent(working);
        QVERIFY2(!opened, "the window opened the pipe named in the player's name");
    }

    // A name longer than its label ends in "…" and begins with its first letter; the tooltip
    // holds it whole.
    void longNamesAreCutAtTheirEnd_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("Latin") << QStringLiteral("WWWWWWWWWWWWWWW");
        QTest::newRow("Arabic") << QString::fromUtf8("عبدالرحمنمحمدعل");
    }

    void longNamesAreCutAtTheirEnd() {
        QFETCH(QString, name);
        int cut = 0;
        for (ElidedLabel* label : ShowName(name)) {
            const QString shown = label->text();
            QVERIFY(label->toolTip().contains(name));
            if (label->fontMetrics().horizontalAdvance(name) <= label->contentsRect().width()) {
                QCOMPARE(shown, name);
                continue;
            }
            ++cut;
            QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(label->objectName()));
            // What is left begins the name (Qt keeps an Arabic letter joined to the "…").
            QString kept = shown.chopped(1);
            if (kept.endsWith(QChar(0x200D))) kept.chop(1);
            QVERIFY(!kept.isEmpty());
            QVERIFY(name.startsWith(kept));
            QVERIFY(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width());
        }
        // The side windows' labels are narrow: there at least the name is cut.
        QVERIFY(cut >= 2);
        // A name that fits is shown whole.
        for (ElidedLabel* label : ShowName(QStringLiteral("Ann")))
            QCOMPARE(label->text(), QStringLiteral("Ann"));
    }

    // An Arabic name stays where the layout puts names: right under the hand, centred on the
    // side windows.
    void arabicNamesKeepTheirAlignment() {
        const std::vector<ElidedLabel*> labels = ShowName(kArabicName);
        const QColor white(Qt::white);
        const QRect underHand = Ink(labels[0], white).Bounds();
        QVERIFY(!underHand.isEmpty());
        QVERIFY2(
            labels[0]->width() - 1 - underHand.right() <= 4,
            qPrintable(
                QString("ink ends at %1 of %2").arg(underHand.right()).arg(labels[0]->width())));
        for (ElidedLabel* label : {labels[1], labels[2]}) {
            const QRect ink = Ink(label, white).Bounds();
            QVERIFY(!ink.isEmpty());
            const int leftRoom = ink.left();
            const int rightRoom = label->width() - 1 - ink.right();
            QVERIFY2(std::abs(leftRoom - rightRoom) <= 3, qPrintable(label->objectName()));
        }
    }
};

MORVEL_UI_TEST(TypedNamesTest)
#include "typed_names_test.moc"
