// The windows of the game with the engine behind them. The table window is made at once; every
// other window when it is first wanted (the first time it opens, or a test or tool asks for it),
// and it then lasts as long as the table. The program, the tests
// and the screenshot tool all build exactly this set.
#pragma once

#include <QSize>
#include <QString>
#include <memory>
#include <optional>

#include "about_windows.h"
#include "card_back_window.h"
#include "card_faces.h"
#include "choice_dialogs.h"
#include "game.h"
#include "last_window.h"
#include "name_dialog.h"
#include "pictures.h"
#include "qt_host.h"
#include "result_window.h"
#include "surface_prefault.h"
#include "table_window.h"

class QApplication;

namespace morvel {

// Whether Qt can draw at a scale factor given in QT_SCALE_FACTOR or QT_SCREEN_SCALE_FACTORS
// ("2", "1.5", "HDMI-1=2;DP-1=1"): each a number above 0 and no larger than 16.
bool UsableScaleFactors(const QString& value);
// Forgets a scale factor Qt cannot draw at (QT_SCALE_FACTOR=0 gives a screen of no size and a
// window far off it), saying so on standard error. Call before the application is created.
void DropUnusableScaleFactors();

// For tools and benchmarks: unless QT_QPA_PLATFORM names a platform, the off-screen one with a
// screen of `size`. Call before the application is created.
void UseOffscreenScreen(QSize size);

// Title, bundled fonts and icon of the application; call before creating the windows.
void SetUpApplication(QApplication& app);

class Windows {
  public:
    // A test or tool may pass a host of its own (a fixed clock, a name given at once).
    explicit Windows(std::unique_ptr<QtHost> host = std::make_unique<QtHost>());
    ~Windows();
    Windows(const Windows&) = delete;
    Windows& operator=(const Windows&) = delete;

    // Empty when every card face decoded; otherwise a message naming the broken file.
    const QString& StartupError() const { return card_->Error(); }

    QtHost& EngineHost() { return *host_; }
    Game& Engine() { return *game_; }
    const Pictures& Images() const { return pictures_; }
    TForm1& Form1() { return *form1_; }
    Tcard& Card() { return *card_; }
    Tchoosform& Choosform();
    Tresultform& Resultform();
    Tallform& Allform();
    Taboutform& Aboutform();
    Taboutmorvelform& Aboutmorvelform();
    Ttypecardform& Typecardform();
    Tlastform& Lastform();
    Tenterform& Enterform();
    // The name the player-name dialog offers, now or when it is made.
    void SuggestName(const QString& name);

  private:
    // Made now, the first time it is wanted: it takes the table's factor and its place by the
    // table when it shows, its own title strip, and a focus outline.
    template <class Window, class... Arguments>
    Window& Made(std::unique_ptr<Window>& window, Arguments&&... arguments);
    // A window of this set, seen as `Seen`, made when first wanted by its accessor.
    template <class Seen, class Window>
    Deferred<Seen> Later(Window& (Windows::*accessor)()) {
        return Deferred<Seen>([this, accessor]() -> Seen& { return (this->*accessor)(); });
    }

    // Declared first, destroyed last: every window refers to them.
    std::unique_ptr<QtHost> host_;
    std::unique_ptr<Game> game_;
    Pictures pictures_;

    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<SurfacePrefault> prefault_;  // the table's; gone before the table
    std::unique_ptr<Tcard> card_;
    std::unique_ptr<Tchoosform> choosform_;
    std::unique_ptr<Tresultform> resultform_;
    std::unique_ptr<Tallform> allform_;
    std::unique_ptr<Taboutform> aboutform_;
    std::unique_ptr<Taboutmorvelform> aboutmorvelform_;
    std::unique_ptr<Ttypecardform> typecardform_;
    std::unique_ptr<Tlastform> lastform_;
    std::unique_ptr<Tenterform> enterform_;
    std::optional<QString> nameSuggestion_;
};

}  // namespace morvel
