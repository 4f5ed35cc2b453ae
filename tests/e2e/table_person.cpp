#include "table_person.h"

#include <X11/keysym.h>

#include <algorithm>
#include <thread>

namespace morvel::e2e {

namespace {

// Pixels of the shared row of the person's hand slots: i52 whole, then the strip each lower slot
// shows to the left of the one above it.
std::vector<int> HandClickSpots() {
    std::vector<int> xs = {376 + 35};  // i52
    for (int k = 10; k >= 0; --k)
        xs.push_back(200 + 16 * k + 8);  // i51 .. i41
    xs.push_back(186 + 7);               // i40
    return xs;
}
constexpr int kHandClickTop = 328 + 41;

// A message box carries the application's name alone as its title.
bool IsMessageBoxTitle(std::string_view t) {
    constexpr std::string_view kLeftToRightMark = "\u200e";
    if (t.starts_with(kLeftToRightMark)) t.remove_prefix(kLeftToRightMark.size());
    while (t.ends_with(' '))
        t.remove_suffix(1);
    return t == "مورفل";
}

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
    return *dialog;
}

bool Person::NameDialogPainted(XWindow dialog) {
    const Box g = x_.Geometry(dialog);
    if (g.width < place::kNameOk.left + place::kNameOk.width) return false;
    const Rgb blue{0, 0, 255};
    const Shot shot = x_.Grab(g);
    const int right = g.left + g.width - 4;
    const int bottom = g.top + g.height - 4;
    const Box& edit = place::kNameEdit;
    const Box& ok = place::kNameOk;
    return shot.At(g.left + 3, g.top + 3) == blue && shot.At(right, bottom) == blue &&
           IsWhite(shot.At(g.left + edit.left + edit.width - 20, g.top + edit.CentreY())) &&
           !(shot.At(g.left + ok.left + ok.width - 8, g.top + ok.CentreY()) == blue);
}

void Person::TypeInto(XWindow window, std::string_view text, bool enter) {
    const Box g = x_.Geometry(window);
    x_.MovePointer(g.left + place::kNameEdit.CentreX(), g.top + place::kNameEdit.CentreY());
    x_.Focus(window);
    x_.Type(text);
    if (enter) x_.Key(XK_Return);
}

int Person::InkInNameField(XWindow dialog) {
    const Box g = x_.Geometry(dialog);
    return x_.Grab(place::kNameEdit.Moved(g.left, g.top)).Count([](Rgb p) {
        return p.r > 150 && p.g < 100 && p.b < 100;
    });
}

void Person::AnswerNameDialog(std::string_view name) {
    const XWindow dialog = WaitForNameDialog();
    if (!WaitFor([&] { return NameDialogPainted(dialog); }, Milliseconds(5000)))
        throw Failure("the player-name dialog was not drawn");
    const Box g = x_.Geometry(dialog);
    const Shot ok = x_.Grab(place::kNameOk.Moved(g.left, g.top));
    TypeInto(dialog, name, /*enter=*/true);
    WaitClosed(dialog, ok, "the player-name dialog, after the name \"" + std::string(name) + "\",");
}

void Person::FindTable() {
    std::optional<XWindow> window;
    if (!WaitFor([&] { return (window = x_.FindWindowTitled(title::kTable)).has_value(); },
                 Milliseconds(10000)))
        throw Failure("the table window is not on the screen");
    tableWindow_ = *window;
    const Box g = x_.Geometry(tableWindow_);
    if (g.width < 700 || g.height < 500)
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
    table_ = {g.left, top, g.width, g.top + g.height - top};

    // Panel1's left edge, read along a row through its middle, must be where the table puts it.
    const Box panel = OnTable(place::kPanel1);
    const Shot row = x_.Grab({panel.left - 20, panel.CentreY(), 40, 1});
    int edge = -1;
    for (int x = panel.left - 20; x < panel.left + 20 && edge < 0; ++x) {
        if (!IsGreen(row.At(x, panel.CentreY()))) edge = x;
    }
    if (edge < panel.left - 1 || edge > panel.left + 1)
        throw Failure("Panel1 should begin at x " + std::to_string(panel.left) + ", begins at " +
                      std::to_string(edge));
}

void Person::WaitDrawn(XWindow window, const Box& ok, std::string_view what) {
    // A window is on the screen before it has drawn itself, showing what lay there before. Its
    // OK button's light face (never pure white, unlike a card) tells it has been drawn.
    const int needed = ok.width * ok.height * 3 / 5;
    if (!WaitFor(
            [&] {
                const Box g = x_.Geometry(window);
                return x_.Grab(ok.Moved(g.left, g.top)).Count([](Rgb p) {
                    return std::min({p.r, p.g, p.b}) >= 200 && !(p == Rgb{255, 255, 255});
                }) > needed;
            },
            Milliseconds(5000)))
        throw Failure(std::string(what) + " was not drawn (no OK button to be seen)");
}

XWindow Person::PressForWindow(unsigned long keysym, std::string_view windowTitle, const Box& ok) {
    // Keyboard focus may still be on its way back from a window just closed: a key lost that way
    // is pressed again (a second press is harmless, a modal window would ignore it).
    for (int attempt = 1; attempt <= 3; ++attempt) {
        const Box spot = OnTable({place::kEmptySpots[2][0], place::kEmptySpots[2][1], 1, 1});
        x_.MovePointer(spot.left, spot.top);
        x_.Focus(tableWindow_);
        x_.Key(keysym);
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

void Person::ClickOk(XWindow window, const Box& ok, std::string_view what) {
    const Box g = x_.Geometry(window);
    const Shot button = x_.Grab(ok.Moved(g.left, g.top));
    x_.Click(g.left + ok.CentreX(), g.top + ok.CentreY());
    WaitClosed(window, button, what);
}

void Person::PressEnter(XWindow window, const Box& ok, std::string_view what) {
    const Box g = x_.Geometry(window);
    const Shot button = x_.Grab(ok.Moved(g.left, g.top));
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

Person::Deal Person::PlayDeal(const std::vector<int>& radios, Milliseconds timeout) {
    static const std::vector<int> kHandSpots = HandClickSpots();
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
        // The Choose button when the person chooses, Pass in a layout deal; either may be
        // hidden, and a pass that is not allowed is refused. Then the hand from the right: cards
        // that may not be laid, or clicks out of turn, only beep.
        const Box button = OnTable(place::kCgAndPassb);
        x_.Click(button.CentreX(), button.CentreY());
        for (int spot : kHandSpots)
            x_.Click(table_.left + spot, table_.top + kHandClickTop);
        ++deal.rounds;
        Pause(40);
    }
    throw Failure(
        "the deal did not end within " +
        std::to_string(std::chrono::duration_cast<std::chrono::seconds>(timeout).count()) + " s");
}

void Person::AnswerContractDialog(XWindow dialog, const std::vector<int>& radios) {
    const Box g = x_.Geometry(dialog);
    const bool fiveContracts = g.height > 180;  // Tchoosform; Tallform offers two
    const Box ok = fiveContracts ? kChooseOk : kAllOk;
    WaitDrawn(dialog, ok, "the contract dialog");
    for (int k : radios) {
        if (k < 1 || k > (fiveContracts ? 5 : 2)) continue;
        const Box radio = ChoiceRadio(fiveContracts, k);
        x_.Click(g.left + radio.left + radio.width - 8, g.top + radio.CentreY());
        Pause(20);
    }
    x_.Click(g.left + ok.CentreX(), g.top + ok.CentreY());
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
    const Shot marker = GrabTable(place::kPersonChooserMarker);
    return marker.Count([](Rgb p) { return !IsGreen(p); }) >
           place::kPersonChooserMarker.width * place::kPersonChooserMarker.height / 10;
}

bool Person::ChoiceButtonShown() {
    // At the start of a deal nothing else lies there: its middle is green unless a button is up.
    const Box middle = {place::kCgAndPassb.left + 12, place::kCgAndPassb.top + 4,
                        place::kCgAndPassb.width - 24, place::kCgAndPassb.height - 8};
    const int face = GrabTable(middle).Count([](Rgb p) { return !IsGreen(p); });
    return face > middle.width * middle.height * 4 / 5;
}

}  // namespace morvel::e2e
