// morvel-screenshot PNG [table|card-backs|help|about|last-round|results]: starts the game
// off-screen with a fixed clock (so the deal is always the same) and the name "Player1", on a
// screen of 1280 x 800 unless QT_QPA_PLATFORM names another, and saves the table window as it
// looks after the start-up, or a side window drawn at the table's scale. The pictures in docs/
// come from here.
#include <QApplication>
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

}  // namespace

int main(int argc, char** argv) {
    const QString what = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("table");
    if ((argc != 2 && argc != 3) ||
        (what != "table" && what != "card-backs" && what != "help" && what != "about" &&
         what != "last-round" && what != "results")) {
        std::fprintf(stderr,
                     "usage: morvel-screenshot FILE.png "
                     "[table|card-backs|help|about|last-round|results]\n");
        return 2;
    }
    // A screen as a laptop has it.
    morvel::UseOffscreenScreen({1280, 800});
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
            if (what != "table") {
                if (what == "help") window = &windows.Aboutmorvelform();
                if (what == "about") window = &windows.Aboutform();
                if (what == "card-backs") window = &windows.Typecardform();
                if (what == "last-round") window = &windows.Lastform();
                if (what == "results") window = &windows.Resultform();
                window->show();
                QApplication::processEvents();
            }
            const qreal ratio = window->devicePixelRatioF();
            QPixmap picture(window->size() * ratio);
            picture.setDevicePixelRatio(ratio);
            window->render(&picture);
            if (!picture.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
                std::fprintf(stderr, "morvel-screenshot: cannot write %s\n", argv[1]);
                status = 1;
            }
            // A window that closes only by its OK button would refuse the quit's close.
            window->hide();
            QApplication::quit();
        });
    });
    QApplication::exec();
    return status;
}
