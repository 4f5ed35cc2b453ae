// The scaler: the factor that fits a design into a room, the places and fonts it gives the
// controls, and side windows that take the table's factor and their place by it.
#include <QDialog>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTest>

#include "scaler.h"
#include "ui_test_main.h"
#include "windows.h"

using morvel::Scaler;

namespace {

const QSize kDesign(640, 440);

QLabel* Label(QWidget* parent, const QRect& rect, int pixels) {
    auto* label = new QLabel(QStringLiteral("Kestrin"), parent);
    label->setGeometry(rect);
    QFont font = label->font();
    font.setPixelSize(pixels);
    label->setFont(font);
    return label;
}

}  // namespace

class ScalerTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { morvel::SetUpApplication(*qApp); }

    void factorFitsTheRoom_data() {
        QTest::addColumn<QSize>("room");
        QTest::addColumn<qreal>("factor");
        QTest::newRow("as designed") << kDesign << 1.0;
        QTest::newRow("twice as wide and high") << kDesign * 2 << 2.0;
        QTest::newRow("height decides") << QSize(1920, 1030) << 1030.0 / 440;
        QTest::newRow("width decides") << QSize(1280, 2000) << 2.0;
        QTest::newRow("smaller: never below 1:1") << QSize(320, 200) << 1.0;
        QTest::newRow("empty") << QSize(0, 0) << 1.0;
        QTest::newRow("unknown") << QSize() << 1.0;
        QTest::newRow("negative") << QSize(-5, 700) << 1.0;
        QTest::newRow("absurd") << QSize(1 << 30, 1 << 30) << Scaler::kLargestFactor;
    }

    void factorFitsTheRoom() {
        QFETCH(QSize, room);
        QFETCH(qreal, factor);
        QCOMPARE(Scaler::FitFactor(kDesign, room), factor);
        QCOMPARE(Scaler::FitFactor(QSize(), room), 1.0);
    }

    // A scale factor Qt cannot draw at is left out before the application starts.
    void unusableScaleFactorsAreDropped() {
        for (const char* usable : {"1", "2", "1.5", "16", "HDMI-1=2;DP-1=1", "2;1.25"})
            QVERIFY2(morvel::UsableScaleFactors(QString::fromLatin1(usable)), usable);
        for (const char* unusable :
             {"0", "-1", "", "two", "nan", "inf", "1e9", "17", "HDMI-1=0", "2;0", "DP-1="})
            QVERIFY2(!morvel::UsableScaleFactors(QString::fromLatin1(unusable)), unusable);

        qputenv("QT_SCALE_FACTOR", "0");
        qputenv("QT_SCREEN_SCALE_FACTORS", "1.5");
        morvel::DropUnusableScaleFactors();
        QVERIFY(!qEnvironmentVariableIsSet("QT_SCALE_FACTOR"));
        QCOMPARE(qEnvironmentVariable("QT_SCREEN_SCALE_FACTORS"), QStringLiteral("1.5"));
        qunsetenv("QT_SCREEN_SCALE_FACTORS");
    }

    // The table: centred in its room at the largest factor, places and fonts scaled with it.
    void fittedSurfaceScalesAndCentres() {
        QWidget surface;
        auto* scaler = new Scaler(&surface, kDesign, /*fit=*/true);
        QLabel* label = Label(&surface, {10, 20, 30, 40}, 13);
        scaler->AdoptChildren();
        QList<qreal> scaled;
        connect(scaler, &Scaler::Scaled, [&](qreal f) { scaled << f; });
        surface.show();

        surface.resize(1280, 880);
        QCOMPARE(scaler->Factor(), 2.0);
        QCOMPARE(label->geometry(), QRect(20, 40, 60, 80));
        QCOMPARE(label->font().pixelSize(), 26);
        QCOMPARE(Scaler::FactorFor(label), 2.0);

        // A wider room: the table stays as high and stands in the middle.
        surface.resize(1400, 880);
        QCOMPARE(scaler->Factor(), 2.0);
        QCOMPARE(label->geometry(), QRect(80, 40, 60, 80));
        QCOMPARE(scaler->Area(), QRect(60, 0, 1280, 880));

        // Too small: 1:1 from the top-left corner.
        surface.resize(500, 300);
        QCOMPARE(scaler->Factor(), 1.0);
        QCOMPARE(label->geometry(), QRect(10, 20, 30, 40));
        QCOMPARE(label->font().pixelSize(), 13);
        QCOMPARE(scaled, (QList<qreal>{2.0, 2.0, 1.0}));

        // The game moves a control: its new place is designed, and scaled.
        surface.resize(1280, 880);
        scaler->Place(label, {100, 100, 30, 40});
        QCOMPARE(label->geometry(), QRect(200, 200, 60, 80));
        QCOMPARE(scaler->DesignedRect(label), QRect(100, 100, 30, 40));
    }

    // Neighbours that touch as designed touch at any factor: no gap, no overlap.
    void neighboursStayJoined() {
        QWidget surface;
        auto* scaler = new Scaler(&surface, kDesign, /*fit=*/true);
        QLabel* left = Label(&surface, {200, 328, 16, 82}, 13);
        QLabel* right = Label(&surface, {216, 328, 16, 82}, 13);
        scaler->AdoptChildren();
        surface.show();
        for (int width : {700, 877, 1013, 1366, 1919, 3839}) {
            surface.resize(width, 2000);
            QCOMPARE(left->geometry().right() + 1, right->geometry().left());
        }
    }

    // How each sizing takes the factor: a label sized to its text, a control that paints itself
    // scaled keeping its designed font, and the style's own sizes.
    void sizingsAndStyle() {
        QWidget surface;
        auto* scaler = new Scaler(&surface, kDesign, /*fit=*/true);
        QLabel* toText = Label(&surface, {10, 10, 5, 5}, 13);
        QLabel* painted = Label(&surface, {10, 50, 50, 20}, 13);
        auto* radio = new QRadioButton(QStringLiteral("Queen"), &surface);
        radio->setGeometry(10, 80, 100, 25);
        scaler->Add(toText, Scaler::Sizing::ToText);
        scaler->Add(painted, Scaler::Sizing::Painted);
        scaler->AdoptChildren();
        const int indicator =
            radio->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, radio);
        surface.show();
        surface.resize(kDesign * 3);
        QCOMPARE(toText->pos(), QPoint(30, 30));
        QCOMPARE(toText->size(), toText->sizeHint());
        QVERIFY(toText->width() > 5 * 3);
        QCOMPARE(painted->geometry(), QRect(30, 150, 150, 60));
        QCOMPARE(painted->font().pixelSize(), 13);
        QCOMPARE(radio->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, radio),
                 indicator * 3);
        // Outside a scaled window the style is as it was.
        QRadioButton plain(QStringLiteral("Queen"));
        QCOMPARE(plain.style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, &plain),
                 indicator);
    }

    // A side window that the table's factor would make taller than the screen (the result sheet
    // is, a little, when the table fills the screen's height) is drawn as large as fits, at the
    // screen's top.
    void sideWindowNoLargerThanTheScreen() {
        QWidget table;
        auto* tableScaler = new Scaler(&table, kDesign, /*fit=*/true);
        table.resize(kDesign * 2);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QDialog side;
        auto* sideScaler = new Scaler(&side, QSize(200, 500), /*fit=*/false);
        sideScaler->SetAnchor({Scaler::Anchor::Kind::TableTopLeft, {}});
        sideScaler->Follow(*tableScaler);
        side.show();
        const QRect screen = table.screen()->availableGeometry();
        QVERIFY(500 * tableScaler->Factor() > screen.height());
        QCOMPARE(side.height(), screen.height());
        QCOMPARE(side.pos().y(), screen.top());
    }

    // A side window takes the table's factor when it shows, stands where its anchor says, and
    // follows the table while it is up.
    void sideWindowFollowsTheTable() {
        QWidget table;
        auto* tableScaler = new Scaler(&table, kDesign, /*fit=*/true);
        table.resize(kDesign * 2);
        table.move(100, 50);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));

        QDialog side;
        QLabel* label = Label(&side, {10, 10, 40, 20}, 13);
        auto* sideScaler = new Scaler(&side, QSize(200, 100), /*fit=*/false);
        sideScaler->SetAnchor({Scaler::Anchor::Kind::AtTablePoint, {20, 10}});
        sideScaler->AdoptChildren();
        sideScaler->Follow(*tableScaler);
        QCOMPARE(side.size(), QSize(200, 100));

        side.show();
        const QPoint origin = table.mapToGlobal(QPoint(0, 0));
        QCOMPARE(side.size(), QSize(400, 200));
        QCOMPARE(side.pos(), origin + QPoint(40, 20));
        QCOMPARE(label->geometry(), QRect(20, 20, 80, 40));

        table.resize(kDesign * 3);
        QCOMPARE(side.size(), QSize(600, 300));
        QCOMPARE(side.pos(), origin + QPoint(60, 30));

        // A place that would leave a part of it off the screen: moved just onto it.
        sideScaler->SetAnchor({Scaler::Anchor::Kind::AtTablePoint, {205, 100}});
        side.hide();
        side.show();
        const QRect screen = table.screen()->availableGeometry();
        QVERIFY(origin.x() + 615 + 600 > screen.right() + 1);
        QCOMPARE(side.pos(), QPoint(screen.right() + 1 - 600, origin.y() + 300));

        sideScaler->SetAnchor({Scaler::Anchor::Kind::TableTopLeft, {}});
        side.hide();
        side.show();
        QCOMPARE(side.pos(), origin);
        sideScaler->SetAnchor({});
        table.resize(kDesign);
        side.hide();
        side.show();
        const QPoint offset = side.geometry().center() - tableScaler->ScreenArea().center();
        QVERIFY(offset.manhattanLength() <= 2);
    }
};

MORVEL_UI_TEST(ScalerTest)
#include "scaler_test.moc"
