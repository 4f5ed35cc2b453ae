#include "windows.h"

#include <QAccessible>
#include <QApplication>
#include <QDebug>
#include <QFontDatabase>
#include <QIcon>
#include <QPixmap>
#include <QPixmapCache>
#include <QTemporaryFile>
#include <array>
#include <cstdio>
#include <thread>

#include "focus_outline.h"
#include "image_slot.h"
#include "qt_text.h"
#include "scaler.h"
#include "sheet_table.h"
#include "table_voice.h"
#include "texts.h"
#include "widgets.h"

namespace morvel {

namespace {

// The family name as the font file declares it.
QString LoadFont(const QString& path) {
    const int id = QFontDatabase::addApplicationFontFromData(ReadFile(path));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        qWarning() << "morvel: cannot load the font" << path;
        return {};
    }
    return families.first();
}

}  // namespace

bool UsableScaleFactors(const QString& value) {
    const QStringList factors = value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (factors.isEmpty()) return false;
    for (const QString& entry : factors) {
        bool ok = false;
        const double factor = entry.section(QLatin1Char('='), -1).trimmed().toDouble(&ok);
        if (!ok || !(factor > 0) || factor > Scaler::kLargestFactor) return false;
    }
    return true;
}

void DropUnusableScaleFactors() {
    for (const char* name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"}) {
        if (!qEnvironmentVariableIsSet(name)) continue;
        const QString value = qEnvironmentVariable(name);
        if (UsableScaleFactors(value)) continue;
        std::fprintf(stderr, "morvel: %s=%s cannot be drawn at; it is left out\n", name,
                     qPrintable(value));
        qunsetenv(name);
    }
}

void UseOffscreenScreen(QSize size) {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return;
    // The platform reads it when the application starts; it stays until the program ends.
    static QTemporaryFile screen;
    if (!screen.open()) return;
    screen.write(QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1,
                                   "height": %2, "logicalDpi": 96, "dpr": 1}]})")
                     .arg(size.width())
                     .arg(size.height())
                     .toUtf8());
    screen.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());
}

void SetUpApplication(QApplication& app) {
    // Plain ASCII: the window class (WM_CLASS) the menu entry names in StartupWMClass, so that
    // docks and task bars put the running game with its entry and icon. (Not the display name:
    // Qt would append that to every window caption.)
    QApplication::setApplicationName(QStringLiteral("Morvel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.morvel.morvel"));

    // The icon's pictures are decoded on a second thread while the fonts load.
    std::array<QImage, 2> iconImages;
    std::thread iconReader([&iconImages] {
        iconImages = {ReadPng(QStringLiteral(":/art/icon.png")),
                      ReadPng(QStringLiteral(":/art/icon-128.png"))};
    });
    // One font for the Latin and the Arabic of every caption (see tools/merge-fonts.sh).
    const QString family = LoadFont(QStringLiteral(":/fonts/MorvelSans-Regular.ttf"));
    LoadFont(QStringLiteral(":/fonts/MorvelSans-Bold.ttf"));
    // What a screen reader hears of the game's own controls.
    static bool accessible = false;
    if (!accessible) {
        accessible = true;
        QAccessible::installFactory(ImageSlotAccessible);
        QAccessible::installFactory(AnnouncementAccessible);
        QAccessible::installFactory(SheetTableAccessible);
    }
    // Radio buttons, icons and frames grow with the windows' factor, as their text does.
    if (qobject_cast<ScaledStyle*>(QApplication::style()) == nullptr)
        QApplication::setStyle(new ScaledStyle);

    // The style keeps pictures of its buttons, by size, and the side windows' buttons are large
    // when drawn large: a small cache serves as well.
    QPixmapCache::setCacheLimit(1024);  // kilobytes
    QFont font = QApplication::font();
    if (!family.isEmpty()) font.setFamilies({family});
    font.setPointSize(8);
    app.setFont(font);

    iconReader.join();
    QIcon icon;
    for (QImage& image : iconImages)
        icon.addPixmap(QPixmap::fromImage(std::move(image)));
    app.setWindowIcon(icon);
}

Windows::Windows(std::unique_ptr<QtHost> host)
    : host_(std::move(host)), game_(std::make_unique<Game>(*host_)) {
    form1_ = std::make_unique<TForm1>(*game_, pictures_);
    prefault_ = std::make_unique<SurfacePrefault>(*form1_);
    card_ = std::make_unique<Tcard>();
    pictures_.SetFaces(card_.get());
    form1_->SetMenuWindows({.result = Later<QDialog>(&Windows::Resultform),
                            .deckCard = Later<QDialog>(&Windows::Typecardform),
                            .lastShot = Later<QDialog>(&Windows::Lastform),
                            .about = Later<QDialog>(&Windows::Aboutform),
                            .help = Later<QDialog>(&Windows::Aboutmorvelform)});
    host_->Attach(*game_, *form1_,
                  {.name = Later<Tenterform>(&Windows::Enterform),
                   .choose = Later<Tchoosform>(&Windows::Choosform),
                   .all = Later<Tallform>(&Windows::Allform),
                   .sheet = Later<Tresultform>(&Windows::Resultform)});
}

// The faces on Tcard go before the pictures: none may be being made from them then.
Windows::~Windows() {
    pictures_.WaitForWork();
}

template <class Window, class... Arguments>
Window& Windows::Made(std::unique_ptr<Window>& window, Arguments&&... arguments) {
    if (!window) {
        window = std::make_unique<Window>(std::forward<Arguments>(arguments)...);
        Scaler::Of(window.get())->Follow(form1_->TableScaler());
        new CaptionStrip(window.get());
        new FocusOutline(window.get());
    }
    return *window;
}

Tchoosform& Windows::Choosform() {
    return Made(choosform_, *game_);
}

Tresultform& Windows::Resultform() {
    return Made(resultform_, *game_);
}

Tallform& Windows::Allform() {
    return Made(allform_, *game_);
}

Taboutform& Windows::Aboutform() {
    return Made(aboutform_);
}

Taboutmorvelform& Windows::Aboutmorvelform() {
    return Made(aboutmorvelform_);
}

Ttypecardform& Windows::Typecardform() {
    return Made(typecardform_, *game_, *form1_, pictures_);
}

Tenterform& Windows::Enterform() {
    if (!enterform_) {
        Made(enterform_, *game_);
        if (nameSuggestion_) enterform_->SetSuggestion(*nameSuggestion_);
    }
    return *enterform_;
}

void Windows::SuggestName(const QString& name) {
    nameSuggestion_ = name;
    if (enterform_) enterform_->SetSuggestion(name);
}

Tlastform& Windows::Lastform() {
    return Made(lastform_, *game_, pictures_, *host_);
}

}  // namespace morvel
