// The program on a desktop: a private X server with a window manager (openbox), the program
// started as a person's menu would start it, and what the window manager and the dock see of it.
//   - no side window gets a frame from the window manager (whose title bar would carry
//     minimise, maximise and close buttons, which openbox shows whatever a window asks for):
//     each draws its own title strip, seen on the screen, and moves when the strip is dragged;
//   - the windows' class is the one the menu entry names (StartupWMClass), so that a dock puts
//     the running game with its entry;
//   - F10 closes the table and the process ends at once.
//
//   morvel_desktop_tests PATH-TO-MORVEL PATH-TO-DESKTOP-FILE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <thread>

#include "table_person.h"

using namespace morvel::e2e;

namespace {

constexpr unsigned kRunLimit = 120;  // seconds for the whole run, under ctest's own limit
constexpr Milliseconds kExitLimit(100);

// What the window manager and the program write on windows, read over a connection of our own.
class Properties {
  public:
    explicit Properties(const std::string& display) : display_(XOpenDisplay(display.c_str())) {}
    ~Properties() {
        if (display_ != nullptr) XCloseDisplay(display_);
    }
    Properties(const Properties&) = delete;
    Properties& operator=(const Properties&) = delete;
    bool Connected() const { return display_ != nullptr; }

    // 32-bit items of a property (CARDINAL, ATOM, WINDOW or the Motif hints); empty when unset.
    std::vector<unsigned long> Items(XWindow window, const char* name) {
        std::vector<unsigned long> items;
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display_, window, XInternAtom(display_, name, False), 0, 1024, False,
                               AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
            data != nullptr) {
            if (format == 32) {
                const auto* values = reinterpret_cast<const unsigned long*>(data);
                items.assign(values, values + count);
            }
            XFree(data);
        }
        return items;
    }

    std::string Title(XWindow window) {
        std::string title;
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display_, window, XInternAtom(display_, "_NET_WM_NAME", False), 0,
                               1024, False, XInternAtom(display_, "UTF8_STRING", False), &type,
                               &format, &count, &after, &data) == Success &&
            data != nullptr) {
            title.assign(reinterpret_cast<const char*>(data), count);
            XFree(data);
        }
        return title;
    }

    // WM_CLASS: instance and class.
    std::pair<std::string, std::string> Class(XWindow window) {
        XClassHint hint{};
        if (!XGetClassHint(display_, window, &hint)) return {};
        std::pair<std::string, std::string> names(hint.res_name ? hint.res_name : "",
                                                  hint.res_class ? hint.res_class : "");
        XFree(hint.res_name);
        XFree(hint.res_class);
        return names;
    }

    bool Viewable(XWindow window) {
        XWindowAttributes attributes;
        return XGetWindowAttributes(display_, window, &attributes) &&
               attributes.map_state == IsViewable;
    }

    // A window the window manager manages, shown, whose title holds `part`.
    std::optional<XWindow> Managed(std::string_view part) {
        for (const unsigned long window : Items(DefaultRootWindow(display_), "_NET_CLIENT_LIST")) {
            if (Viewable(window) && Title(window).find(part) != std::string::npos) return window;
        }
        return std::nullopt;
    }

    XWindow WaitManaged(std::string_view part, Milliseconds timeout = Milliseconds(30000)) {
        std::optional<XWindow> found;
        if (!WaitFor([&] { return (found = Managed(part)).has_value(); }, timeout))
            throw Failure("no window titled \"" + std::string(part) + "\" came up");
        return *found;
    }

    // Whether openbox has finished starting: the client list is the last thing it sets up, and a
    // window mapped before that could stay unmanaged.
    bool WindowManagerReady() {
        Atom type = 0;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        XGetWindowProperty(display_, DefaultRootWindow(display_),
                           XInternAtom(display_, "_NET_CLIENT_LIST", False), 0, 0, False,
                           AnyPropertyType, &type, &format, &count, &after, &data);
        if (data != nullptr) XFree(data);
        return type != 0;
    }

    // The titles of the managed windows, for a failure's report.
    std::vector<std::string> ManagedTitles() {
        std::vector<std::string> titles;
        for (const unsigned long window : Items(DefaultRootWindow(display_), "_NET_CLIENT_LIST"))
            titles.push_back(Title(window) + (Viewable(window) ? "" : " (hidden)"));
        return titles;
    }

  private:
    Display* display_;
};

// A side window as the screen shows it under the window manager: no frame around it, so no title
// bar of the window manager's and none of its buttons; its own title strip across its top, the
// caption's blue with white letters, and at its right end, where a title bar's buttons would
// be, nothing but the strip's blue. With `drag`, dragging the strip moves the window.
void OwnTitleBarOnly(XScreen& x, Properties& p, XWindow window, double factor, bool drag,
                     const std::string& what) {
    const std::vector<unsigned long> frame = p.Items(window, "_NET_FRAME_EXTENTS");
    std::string extents;
    for (const unsigned long side : frame)
        extents += " " + std::to_string(side);
    Check(
        frame.size() == 4 && std::all_of(frame.begin(), frame.end(), [](auto s) { return s == 0; }),
        what + " has no frame from the window manager (extents:" + extents + ")");
    const int strip = static_cast<int>(std::lround(place::kCaptionHeight * factor));
    const auto blue = [](Rgb c) { return c.b > c.r + 40 && c.b > c.g + 20; };
    const int corner = strip * 3 / 2;  // where a title bar has its buttons
    std::string seen;
    const auto drawn = [&] {
        const Box g = x.Geometry(window);
        const Shot top = x.Grab({g.left, g.top, g.width, strip});
        const Shot end = x.Grab({g.left + g.width - corner, g.top, corner, strip});
        const int blueTop = top.Count(blue), white = top.Count(IsWhite), blueEnd = end.Count(blue);
        seen = std::to_string(blueTop) + " of " + std::to_string(g.width * strip) +
               " pixels blue, " + std::to_string(white) + " white; at its right end " +
               std::to_string(blueEnd) + " of " + std::to_string(corner * strip) + " blue";
        return blueTop > g.width * strip * 6 / 10 && white > 20 && blueEnd == corner * strip;
    };
    const bool stripDrawn = WaitFor(drawn, Milliseconds(5000));
    Check(stripDrawn, what + " draws its own title strip, without buttons (" + seen + ")");
    if (!drag) return;
    // The window follows the table while the table settles its scale: it must stand still first.
    Box g = x.Geometry(window);
    WaitFor(
        [&] {
            std::this_thread::sleep_for(Milliseconds(200));
            const Box now = x.Geometry(window);
            const bool still = now.left == g.left && now.top == g.top;
            g = now;
            return still;
        },
        Milliseconds(3000));
    const int fromX = g.left + g.width / 3, fromY = g.top + strip / 2;
    x.Drag(fromX, fromY, fromX + 60, fromY + 40);
    Box moved{};
    const bool followed = WaitFor(
        [&] {
            moved = x.Geometry(window);
            return std::abs(moved.left - g.left - 60) <= 2 && std::abs(moved.top - g.top - 40) <= 2;
        },
        Milliseconds(3000));
    Check(followed, what + " moves by its title strip (from " + std::to_string(g.left) + "," +
                        std::to_string(g.top) + " to " + std::to_string(moved.left) + "," +
                        std::to_string(moved.top) + ")");
}

// StartupWMClass of the menu entry.
std::string StartupWMClass(const char* desktopFile) {
    std::ifstream file(desktopFile);
    std::string line;
    const std::string key = "StartupWMClass=";
    while (std::getline(file, line)) {
        if (line.compare(0, key.size(), key) == 0) return line.substr(key.size());
    }
    return {};
}

// `ok` is where the button lies in the window's design; the window is drawn at `factor`.
void ClickOk(XScreen& x, Properties& p, XWindow window, const Box& ok, double factor,
             const std::string& what) {
    const Box at = x.Geometry(window);
    const Box button = ScaledBelowCaption(ok, factor, at.left, at.top);
    x.Click(button.CentreX(), button.CentreY());
    Check(WaitFor([&] { return !p.Viewable(window); }, Milliseconds(5000)),
          what + " closes by its OK button");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PATH-TO-MORVEL PATH-TO-DESKTOP-FILE\n", argv[0]);
        return 2;
    }
    int status = 0;
    std::optional<XServer> server = StartRun(kRunLimit, &status);
    if (!server) return status;
    XScreen x(server->Name());
    Properties p(server->Name());
    if (!x.Connected() || !p.Connected()) {
        std::printf("FAILED: cannot connect to %s\n", server->Name().c_str());
        return 1;
    }
    Say("Xvfb on " + server->Name() + ", starting openbox");
    std::optional<Child> openbox = Child::Start({"openbox", "--sm-disable"}, {},
                                                {"DISPLAY=" + server->Name()}, /*quiet=*/true);
    if (!openbox || !WaitFor([&] { return p.WindowManagerReady(); }, Milliseconds(10000))) {
        std::printf("FAILED: openbox did not come up\n");
        return 1;
    }
    Say("starting " + std::string(argv[1]));
    std::optional<Child> morvel = server->StartProgram({argv[1]});
    if (!morvel) {
        std::printf("FAILED: cannot start %s\n", argv[1]);
        return 1;
    }

    try {
        Say("the player-name dialog under the window manager");
        const XWindow dialog = p.WaitManaged(title::kName);
        // The side windows are drawn at the table's factor; the name dialog's width tells it.
        const double factor =
            std::max(1.0, static_cast<double>(x.Geometry(dialog).width) / place::kNameDialogWidth);
        OwnTitleBarOnly(x, p, dialog, factor, /*drag=*/true, "the player-name dialog");
        const std::string wmClass = StartupWMClass(argv[2]);
        const auto [instance, windowClass] = p.Class(dialog);
        Check(!wmClass.empty() && windowClass == wmClass && instance == "morvel",
              "its window class is (\"" + instance + "\", \"" + windowClass +
                  "\"): the menu entry's StartupWMClass is \"" + wmClass + "\"");
        x.Focus(dialog);
        x.Type("tester");
        x.Key(XK_Return);
        Check(WaitFor([&] { return !p.Viewable(dialog); }, Milliseconds(5000)),
              "a name and Enter close the dialog");

        const XWindow table = p.WaitManaged(title::kTable);
        Check(p.Class(table).second == wmClass, "the table has the same window class");

        struct Side {
            unsigned long key;
            std::string_view title;
            Box ok;
        };
        for (const Side& side : {Side{XK_F1, title::kHelp, place::kHelpOk},
                                 Side{XK_F4, title::kResults, place::kSheetOk},
                                 Side{XK_F5, title::kDeckCard, place::kDeckCardOk},
                                 Side{XK_F6, title::kLastShot, place::kLastShotOk}}) {
            const std::string what = "\"" + std::string(side.title) + "\"";
            Say(what);
            x.Focus(table);
            x.Key(side.key);
            const XWindow window = p.WaitManaged(side.title);
            OwnTitleBarOnly(x, p, window, factor, /*drag=*/false, what);
            ClickOk(x, p, window, side.ok, factor, what);
        }

        Say("F10");
        x.Focus(table);
        x.Key(XK_F10);
        Check(WaitFor([&] { return !p.Viewable(table); }, Milliseconds(5000), Milliseconds(1)),
              "F10 closes the table");
        const Clock::time_point gone = Clock::now();
        WaitFor([&] { return !morvel->Running(); }, Milliseconds(5000), Milliseconds(1));
        const auto after = std::chrono::duration_cast<Milliseconds>(Clock::now() - gone).count();
        Check(!morvel->Running() && after < kExitLimit.count(),
              "the process ends " + std::to_string(after) + " ms after the table is gone (under " +
                  std::to_string(kExitLimit.count()) + ")");
    } catch (const Failure& failure) {
        std::printf("FAILED: %s\n", failure.what());
        if (!morvel->Running()) std::printf("  (the program is no longer running)\n");
        std::printf("  windows the window manager manages:\n");
        for (const std::string& t : p.ManagedTitles())
            std::printf("    \"%s\"\n", t.c_str());
        std::printf("  windows on the screen without it:\n");
        for (const std::string& t : x.ShownTitles())
            std::printf("    \"%s\"\n", t.c_str());
        return 1;
    }
    Say("passed");
    return 0;
}
