// The real program on a private X server, used the way a person uses it: the player-name dialog,
// the table drawn as large as the screen allows, the mode keys, the windows of the menu keys, and
// whole deals played by clicks (the person's All Game and layout deals in Complex mode, one deal
// in Normal mode) on a 1280 x 800 screen; then the table on a 1920 x 1080 screen, where a click on
// a card plays it and, when the person's turn comes again, Enter plays the card in the focus ring;
// and a start with a scale factor Qt cannot draw at.
// Every step is printed, so a failure in CI shows how far the run got. The table of each screen
// is left in e2e-table-WxH.ppm next to the test, and a failure leaves the screen in
// e2e-failure.ppm.
//
//   morvel_e2e_tests PATH-TO-MORVEL
#include <X11/keysym.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <thread>

#include "table_person.h"

using namespace morvel::e2e;

namespace {

constexpr unsigned kRunLimit = 240;  // seconds for the whole run, under ctest's own limit

std::string At(int x, int y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

// A window's size is its design times the table's factor.
bool ScaledSize(const Box& g, int width, int height, double factor) {
    return std::abs(g.width - width * factor) <= 1 && std::abs(g.height - height * factor) <= 1;
}

// Whether a side window at `g` has its designed area (below its title strip) at `at`, or as near
// as the screen allows: a strip that would reach above the screen's top is moved onto it.
bool DesignedAreaAt(const Box& g, const Box& at, double factor) {
    const int strip = static_cast<int>(std::lround(place::kCaptionHeight * factor));
    return g.left == at.left && (g.top + strip == at.top || (g.top == 0 && at.top < strip));
}

std::string Size(const Box& g) {
    return std::to_string(g.width) + "x" + std::to_string(g.height);
}

void NameDialog(XScreen& x, Person& person) {
    Say("start-up: waiting for the player-name dialog");
    const XWindow dialog = person.WaitForNameDialog();
    Check(WaitFor([&] { return person.NameDialogPainted(dialog); }, Milliseconds(5000)),
          "the player-name dialog is drawn (blue, its field and its button)");
    const Box g = x.Geometry(dialog);
    Check(ScaledSize(g, 307, 111 + place::kCaptionHeight, person.Factor()),
          "the dialog is 307x111 and its title strip drawn larger; seen " + Size(g));

    Say("typing \"vesk\" over the suggestion, then Enter");
    person.TypeInto(dialog, "vesk", /*enter=*/false);
    Check(WaitFor([&] { return person.InkInNameField(dialog) > 30; }, Milliseconds(3000)),
          "the typed name shows red in the field");
    x.Key(XK_Return);
    Check(WaitFor([&] { return person.InkInNameField(dialog) < 5; }, Milliseconds(3000)),
          "a computer player's name is refused: the field is emptied");
    std::this_thread::sleep_for(Milliseconds(300));
    Check(x.Shown(dialog), "and the dialog stays open");

    Say("typing \"tester\", then Enter");
    person.AnswerNameDialog("tester");
    Say("  ok: an own name closes the dialog");
}

void HandFaceUp(Person& person, const std::string& when) {
    const Box box = person.OnTable(place::kHand);
    const int area = box.width * box.height;
    Check(WaitFor(
              [&] {
                  const Shot hand = person.GrabTable(place::kHand);
                  return hand.Count([](Rgb p) { return !IsGreen(p); }) > area * 9 / 10 &&
                         hand.Count(IsWhite) > area / 4;
              },
              Milliseconds(5000)),
          "the person's hand lies face up at i40..i52 " + when);
}

// The table fills its window: its right edge in the last 5 % of the width, or its bottom edge in
// the last 5 % of the height. Both are told from the pixels of Panel1, the table's right-most
// and lowest control, and the table's design.
void TableFillsTheWindow(XScreen& x, Person& person, const std::string& screen) {
    const Box& t = person.Table();
    const Box panel = person.OnTable(place::kPanel1Seen);
    // Panel1's edges, from the green around it.
    const Shot row = x.Grab({t.left, panel.CentreY(), t.width, 1});
    int left = -1;
    int right = -1;
    for (int px = panel.left - 10; px < panel.left + panel.width + 10; ++px) {
        if (IsGreen(row.At(px, panel.CentreY()))) continue;
        if (left < 0) left = px;
        right = px;
    }
    const Shot column = x.Grab({panel.CentreX(), t.top, 1, t.height});
    int top = -1;
    for (int py = panel.top - 10; py < panel.top + 10 && top < 0; ++py) {
        if (!IsGreen(column.At(panel.CentreX(), py))) top = py;
    }
    Check(left >= 0 && top >= 0, "Panel1 is drawn on the table");
    const double factor = static_cast<double>(right - left + 1) / place::kPanel1.width;
    const double tableRight = left + (place::kTableWidth - place::kPanel1.left) * factor;
    const double tableBottom = top + (place::kTableHeight - place::kPanel1.top) * factor;
    const bool wide = tableRight >= t.left + t.width * 0.95;
    const bool high = tableBottom >= t.top + t.height * 0.95;
    Check(wide || high, "on " + screen + " the table fills its window: right edge at " +
                            std::to_string(static_cast<int>(tableRight - t.left)) + " of " +
                            std::to_string(t.width) + ", bottom edge at " +
                            std::to_string(static_cast<int>(tableBottom - t.top)) + " of " +
                            std::to_string(t.height) + " (factor " +
                            std::to_string(factor).substr(0, 4) + ")");
    Check(factor > 1.2, "the table is drawn larger than designed");
}

// The person's hand where the scaled table puts it, and nothing of it beyond (the ring around a
// focused card stands a few pixels further out).
void HandAtItsPlace(XScreen& x, Person& person) {
    const Box hand = person.OnTable(place::kHand);
    const Box left = person.OnTable({place::kHand.left - 14, place::kHand.top + 10, 6, 40});
    const Box below = person.OnTable({place::kHand.left + 20, place::kHand.top + 88, 200, 4});
    Check(x.Grab(left).Count(IsGreen) == left.width * left.height &&
              x.Grab(below).Count(IsGreen) == below.width * below.height,
          "the hand stands at " + At(hand.left, hand.top) + ", " + Size(hand) +
              ", with green around it");
}

Shot Table(XScreen& x, Person& person, const std::string& screen) {
    Say("the table");
    person.FindTable();
    const Box& t = person.Table();
    Say("  table client area at " + At(t.left, t.top) + ", " + Size(t) + "; drawn at factor " +
        std::to_string(person.Factor()).substr(0, 5) + "; Panel1 found at its place");
    for (const auto& spot : place::kEmptySpots) {
        const Box box = person.OnTable({spot[0], spot[1], 5, 5});
        const Shot shot = x.Grab(box);
        Check(shot.Count(IsGreen) == box.width * box.height,
              "the table is green (0, 128, 64) at " + At(spot[0], spot[1]) + ", seen " +
                  ToString(shot.At(box.left, box.top)));
    }
    HandFaceUp(person, "after the deal");
    HandAtItsPlace(x, person);
    TableFillsTheWindow(x, person, screen);
    Check(person.GrabTable(place::kNameplayer).Count(IsWhite) > 20,
          "the player's name is written under the hand");
    const Shot panel = person.GrabTable(place::kPanel1Seen);
    Check(panel.Count([](Rgb p) { return p.b > 150 && p.r < 100 && p.g < 100; }) > 20,
          "Panel1 shows its caption in blue");
    return panel;
}

void ModeKeys(Person& person, const Shot& normalPanel) {
    Say("F3: a new game in Normal mode asks for the name again");
    person.PressForNewGame(XK_F3);
    person.AnswerNameDialog("tester");
    Check(WaitFor([&] { return person.GrabTable(place::kPanel1Seen) == normalPanel; },
                  Milliseconds(3000)),
          "Panel1 reads as at start-up (Normal)");

    Say("F2: a new game in Complex mode asks for the name again");
    person.PressForNewGame(XK_F2);
    person.AnswerNameDialog("tester");
    Check(WaitFor([&] { return !(person.GrabTable(place::kPanel1Seen) == normalPanel); },
                  Milliseconds(3000)),
          "Panel1 has changed (Complex)");
    HandFaceUp(person, "in the new game");
}

void MenuWindows(XScreen& x, Person& person) {
    struct Side {
        unsigned long key;
        const char* keyName;
        std::string_view title;
        Box ok;
        bool byEnter;  // OK has the focus when the window opens
    };
    const Side sides[] = {{XK_F1, "F1", title::kHelp, place::kHelpOk, false},
                          {XK_F4, "F4", title::kResults, place::kSheetOk, false},
                          {XK_F5, "F5", title::kDeckCard, place::kDeckCardOk, false},
                          {XK_F6, "F6", title::kLastShot, place::kLastShotOk, true}};
    for (const Side& side : sides) {
        const std::string name = std::string(side.keyName) + " \"" + std::string(side.title) + "\"";
        Say(name + ": open, then " + (side.byEnter ? "Enter" : "a click on OK"));
        const XWindow window = person.PressForWindow(side.key, side.title, side.ok);
        if (side.title == title::kResults) {
            const Box corner = person.OnTable({0, 0, 1, 1});
            Check(
                WaitFor([&] { return DesignedAreaAt(x.Geometry(window), corner, person.Factor()); },
                        Milliseconds(2000)),
                "the result sheet's controls open at the table's top-left corner " +
                    At(corner.left, corner.top));
        }
        if (side.byEnter) {
            person.PressEnter(window, side.ok, name);
        } else {
            person.ClickOk(window, side.ok, name);
        }
        Say("  ok: closed");
    }
}

// The holder of the seven of hearts chooses first, and the program deals by the clock: new games
// (the key pressed at least once) until the person is the one, so that the deal goes through the
// contract dialog.
bool NewGameChosenByPerson(Person& person, unsigned long key, const std::string& keyName) {
    for (int game = 1; game <= 20; ++game) {
        person.PressForNewGame(key);
        person.AnswerNameDialog("tester");
        // Once the computer players have moved up to the person's turn, the table rests. The
        // marker then says who chooses, and the button that the choice is still to be made (in a
        // layout deal chosen by a computer player the button there is Pass).
        person.TableAtRest(Milliseconds(200), Milliseconds(3000));
        if (person.PersonIsChooser() && person.ChoiceButtonShown()) {
            Say("  the person chooses first (" + keyName + " pressed " + std::to_string(game) +
                " times)");
            return true;
        }
    }
    Say("  a computer player chose first in 20 games: no contract dialog this time");
    return false;
}

Person::Deal PlayToSheet(XScreen& x, Person& person) {
    const Person::Deal deal = person.PlayDeal({1}, Milliseconds(120000));
    Say("  the result sheet came up after " + std::to_string(deal.rounds) +
        " rounds of clicks and " + std::to_string(deal.choices) + " contract dialogs");
    Box g;
    const Box corner = person.OnTable({0, 0, 1, 1});
    const bool atCorner = WaitFor(
        [&] {
            g = x.Geometry(deal.sheet);
            return DesignedAreaAt(g, corner, person.Factor());
        },
        Milliseconds(2000));
    Check(atCorner, "the result sheet's controls stand at the table's top-left corner " +
                        At(corner.left, corner.top) + "; seen at " + At(g.left, g.top));
    Check(ScaledSize(g, 640, 433 + place::kCaptionHeight, person.Factor()),
          "the result sheet is 640x433 and its title strip drawn larger; seen " + Size(g));
    person.ClickOk(deal.sheet, place::kSheetOk, "the result sheet");
    Say("  ok: the result sheet closed");
    return deal;
}

void CheckDialog(const Person& person, const Person::Deal& deal, int width, int height,
                 const std::string& what) {
    const Box& d = deal.dialog;
    Check(
        deal.choices == 1 && ScaledSize(d, width, height + place::kCaptionHeight, person.Factor()),
        "the person chose in " + what + " (" + std::to_string(width) + "x" +
            std::to_string(height) + " and its title strip drawn larger; seen " + Size(d) + ")");
    const Box place = person.OnTable({205, 100, 1, 1});
    Check(DesignedAreaAt(d, place, person.Factor()),
          "the contract dialog's controls stood at (205, 100) of the table, " +
              At(place.left, place.top) + "; seen at " + At(d.left, d.top));
}

// Complex mode: the chooser's All Game deal by Tallform, then his layout deal with Pass.
void ComplexDeals(XScreen& x, Person& person) {
    Say("Complex mode: a new game in which the person chooses first");
    const bool chooses = NewGameChosenByPerson(person, XK_F2, "F2");
    Say("a deal: the person's cards by clicks, the contract by r1 and OK");
    const Person::Deal first = PlayToSheet(x, person);
    if (!chooses) return;
    CheckDialog(person, first, 229, 148, "Tallform, All Games");
    // The chooser's second deal is the layout deal, chosen without a dialog; Pass stands where
    // the Choose button was.
    HandFaceUp(person, "in the person's second deal");
    Say("the person's layout deal: cards and Pass by clicks");
    const Person::Deal second = PlayToSheet(x, person);
    Check(second.choices == 0, "the layout deal came without a contract dialog");
}

// A game in progress: F3 asks first, and Escape (No) keeps the game.
void NewGameQuestion(XScreen& x, Person& person) {
    Say("F3 in a game in progress: the question first");
    person.PressOnTable(XK_F3);
    std::optional<XWindow> question;
    Check(WaitFor([&] { return (question = person.NewGameQuestion()).has_value(); },
                  Milliseconds(4000)),
          "F3 asks before the game in progress is lost");
    x.Focus(*question);
    x.Key(XK_Escape);
    Check(WaitFor([&] { return !x.Shown(*question); }, Milliseconds(4000)), "Escape answers No");
    std::this_thread::sleep_for(Milliseconds(300));
    Check(!x.FindWindowTitled(title::kName).has_value(), "and no new game begins");
}

// Normal mode: one deal whose contract the person picks in Tchoosform.
void NormalDeal(XScreen& x, Person& person) {
    NewGameQuestion(x, person);
    Say("Normal mode: a new game in which the person chooses first");
    const bool chooses = NewGameChosenByPerson(person, XK_F3, "F3");
    Say("a deal: the person's cards by clicks, the contract by r1 and OK");
    const Person::Deal deal = PlayToSheet(x, person);
    if (chooses) CheckDialog(person, deal, 248, 213, "Tchoosform, Queen");
    HandFaceUp(person, "in the next deal");
}

// The yellow of the ring around the control with the keyboard focus.
bool IsRing(Rgb p) {
    return p.r >= 235 && p.g >= 210 && p.g <= 250 && p.b <= 40;
}

// The person's next turn in the deal: a ring stands around a card of the hand, drawn as wide as
// the table's scale makes it, and Enter lays that card.
void KeyboardTurn(XScreen& x, Person& person) {
    Say("the keyboard: the person's next turn, then Enter");
    const Box marker = person.OnTable({206, 297, 30, 30});  // h1, the person's turn
    // The foot of the person's spot: the cards laid by the seats beside it overlap its top.
    const Box spot = person.OnTable({265, 257, 70, 24});
    // The hand and the ring round any of its cards; the chooser's marker begins at 448.
    const Box hand = person.OnTable({176, 318, 271, 102});
    Check(WaitFor(
              [&] {
                  return person.TableAtRest(Milliseconds(150), Milliseconds(2000)) &&
                         x.Grab(marker).Count([](Rgb p) { return !IsGreen(p); }) > 20 &&
                         x.Grab(spot).Count(IsGreen) == spot.width * spot.height;
              },
              Milliseconds(20000)),
          "the person's turn has come");
    // Round a card's seen part (at least 14 x 82 as designed), a yellow band of at least twice
    // the factor's width.
    const int ring = x.Grab(hand).Count(IsRing);
    const double f = person.Factor();
    const int least = static_cast<int>(2 * f * (82 + 14) * f * 1.5);
    Check(ring >= least, "a ring of " + std::to_string(ring) + " yellow pixels (at least " +
                             std::to_string(least) + ") stands around a card of the hand");
    person.PressOnTable(XK_Return);
    Check(WaitFor([&] { return x.Grab(spot).Count(IsWhite) > spot.width * spot.height / 4; },
                  Milliseconds(3000)),
          "Enter laid the card in the ring on the person's spot");
}

// On a large screen: the table drawn larger still, and a click where a card is drawn lays it.
void LargeScreen(XScreen& x, Person& person, const XServer& server) {
    NameDialog(x, person);
    Table(x, person, "1920x1080");
    WritePpm(x.Grab({0, 0, server.Width(), server.Height()}), "e2e-table-1920x1080.ppm");
    Say("  the screen is in e2e-table-1920x1080.ppm");
    person.TurnOffThePause();
    if (!NewGameChosenByPerson(person, XK_F3, "F3")) return;
    const Box cg = person.OnTable(place::kCgAndPassb);
    x.Click(cg.CentreX(), cg.CentreY());
    std::optional<XWindow> dialog;
    Check(WaitFor([&] { return (dialog = x.FindWindowTitled(title::kChoice)).has_value(); },
                  Milliseconds(4000)),
          "Chose Game opens the contract dialog");
    person.AnswerContractDialog(*dialog, {1});
    // The person leads: the right-most card, where it is drawn, goes to the person's spot.
    const Box spot = person.OnTable({265, 199, 70, 82});
    person.TableAtRest(Milliseconds(200), Milliseconds(3000));
    Check(x.Grab(spot).Count(IsGreen) == spot.width * spot.height, "the person's spot is empty");
    const Box card = person.OnTable({376 + 35, 328 + 41, 1, 1});
    x.Click(card.left, card.top);
    Check(WaitFor([&] { return x.Grab(spot).Count(IsWhite) > spot.width * spot.height / 4; },
                  Milliseconds(3000)),
          "a click at " + At(card.left, card.top) + " laid the card drawn there");
    KeyboardTurn(x, person);
}

// A scale factor Qt cannot draw at is left out: the game comes up as without it.
void UnusableScaleFactor(XScreen& x, const XServer& server, const char* binary) {
    Say("starting with QT_SCALE_FACTOR=0");
    std::optional<Child> morvel =
        server.StartProgram({binary}, /*quiet=*/true, {"QT_SCALE_FACTOR=0"});
    Check(morvel.has_value(), "the program starts");
    Person person(x);
    const XWindow dialog = person.WaitForNameDialog();
    Check(WaitFor([&] { return person.NameDialogPainted(dialog); }, Milliseconds(5000)),
          "the player-name dialog is drawn");
    const Box g = x.Geometry(dialog);
    Check(g.left >= 0 && g.top >= 0 && g.left + g.width <= server.Width() &&
              g.top + g.height <= server.Height(),
          "on the screen, at " + At(g.left, g.top));
    morvel->Stop();
}

// One program on one screen; on a failure says what is up and leaves the screen in a file.
bool Run(const XServer& server, XScreen& x, const char* binary,
         const std::function<void(Person&)>& scenario) {
    Say("starting " + std::string(binary) + " on a " + std::to_string(server.Width()) + "x" +
        std::to_string(server.Height()) + " screen");
    // Not the test environment's headless platform: the screen we made.
    std::optional<Child> morvel = server.StartProgram({binary});
    if (!morvel) {
        std::printf("FAILED: cannot start %s\n", binary);
        return false;
    }
    Person person(x);
    try {
        scenario(person);
        Check(morvel->Running(), "the program is still running");
    } catch (const Failure& failure) {
        ReportFailure(failure, server, x, morvel, "e2e-failure.ppm");
        return false;
    }
    morvel->Stop();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PATH-TO-MORVEL\n", argv[0]);
        return 2;
    }
    if (int status = 0; !BeginRun(kRunLimit, &status)) return status;

    for (const auto& [width, height] : {std::pair{1280, 800}, std::pair{1920, 1080}}) {
        std::string why;
        std::optional<XServer> server = XServer::Start(&why, width, height);
        if (!server) {
            std::printf("FAILED: %s\n", why.c_str());
            return 1;
        }
        Say("Xvfb on " + server->Name());
        XScreen x(server->Name());
        if (!x.Connected()) {
            std::printf("FAILED: cannot connect to %s with XTest\n", server->Name().c_str());
            return 1;
        }
        const bool passed =
            width == 1280
                ? Run(*server, x, argv[1],
                      [&](Person& person) {
                          NameDialog(x, person);
                          const Shot normalPanel = Table(x, person, "1280x800");
                          WritePpm(x.Grab({0, 0, width, height}), "e2e-table-1280x800.ppm");
                          Say("  the screen is in e2e-table-1280x800.ppm");
                          // Whole deals at the pace of the computer players alone.
                          person.TurnOffThePause();
                          ModeKeys(person, normalPanel);
                          MenuWindows(x, person);
                          ComplexDeals(x, person);
                          NormalDeal(x, person);
                      })
                : Run(*server, x, argv[1],
                      [&](Person& person) { LargeScreen(x, person, *server); });
        if (!passed) return 1;
        if (width == 1920) {
            try {
                UnusableScaleFactor(x, *server, argv[1]);
            } catch (const Failure& failure) {
                std::printf("FAILED: %s\n", failure.what());
                return 1;
            }
        }
    }
    Say("passed");
    return 0;
}
