// morvel-screenshot PNG [table|card-backs|help]: starts the game off-screen with a fixed clock (so
// the deal is always the same) and the name "Player1", and saves the table as it looks after the
// start-up, or the card-back chooser or the help window. The pictures in docs/ come from here.
#include <QApplication>
#include <QMenuBar>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "windows.h"

namespace {

class FixedHost : public morvel::QtHost {
  public:
    uint32_t MillisecondOfDay() override { return 12 * 60 * 60 * 1000; }
    void ShowNameDialog() override { game_->AcceptName("Player1"); }
};

constexpr int kClientWidth = 640;
constexpr int kClientHeight = 440;
constexpr qreal kPixelRatio = 2;

}  // namespace

int main(int argc, char** argv) {
    const QString what = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("table");
    if ((argc != 2 && argc != 3) || (what != "table" && what != "card-backs" && what != "help")) {
        std::fprintf(stderr, "usage: morvel-screenshot FILE.png [table|card-backs|help]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    morvel::SetUpApplication(app);
    morvel::Windows windows(std::make_unique<FixedHost>());
    if (!windows.StartupError().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(windows.StartupError()));
        return 1;
    }
    morvel::TForm1& table = windows.Form1();
    table.showMaximized();

    int status = 0;
    // The start-up runs in the event loop's first turn; the picture is taken in a later one.
    QTimer::singleShot(0, &table, [&] {
        QTimer::singleShot(0, &table, [&] {
            QWidget* window = &table;
            QRect client(0, 0, kClientWidth, table.menuBar()->height() + kClientHeight);
            if (what != "table") {
                window = what == "help" ? static_cast<QWidget*>(&windows.Aboutmorvelform())
                                        : static_cast<QWidget*>(&windows.Typecardform());
                window->show();
                QApplication::processEvents();
                client = window->rect();
            }
            QPixmap picture(client.size() * kPixelRatio);
            picture.setDevicePixelRatio(kPixelRatio);
            window->render(&picture, QPoint(), QRegion(client));
            if (!picture.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
                std::fprintf(stderr, "morvel-screenshot: cannot write %s\n", argv[1]);
                status = 1;
            }
            QApplication::quit();
        });
    });
    QApplication::exec();
    return status;
}
