// morvel-screenshot [--] PNG [table|card-backs|help|about|last-round|results]: starts the game
// off-screen with a fixed clock (so the deal is always the same) and the name "Player1", on a
// screen of 1280 x 800 unless QT_QPA_PLATFORM names another, and saves the table window as it
// looks after the start-up, or a side window drawn at the table's scale. The pictures in docs/
// come from here.
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "windows.h"

namespace {

class FixedHost : public morvel::QtHost {
  public:
    uint32_t MillisecondOfDay() override { return 12 * 60 * 60 * 1000; }
    void ShowNameDialog() override { game_->AcceptName("Player1"); }
};

constexpr char kUsage[] =
    "usage: morvel-screenshot [--] FILE.png [table|card-backs|help|about|last-round|results]\n";

// An argument as it can be shown on one line: control bytes as \xNN.
std::string Shown(std::string_view argument) {
    std::string shown;
    for (const char c : argument) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) {
            shown += c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            shown += escaped;
        }
    }
    return shown;
}

// Qt's notes on the off-screen platform (no size hints, no runtime directory) say nothing about
// the picture: of the warnings only the program's own go out, and every error.
QtMessageHandler qtHandler = nullptr;

void Quiet(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const bool note = type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg;
    if (!note || text.startsWith(QLatin1String("morvel:"))) qtHandler(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<const char*> operands;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--") {
            operands.insert(operands.end(), argv + i + 1, argv + argc);
            break;
        }
        if (argument == "--help" || argument == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argument.size() > 1 && argument[0] == '-') {
            std::fprintf(stderr, "morvel-screenshot: unknown option %s\n%s",
                         Shown(argument).c_str(), kUsage);
            return 2;
        }
        operands.push_back(argv[i]);
    }
    const QString what =
        operands.size() == 2 ? QString::fromLocal8Bit(operands[1]) : QStringLiteral("table");
    if ((operands.size() != 1 && operands.size() != 2) ||
        (what != "table" && what != "card-backs" && what != "help" && what != "about" &&
         what != "last-round" && what != "results")) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const char* const file = operands[0];
    // A screen as a laptop has it.
    morvel::UseOffscreenScreen({1280, 800});
    qtHandler = qInstallMessageHandler(Quiet);
    int qtArgc = 1;  // the arguments are ours, not Qt's
    QApplication app(qtArgc, argv);
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
            if (!picture.save(QString::fromLocal8Bit(file), "PNG")) {
                std::fprintf(stderr, "morvel-screenshot: cannot write %s\n", Shown(file).c_str());
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
