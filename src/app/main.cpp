// Morvel: creates the windows in their order and runs the event loop until the table closes.
#include <QApplication>
#include <QMessageBox>

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
    windows.Form1().showMaximized();
    return QApplication::exec();
}
