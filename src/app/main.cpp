// Morvel: creates the windows in their order and runs the event loop until the table closes.
#include <QApplication>
#include <QDBusConnection>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "keeper.h"
#include "qt_text.h"
#include "texts.h"
#include "windows.h"

namespace {

// The platform Qt will use: a -platform argument, else QT_QPA_PLATFORM; empty for Qt's choice.
QByteArray RequestedPlatform(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "-platform") == 0 || qstrcmp(argv[i], "--platform") == 0)
            return argv[i + 1];
    }
    return qgetenv("QT_QPA_PLATFORM");
}

bool NeedsDisplay(const QByteArray& platform) {
    return platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland");
}

[[noreturn]] void NoDisplay(const QString& why) {
    std::fprintf(stderr, "morvel: no display found: %s\n", qPrintable(why));
    std::_Exit(1);
}

// Without a display Qt ends the program with a page of text and an abort. While it opens the
// display its messages are held back: if none opens, one line and status 1 stand in for them; if
// one does, they go out as usual.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<HeldMessage> held;
QtMessageHandler qtHandler = nullptr;

void HoldWhileOpening(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        held.push_back({type, context.category, text});
        return;
    }
    QStringList names;
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        if (!qEnvironmentVariableIsEmpty(variable))
            names << QString::fromLatin1(variable) + '=' + qEnvironmentVariable(variable);
    }
    QString why = QStringLiteral("cannot open ") + names.join(QStringLiteral(" or "));
    // The platform's own complaint ("could not connect to display :5") says most; the plugin
    // loader's only that a plugin is missing.
    const HeldMessage* reason = nullptr;
    for (const HeldMessage& message : held) {
        if (!message.category.startsWith("qt.qpa")) continue;
        if (reason == nullptr ||
            (reason->category == "qt.qpa.plugin" && message.category != "qt.qpa.plugin"))
            reason = &message;
    }
    if (reason != nullptr) why += QStringLiteral(" (") + reason->text.simplified() + ')';
    NoDisplay(why);
}

void ReleaseHeld() {
    qInstallMessageHandler(qtHandler);
    for (const HeldMessage& message : held)
        qtHandler(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category),
                  message.text);
    held.clear();
}

}  // namespace

int main(int argc, char** argv) {
    const bool needsDisplay = NeedsDisplay(RequestedPlatform(argc, argv));
    if (needsDisplay) {
        if (qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            NoDisplay(QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set"));
        qtHandler = qInstallMessageHandler(HoldWhileOpening);
    }
    morvel::DropUnusableScaleFactors();
    QApplication app(argc, argv);
    if (needsDisplay) ReleaseHeld();
    // The screen-reader bridge asks for the desktop's message bus while the table is built, and
    // waits for it: the connection (on a desktop without a bus, the attempt to start one) is
    // made meanwhile on a second thread, and is the one the bridge then finds.
    std::jthread bus;
    if (needsDisplay) bus = std::jthread([] { QDBusConnection::sessionBus(); });

    morvel::SetUpApplication(app);
    morvel::Windows windows;
    if (!windows.StartupError().isEmpty()) {
        QMessageBox::critical(nullptr, morvel::Text(morvel::text::kAppTitle),
                              windows.StartupError());
        return 1;
    }
    // Settings and the game kept between runs, when the person asks for it.
    morvel::Keeper keeper(windows.Engine(), windows.Form1(),
                          [&windows](const QString& name) { windows.SuggestName(name); });
    windows.Form1().showMaximized();
    return QApplication::exec();
}
