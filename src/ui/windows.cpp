#include "windows.h"

#include <QApplication>
#include <QDebug>
#include <QFontDatabase>
#include <QIcon>

#include "qt_text.h"
#include "texts.h"

namespace morvel {

namespace {

// The family name as the font file declares it.
QString LoadFont(const QString& path) {
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        qWarning() << "morvel: cannot load the font" << path;
        return {};
    }
    return families.first();
}

}  // namespace

void SetUpApplication(QApplication& app) {
    // Plain ASCII: the window class (WM_CLASS) the menu entry names in StartupWMClass, so that
    // docks and task bars put the running game with its entry and icon. (Not the display name:
    // Qt would append that to every window caption.)
    QApplication::setApplicationName(QStringLiteral("Morvel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.morvel.morvel"));

    const QString latin = LoadFont(QStringLiteral(":/fonts/NotoSans-Regular.ttf"));
    LoadFont(QStringLiteral(":/fonts/NotoSans-Bold.ttf"));
    const QString arabic = LoadFont(QStringLiteral(":/fonts/NotoSansArabic-Regular.ttf"));
    LoadFont(QStringLiteral(":/fonts/NotoSansArabic-Bold.ttf"));
    QFont font = QApplication::font();
    QStringList families;
    for (const QString& family : {latin, arabic}) {
        if (!family.isEmpty()) families << family;
    }
    if (!families.isEmpty()) font.setFamilies(families);
    font.setPointSize(8);
    app.setFont(font);

    QIcon icon;
    icon.addFile(QStringLiteral(":/art/icon.png"));
    icon.addFile(QStringLiteral(":/art/icon-256.png"));
    app.setWindowIcon(icon);
}

Windows::Windows(std::unique_ptr<QtHost> host)
    : host_(std::move(host)), game_(std::make_unique<Game>(*host_)) {
    form1_ = std::make_unique<TForm1>(*game_, pictures_);
    card_ = std::make_unique<Tcard>();
    pictures_.SetFaces(card_.get());
    choosform_ = std::make_unique<Tchoosform>(*game_);
    resultform_ = std::make_unique<Tresultform>(*game_);
    allform_ = std::make_unique<Tallform>(*game_);
    aboutform_ = std::make_unique<Taboutform>();
    aboutmorvelform_ = std::make_unique<Taboutmorvelform>();
    typecardform_ = std::make_unique<Ttypecardform>(*game_, *form1_, pictures_);
    lastform_ = std::make_unique<Tlastform>(*game_, pictures_, *host_);
    enterform_ = std::make_unique<Tenterform>(*game_);

    form1_->SetMenuWindows({.result = resultform_.get(),
                            .deckCard = typecardform_.get(),
                            .lastShot = lastform_.get(),
                            .about = aboutform_.get(),
                            .help = aboutmorvelform_.get()});
    host_->Attach(*game_, *form1_,
                  {.name = enterform_.get(),
                   .choose = choosform_.get(),
                   .all = allform_.get(),
                   .sheet = resultform_.get()});
}

Windows::~Windows() = default;

}  // namespace morvel
