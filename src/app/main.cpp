// Morvel: creates the windows in their order and runs the event loop until the table closes.
#include <QApplication>
#include <QMessageBox>

#include "keeper.h"
#include "windows.h"

int main(int argc, char** argv) {
    morvel::DropUnusableScaleFactors();
    QApplication app(argc, argv);
    morvel::SetUpApplication(app);
    morvel::Windows windows;
    if (!windows.StartupError().isEmpty()) {
        QMessageBox::critical(nullptr, QApplication::applicationName(), windows.StartupError());
        return 1;
    }
    // Settings and the game kept between runs, when the person asks for it.
    morvel::Keeper keeper(windows.Engine(), windows.Form1(), windows.Enterform());
    windows.Form1().showMaximized();
    return QApplication::exec();
}
