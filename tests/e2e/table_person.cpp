#include "table_person.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <thread>

namespace morvel::e2e {

namespace {

// Designed pixels of the shared row of the person's hand slots: i52 whole, then the strip each
// lower slot shows to the left of the one above it.
std::vector<int> HandClickSpots() {
    std::vector<int> xs = {376 + 35};  // i52
    for (int k = 10; k >= 0; --k)
        xs.push_back(200 + 16 * k + 8);  // i51 .. i41
    xs.push_back(186 + 7);               // i40
    return xs;
}
constexpr int kHandClickTop = 328 + 41;

// The contract dialogs' radio buttons and OK, in client pixels. The caption stands left of the
// round button, so the button is at the right end of each radio's box.
Box ChoiceRadio(bool fiveContracts, int k) {
    if (fiveContracts) return {24, 8 + 32 * (k - 1), 190, 25};
    return k == 1 ? Box{24, 16, 181, 30} : Box{24, 56, 178, 30};
}
constexpr Box kChooseOk = {64, 168, 113, 41};
constexpr Box kAllOk = {48, 96, 137, 33};

void Pause(int milliseconds) {
    std::this_thread::sleep_for(Milliseconds(milliseconds));
}

}  // namespace

void Check(bool ok, const std::string& what) {
    if (!ok) throw Failure(what);
    Say("  ok: " + what);
}

bool IsMessageBoxTitle(std::string_view t) {
    constexpr std::string_view kLeftToRightMark = "\u200e";
    if (t.starts_with(kLeftToRightMark)) t.remove_prefix(kLeftToRightMark.size());
    while (t.ends_with(' '))
        t.remove_suffix(1);
    return t == "مورفل";
}

Box Scaled(const Box& box, double factor, double x, double y) {
    const auto edge = [factor](double origin, int designed) {
        return static_cast<int>(std::lround(origin + designed * factor));
    };
    const int left = edge(x, box.left);
    const int top = edge(y, box.top);
    return {left, top, edge(x, box.left + box.width) - left, edge(y, box.top + box.height) - top};
}

Box ScaledBelowCaption(const Box& box, double factor, double x, double y) {
    return Scaled(box, factor, x, y + std::lround(place::kCaptionHeight * factor));
}

double FitFactor(int width, int height, const Box& room) {
    if (room.width <= 0 || room.height <= 0) return 1;
    const double factor = std::min(static_cast<double>(room.width) / width,
                                   static_cast<double>(room.height) / height);
    return std::clamp(factor, 1.0, 16.0);
}

Box Person::OnTable(const Box& box) const {
    return Scaled(box, factor_, table_.left + offsetX_, table_.top + offsetY_);
}

Box Person::InWindow(XWindow window, const Box& box) {
    const Box g = x_.Geometry(window);
    return ScaledBelowCaption(box, factor_, g.left, g.top);
}

bool IsGreen(Rgb p) {
    return p == kTableGreen;
}

bool IsWhite(Rgb p) {
    return p.r > 230 && p.g > 230 && p.b > 230;
}

XWindow Person::WaitForNameDialog(Milliseconds timeout) {
    std::optional<XWindow> dialog;
    if (!WaitFor([&] { return (dialog = x_.FindWindowTitled(title::kName)).has_value(); }, timeout))
        throw Failure("the player-name dialog did not open");
    if (tableWindow_ == 0) {
        // Drawn before the table: its width tells the factor (up to half a pixel).
        WaitFor([&] { return x_.Geometry(*dialog).width >= place::kNameDialogWidth; },
                Milliseconds(2000));
        factor_ = std::max(
            1.0, static_cast<double>(x_.Geometry(*dialog).width) / place::kNameDialogWidth);
    }
    return *dialog;
}

bool Person::NameDialogPainted(XWindow dialog) {
    const Box g = x_.Geometry(dialog);
    if (g.width < place::kNameDialogWidth) return false;
    if (tableWindow_ == 0) factor_ = static_cast<double>(g.width) / place::kNameDialogWidth;
    const Rgb blue{0, 0, 255};
    const int right = g.left + g.width - 4;
    const int bottom = g.top + g.height - 4;
    const Box edit = InWindow(dialog, place::kNameEdit);
    const Box ok = InWindow(dialog, place::kNameOk);
    const int top = g.top + static_cast<int>(std::lround(place::kCaptionHeight * factor_));
    // Four pixels, not the window: the start-up benchmark polls this.
    return x_.Pixel(g.left + 3, top + 3) == blue && x_.Pixel(right, bottom) == blue &&
           IsWhite(
               x_.Pixel(edit.left + edit.width - static_cast<int>(20 * factor_), edit.CentreY())) &&
           !(x_.Pixel(ok.left + ok.width - static_cast<int>(8 * factor_), ok.CentreY()) == blue);
}

void Person::TypeInto(XWindow window, std::string_view text, bool enter) {
    const Box edit = InWindow(window, place::kNameEdit);
    x_.MovePointer(edit.CentreX(), edit.CentreY());
    x_.Focus(window);
    x_.Type(text);
    if (enter) x_.Key(XK_Return);
}

int Person::InkInNameField(XWindow dialog) {
    return x_.Grab(InWindow(dialog, place::kNameEdit)).Count([](Rgb p) {
        return p.r > 150 && p.g < 100 && p.b < 100;
    });
}

void Person::AnswerNameDialog(std::string_view name) {
    const XWindow dialog = WaitForNameDialog();
    if (!WaitFor([&] { return NameDialogPainted(dialog); }, Milliseconds(5000)))
        throw Failure("the player-name dialog was not drawn");
    const Shot ok = x_.Grab(InWindow(dialog, place::kNameOk));
    TypeInto(dialog, name, /*enter=*/true);
    WaitClosed(dialog, ok, "the player-name dialog, after the name \"" + std::string(name) + "\",");
}

void Person::FindTable() {
    std::optional<XWindow> window;
    if (!WaitFor([&] { return (window = x_.FindWindowTitled(title::kTable)).has_value(); },
                 Milliseconds(10000)))
        throw Failure("the table window is not on the screen");
    const Box g = x_.Geometry(*window);
    if (g.width < place::kTableWidth || g.height < place::kTableHeight)
        throw Failure("the table window is only " + std::to_string(g.width) + "x" +
                      std::to_string(g.height));

    // The menu bar lies above the table: the first green row far right of every control is the
    // table's top.
    const int column = g.left + g.width - 40;
    int top = -1;
    WaitFor(
        [&] {
            const Shot strip = x_.Grab({column, g.top, 1, 120});
            for (int y = g.top; y < g.top + 120; ++y) {
                if (IsGreen(strip.At(column, y))) {
                    top = y;
                    return true;
                }
            }
            return false;
        },
        Milliseconds(10000));
    if (top < 0) throw Failure("no green table below the menu bar");
    tableWindow_ = *window;
    table_ = {g.left, top, g.width, g.top + g.height - top};
    factor_ = FitFactor(place::kTableWidth, place::kTableHeight, table_);
    offsetX_ = std::max(0.0, (table_.width - place::kTableWidth * factor_) / 2);
    offsetY_ = std::max(0.0, (table_.height - place::kTableHeight * factor_) / 2);

    // Panel1's left edge, read along a row through its middle, must be where the table puts it.
    const Box panel = OnTable(place::kPanel1);
    int edge = -1;
    WaitFor(
        [&] {
            const Shot row = x_.Grab({panel.left - 20, panel.CentreY(), 40, 1});
            for (int x = panel.left - 20; x < panel.left + 20 && edge < 0; ++x) {
                if (!IsGreen(row.At(x, panel.CentreY()))) edge = x;
            }
            return edge >= 0;
        },
        Milliseconds(3000));
    if (edge < panel.left - 1 || edge > panel.left + 1)
        throw Failure("Panel1 should begin at x " + std::to_string(panel.left) + ", begins at " +
                      std::to_string(edge));
}

void Person::WaitDrawn(XWindow window, const Box& ok, std::string_view what) {
    // A window is on the screen before it has drawn itself, showing what lay there before. Its
    // OK button's light face (never pure white, unlike a card) tells it has been drawn.
    if (!WaitFor(
            [&] {
                const Box button = InWindow(window, ok);
                return x_.Grab(button).Count([](Rgb p) {
                    return std::min({p.r, p.g, p.b}) >= 200 && !(p == Rgb{255, 255, 255});
                }) > button.width * button.height * 3 / 5;
            },
            Milliseconds(5000)))
        throw Failure(std::string(what) + " was not drawn (no OK button to be seen)");
}

void Person::PressOnTable(unsigned long keysym, unsigned long modifier) {
    // As a person would: a click on the bare table first brings the window to the front.
    const Box spot = OnTable({place::kEmptySpots[2][0], place::kEmptySpots[2][1], 1, 1});
    x_.Click(spot.left, spot.top);
    x_.Focus(tableWindow_);
    Pause(100);
    if (modifier != 0) {
        x_.Chord(modifier, keysym);
    } else {
        x_.Key(keysym);
    }
}

XWindow Person::PressForWindow(unsigned long keysym, std::string_view windowTitle, const Box& ok) {
    // Keyboard focus may still be on its way back from a window just closed: a key lost that way
    // is pressed again (a second press is harmless, a modal window would ignore it).
    for (int attempt = 1; attempt <= 3; ++attempt) {
        PressOnTable(keysym);
        std::optional<XWindow> window;
        if (WaitFor([&] { return (window = x_.FindWindowTitled(windowTitle)).has_value(); },
                    Milliseconds(4000))) {
            WaitDrawn(*window, ok, "\"" + std::string(windowTitle) + "\"");
            return *window;
        }
        Say("  (no window yet, pressing the key again)");
    }
    throw Failure("the key did not open \"" + std::string(windowTitle) + "\"");
}

std::optional<XWindow> Person::NewGameQuestion() {
    return x_.FindWindow(IsMessageBoxTitle);
}

bool Person::PressForNewGame(unsigned long keysym) {
    for (int attempt = 1; attempt <= 3; ++attempt) {
        PressOnTable(keysym);
        std::optional<XWindow> question;
        if (!WaitFor(
                [&] {
                    question = NewGameQuestion();
                    return question || x_.FindWindowTitled(title::kName);
                },
                Milliseconds(4000))) {
            Say("  (no window yet, pressing the key again)");
            continue;
        }
        if (question) {
            // "Yes" by its letter, as a person at the keyboard would.
            x_.Focus(*question);
            x_.Key(XK_y);
            if (!WaitFor([&] { return !x_.Shown(*question); }, Milliseconds(4000)))
                throw Failure("the new-game question did not take \"Yes\"");
        }
        WaitForNameDialog();
        return question.has_value();
    }
    throw Failure("the key did not start a new game");
}

void Person::TurnOffThePause() {
    x_.Focus(tableWindow_);
    x_.Key(XK_o, XK_Alt_L);
    Pause(300);
    x_.Key(XK_p);
    Pause(200);
}

void Person::ClickOk(XWindow window, const Box& ok, std::string_view what) {
    const Box place = InWindow(window, ok);
    const Shot button = x_.Grab(place);
    x_.Click(place.CentreX(), place.CentreY());
    WaitClosed(window, button, what);
}

void Person::PressEnter(XWindow window, const Box& ok, std::string_view what) {
    const Box g = x_.Geometry(window);
    const Shot button = x_.Grab(InWindow(window, ok));
    x_.MovePointer(g.CentreX(), g.CentreY());
    x_.Focus(window);
    x_.Key(XK_Return);
    WaitClosed(window, button, what);
}

void Person::WaitClosed(XWindow window, const Shot& okButton, std::string_view what) {
    if (!WaitFor([&] { return !x_.Shown(window); }, Milliseconds(5000)))
        throw Failure(std::string(what) + " is still open");
    // Until the table has drawn itself again there, the screen still shows the window, and what
    // the next step reads must be the table. The OK button's place tells: no place of the table
    // looks like that button there.
    const Box& area = okButton.Area();
    if (!WaitFor(
            [&] { return x_.Grab(area).CountDifferent(okButton) > area.width * area.height / 2; },
            Milliseconds(5000)))
        throw Failure("the table was not drawn again where " + std::string(what) + " stood");
}

void Person::ClickPass() {
    static const std::vector<int> kHandSpots = HandClickSpots();
    // The Choose button when the person chooses, Pass in a layout deal; either may be hidden,
    // and a pass that is not allowed is refused. Then the hand from the right: cards that may not
    // be laid, or clicks out of turn, only beep.
    const Box button = OnTable(place::kCgAndPassb);
    x_.Click(button.CentreX(), button.CentreY());
    for (int spot : kHandSpots) {
        const Box at = OnTable({spot, kHandClickTop, 1, 1});
        x_.Click(at.left, at.top);
    }
}

void Person::PlayFor(int passes) {
    for (int pass = 0; pass < passes; ++pass) {
        if (std::optional<XWindow> sheet = x_.FindWindowTitled(title::kResults)) {
            WaitDrawn(*sheet, place::kSheetOk, "the result sheet");
            ClickOk(*sheet, place::kSheetOk, "the result sheet");
        } else if (std::optional<XWindow> dialog = x_.FindWindowTitled(title::kChoice)) {
            AnswerContractDialog(*dialog, {5, 4, 3, 2, 1});
        } else {
            ClickPass();
        }
        Pause(40);
    }
}

Person::Deal Person::PlayDeal(const std::vector<int>& radios, Milliseconds timeout) {
    Deal deal;
    const Clock::time_point end = Clock::now() + timeout;
    while (Clock::now() < end) {
        if (std::optional<XWindow> sheet = x_.FindWindowTitled(title::kResults)) {
            WaitDrawn(*sheet, place::kSheetOk, "the result sheet");
            deal.sheet = *sheet;
            return deal;
        }
        if (std::optional<XWindow> dialog = x_.FindWindowTitled(title::kChoice)) {
            deal.dialog = x_.Geometry(*dialog);
            AnswerContractDialog(*dialog, radios);
            ++deal.choices;
            continue;
        }
        if (x_.FindWindow(IsMessageBoxTitle))
            throw Failure("a message box came up while the person played");
        ClickPass();
        ++deal.rounds;
        Pause(40);
    }
    throw Failure(
        "the deal did not end within " +
        std::to_string(std::chrono::duration_cast<std::chrono::seconds>(timeout).count()) + " s");
}

void Person::AnswerContractDialog(XWindow dialog, const std::vector<int>& radios) {
    const bool fiveContracts = x_.Geometry(dialog).height > 180 * factor_;  // Tchoosform
    const Box ok = fiveContracts ? kChooseOk : kAllOk;
    WaitDrawn(dialog, ok, "the contract dialog");
    for (int k : radios) {
        if (k < 1 || k > (fiveContracts ? 5 : 2)) continue;
        const Box radio = InWindow(dialog, ChoiceRadio(fiveContracts, k));
        x_.Click(radio.left + radio.width - static_cast<int>(8 * factor_), radio.CentreY());
        Pause(20);
    }
    const Box okButton = InWindow(dialog, ok);
    x_.Click(okButton.CentreX(), okButton.CentreY());
    if (WaitFor([&] { return !x_.Shown(dialog); }, Milliseconds(4000))) return;
    if (x_.FindWindow(IsMessageBoxTitle))
        throw Failure("the contract dialog asked for a choice: the radio button click was lost");
    throw Failure("the contract dialog stayed open after a choice and OK");
}

bool Person::TableAtRest(Milliseconds quiet, Milliseconds timeout) {
    const Box area = OnTable({0, 0, 640, 420});
    std::optional<Shot> last;
    Clock::time_point since = Clock::now();
    return WaitFor(
        [&] {
            Shot now = x_.Grab(area);
            if (!last || !(*last == now)) {
                last = std::move(now);
                since = Clock::now();
                return false;
            }
            return Clock::now() - since >= quiet;
        },
        timeout, Milliseconds(50));
}

bool Person::PersonIsChooser() {
    const Box marker = OnTable(place::kPersonChooserMarker);
    return x_.Grab(marker).Count([](Rgb p) { return !IsGreen(p); }) >
           marker.width * marker.height / 10;
}

bool Person::ChoiceButtonShown() {
    // At the start of a deal nothing else lies there: its middle is green unless a button is up.
    const Box middle = OnTable({place::kCgAndPassb.left + 12, place::kCgAndPassb.top + 4,
                                place::kCgAndPassb.width - 24, place::kCgAndPassb.height - 8});
    const int face = x_.Grab(middle).Count([](Rgb p) { return !IsGreen(p); });
    return face > middle.width * middle.height * 4 / 5;
}

void WritePpm(const Shot& shot, const char* path) {
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return;
    const Box& box = shot.Area();
    std::fprintf(file, "P6\n%d %d\n255\n", box.width, box.height);
    for (int y = box.top; y < box.top + box.height; ++y) {
        for (int x = box.left; x < box.left + box.width; ++x) {
            const Rgb p = shot.At(x, y);
            const unsigned char rgb[3] = {p.r, p.g, p.b};
            std::fwrite(rgb, 1, 3, file);
        }
    }
    std::fclose(file);
}

void ReportFailure(const Failure& failure, const XServer& server, XScreen& x,
                   std::optional<Child>& program, const char* shotPath) {
    std::printf("FAILED: %s\n", failure.what());
    if (program && !program->Running()) std::printf("  (the program is no longer running)\n");
    std::printf("  windows on the screen:\n");
    for (const std::string& t : x.ShownTitles())
        std::printf("    \"%s\"\n", t.c_str());
    WritePpm(x.Grab({0, 0, server.Width(), server.Height()}), shotPath);
    std::printf("  the screen is in %s\n", shotPath);
}

int RunEndToEnd(int argc, char** argv, unsigned limitSeconds, const char* failureShot,
                const EndToEndBody& body) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PATH-TO-MORVEL\n", argv[0]);
        return 2;
    }
    int status = 0;
    std::optional<XServer> server = StartRun(limitSeconds, &status);
    if (!server) return status;
    Say("Xvfb on " + server->Name());
    XScreen x(server->Name());
    if (!x.Connected()) {
        std::printf("FAILED: cannot connect to %s with XTest\n", server->Name().c_str());
        return 1;
    }
    std::optional<Child> program;
    try {
        body(*server, x, argv[1], program);
    } catch (const Failure& failure) {
        ReportFailure(failure, *server, x, program, failureShot);
        return 1;
    }
    if (program) program->Stop();
    Say("passed");
    return 0;
}

}  // namespace morvel::e2e
