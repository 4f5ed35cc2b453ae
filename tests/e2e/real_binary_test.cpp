// The real program on a private X server, used the way a person uses it: the player-name dialog,
// the table, the mode keys, the windows of the menu keys, and whole deals played by clicks (the
// person's All Game and layout deals in Complex mode, one deal in Normal mode).
// Every step is printed, so a failure in CI shows how far the run got; a failure also leaves the
// screen in e2e-failure.ppm next to the test.
//
//   morvel_e2e_tests PATH-TO-MORVEL
#include <X11/keysym.h>

#include <cstdio>
#include <thread>

#include "table_person.h"

using namespace morvel::e2e;

namespace {

constexpr unsigned kRunLimit = 240;  // seconds for the whole run, under ctest's own limit

std::string At(int x, int y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
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

void NameDialog(XScreen& x, Person& person) {
    Say("start-up: waiting for the player-name dialog");
    const XWindow dialog = person.WaitForNameDialog();
    Check(WaitFor([&] { return person.NameDialogPainted(dialog); }, Milliseconds(5000)),
          "the player-name dialog is drawn (blue, its field and its button)");
    const Box g = x.Geometry(dialog);
    Check(g.width == 307 && g.height == 111, "the dialog's client area is 307x111");

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
    const int area = place::kHand.width * place::kHand.height;
    Check(WaitFor(
              [&] {
                  const Shot hand = person.GrabTable(place::kHand);
                  return hand.Count([](Rgb p) { return !IsGreen(p); }) > area * 9 / 10 &&
                         hand.Count(IsWhite) > area / 4;
              },
              Milliseconds(5000)),
          "the person's hand lies face up at i40..i52 " + when);
}

Shot Table(XScreen& x, Person& person) {
    Say("the table");
    person.FindTable();
    const Box& t = person.Table();
    Say("  table client area at " + At(t.left, t.top) + ", " + std::to_string(t.width) + "x" +
        std::to_string(t.height) + "; Panel1 found at its place");
    for (const auto& spot : place::kEmptySpots) {
        const Box box = person.OnTable({spot[0], spot[1], 5, 5});
        const Shot shot = x.Grab(box);
        Check(shot.Count(IsGreen) == 25, "the table is green (0, 128, 64) at " +
                                             At(spot[0], spot[1]) + ", seen " +
                                             ToString(shot.At(box.left, box.top)));
    }
    HandFaceUp(person, "after the deal");
    Check(person.GrabTable(place::kNameplayer).Count(IsWhite) > 20,
          "the player's name is written under the hand");
    const Shot panel = person.GrabTable(place::kPanel1Seen);
    Check(panel.Count([](Rgb p) { return p.b > 150 && p.r < 100 && p.g < 100; }) > 20,
          "Panel1 shows its caption in blue");
    return panel;
}

void ModeKeys(Person& person, const Shot& normalPanel) {
    Say("F3: a new game in Normal mode asks for the name again");
    person.PressForWindow(XK_F3, title::kName, place::kNameOk);
    person.AnswerNameDialog("tester");
    Check(WaitFor([&] { return person.GrabTable(place::kPanel1Seen) == normalPanel; },
                  Milliseconds(3000)),
          "Panel1 reads as at start-up (Normal)");

    Say("F2: a new game in Complex mode asks for the name again");
    person.PressForWindow(XK_F2, title::kName, place::kNameOk);
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
            Check(WaitFor(
                      [&] {
                          const Box g = x.Geometry(window);
                          return g.left == 0 && g.top == 0;
                      },
                      Milliseconds(2000)),
                  "the result sheet opens at (0, 0)");
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
        person.PressForWindow(key, title::kName, place::kNameOk);
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
    Check(WaitFor(
              [&] {
                  g = x.Geometry(deal.sheet);
                  return g.left == 0 && g.top == 0;
              },
              Milliseconds(2000)),
          "the result sheet stands at (0, 0); seen at " + At(g.left, g.top));
    Check(g.width == 640 && g.height == 433, "the result sheet is 640x433");
    person.ClickOk(deal.sheet, place::kSheetOk, "the result sheet");
    Say("  ok: the result sheet closed");
    return deal;
}

void CheckDialog(const Person::Deal& deal, int width, int height, const std::string& what) {
    const Box& d = deal.dialog;
    Check(deal.choices == 1 && d.width == width && d.height == height,
          "the person chose in " + what + " (" + std::to_string(width) + "x" +
              std::to_string(height) + ")");
    Check(d.left == 205 && d.top == 100,
          "the contract dialog stood at (205, 100); seen at " + At(d.left, d.top));
}

// Complex mode: the chooser's All Game deal by Tallform, then his layout deal with Pass.
void ComplexDeals(XScreen& x, Person& person) {
    Say("Complex mode: a new game in which the person chooses first");
    const bool chooses = NewGameChosenByPerson(person, XK_F2, "F2");
    Say("a deal: the person's cards by clicks, the contract by r1 and OK");
    const Person::Deal first = PlayToSheet(x, person);
    if (!chooses) return;
    CheckDialog(first, 229, 148, "Tallform, All Games");
    // The chooser's second deal is the layout deal, chosen without a dialog; Pass stands where
    // the Choose button was.
    HandFaceUp(person, "in the person's second deal");
    Say("the person's layout deal: cards and Pass by clicks");
    const Person::Deal second = PlayToSheet(x, person);
    Check(second.choices == 0, "the layout deal came without a contract dialog");
}

// Normal mode: one deal whose contract the person picks in Tchoosform.
void NormalDeal(XScreen& x, Person& person) {
    Say("Normal mode: a new game in which the person chooses first");
    const bool chooses = NewGameChosenByPerson(person, XK_F3, "F3");
    Say("a deal: the person's cards by clicks, the contract by r1 and OK");
    const Person::Deal deal = PlayToSheet(x, person);
    if (chooses) CheckDialog(deal, 248, 213, "Tchoosform, Queen");
    HandFaceUp(person, "in the next deal");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PATH-TO-MORVEL\n", argv[0]);
        return 2;
    }
    int status = 0;
    std::optional<XServer> server = StartRun(kRunLimit, &status);
    if (!server) return status;
    Say("Xvfb on " + server->Name());
    XScreen x(server->Name());
    if (!x.Connected()) {
        std::printf("FAILED: cannot connect to %s with XTest\n", server->Name().c_str());
        return 1;
    }
    Say("starting " + std::string(argv[1]));
    // Not the test environment's headless platform: the screen we made.
    std::optional<Child> morvel = server->StartProgram({argv[1]});
    if (!morvel) {
        std::printf("FAILED: cannot start %s\n", argv[1]);
        return 1;
    }

    Person person(x);
    try {
        NameDialog(x, person);
        const Shot normalPanel = Table(x, person);
        ModeKeys(person, normalPanel);
        MenuWindows(x, person);
        ComplexDeals(x, person);
        NormalDeal(x, person);
        Check(morvel->Running(), "the program is still running");
    } catch (const Failure& failure) {
        std::printf("FAILED: %s\n", failure.what());
        if (!morvel->Running()) std::printf("  (the program is no longer running)\n");
        std::printf("  windows on the screen:\n");
        for (const std::string& t : x.ShownTitles())
            std::printf("    \"%s\"\n", t.c_str());
        WritePpm(x.Grab({0, 0, XServer::kWidth, XServer::kHeight}), "e2e-failure.ppm");
        std::printf("  the screen is in e2e-failure.ppm\n");
        return 1;
    }
    morvel->Stop();
    Say("passed");
    return 0;
}
