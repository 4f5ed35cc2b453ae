// The real program on a private X server, keeping settings and the game as a person asks:
//   - with the item unchecked (as it starts), an empty, read-only home stays empty: the program
//     plays and exits and writes nothing;
//   - checked, then a few rounds, then the process killed: started again it shows the same table,
//     without asking for the name; unchecked, its files are gone.
// Every step is printed; a failure leaves the screen in e2e-keep-failure.ppm next to the test.
//
//   morvel_e2e_keep_tests PATH-TO-MORVEL
#include <X11/keysym.h>
#include <sys/stat.h>

#include <filesystem>
#include <thread>

#include "table_person.h"

using namespace morvel::e2e;

namespace {

constexpr unsigned kRunLimit = 240;  // seconds for the whole run, under ctest's own limit

const std::string kSettings = ".config/morvel/morvel.conf";
const std::string kGame = ".local/share/morvel/game.sav";

std::string Listed(const std::vector<std::string>& paths) {
    std::string list;
    for (const std::string& p : paths)
        list += (list.empty() ? "" : ", ") + p;
    return list.empty() ? "nothing" : list;
}

bool Exists(const std::string& home, const std::string& path) {
    return std::filesystem::exists(home + "/" + path);
}

// Checks or unchecks the Option menu's item by its access keys, until the files say it took: a
// table window just given the focus back by a closing dialog may not take the first keys yet.
bool SetKeepItem(XScreen& x, Person& person, const std::string& home, bool checked) {
    const auto done = [&] {
        return Exists(home, kSettings) == checked && Exists(home, kGame) == checked;
    };
    for (int attempt = 1; attempt <= 4; ++attempt) {
        person.PressOnTable(XK_o, XK_Alt_L);
        std::this_thread::sleep_for(Milliseconds(300));
        x.Key(XK_k);
        if (WaitFor(done, Milliseconds(2000))) return true;
        Say("  (the item did not take the keys; again)");

        x.Key(XK_Escape);
    }
    return false;
}

// The table once it rests at the person's turn, with no window of the game over it, the
// pointer away from every control and the keyboard on the table (as a window manager gives it
// to a window that comes up, so the focused card's ring shows both before and after a restart).
// A taken round stays on the table for a second (Pause after each round), so the table must stay
// still for longer than that before it counts as resting.
Shot RestingTable(XScreen& x, Person& person) {
    const Box away = person.OnTable({place::kEmptySpots[2][0], place::kEmptySpots[2][1], 1, 1});
    for (int attempt = 0; attempt < 5; ++attempt) {
        x.MovePointer(away.left, away.top);
        if (std::optional<XWindow> table = x.FindWindowTitled(title::kTable)) x.Focus(*table);
        Check(person.TableAtRest(Milliseconds(1600), Milliseconds(15000)),
              "the table comes to rest");
        if (std::optional<XWindow> sheet = x.FindWindowTitled(title::kResults)) {
            person.ClickOk(*sheet, place::kSheetOk, "the result sheet");
        } else if (std::optional<XWindow> dialog = x.FindWindowTitled(title::kChoice)) {
            person.AnswerContractDialog(*dialog, {5, 4, 3, 2, 1});
        } else {
            return person.GrabTable({0, 0, 640, 420});
        }
    }
    throw Failure("a window of the game stays over the table");
}

void UncheckedHomeStaysEmpty(const XServer& server, XScreen& x, const std::string& binary,
                             std::optional<Child>& morvel) {
    Say("an empty, read-only home: the item unchecked, nothing may be written");
    const std::optional<TempDir> home = TempDir::Make();
    Check(home && chmod(home->Path().c_str(), 0555) == 0, "a read-only home folder is made");
    morvel = server.StartProgram({binary}, false, XServer::HomeAt(home->Path()));
    Check(morvel.has_value(), "the program starts");
    Person person(x);
    person.WaitForNameDialog();
    person.AnswerNameDialog("tester");
    person.FindTable();
    person.PlayFor(30);
    Say("F2, a new game; then F10: exit");
    person.PressForNewGame(XK_F2);
    person.AnswerNameDialog("tester");
    person.PressOnTable(XK_F10);
    Check(WaitFor([&] { return !morvel->Running(); }, Milliseconds(5000)),
          "the program ends on F10");
    Check(morvel->ExitedCleanly(), "with exit status 0");
    Check(home->Contents().empty(), "the home folder holds " + Listed(home->Contents()));
}

void KilledGameResumes(const XServer& server, XScreen& x, const std::string& binary,
                       std::optional<Child>& morvel) {
    const std::string& home = server.Home();
    Say("a game kept: the item checked, a few rounds, the process killed");
    morvel = server.StartProgram({binary});
    Person person(x);
    person.WaitForNameDialog();
    person.AnswerNameDialog("tester");
    person.FindTable();
    Check(SetKeepItem(x, person, home, true), "checking the item writes the settings and the game");
    person.PlayFor(40);
    const Shot before = RestingTable(x, person);
    std::this_thread::sleep_for(Milliseconds(200));
    morvel->Kill();
    Say("  killed (SIGKILL)");
    Check(Exists(home, kSettings) && Exists(home, kGame), "the files outlive the process");

    Say("started again");
    morvel = server.StartProgram({binary});
    person.FindTable();
    const Shot after = RestingTable(x, person);
    Check(!x.FindWindowTitled(title::kName), "no name dialog: the kept game goes on");
    const int different = after.CountDifferent(before);
    if (different != 0) WritePpm(before, "e2e-keep-before.ppm");
    Check(different == 0, "the table looks as it did before the kill (" +
                              std::to_string(different) + " pixels differ)");
    person.PlayFor(10);

    Say("the item unchecked");
    RestingTable(x, person);
    Check(SetKeepItem(x, person, home, false), "unchecking deletes the settings and the game");
    // The files go before their folders: a look between the two would find a folder still there.
    const auto foldersGone = [&] {
        return !Exists(home, ".config/morvel") && !Exists(home, ".local/share/morvel");
    };
    WaitFor(foldersGone, Milliseconds(2000));
    std::vector<std::string> left;
    for (const char* folder : {".config/morvel", ".local/share/morvel"}) {
        if (!Exists(home, folder)) continue;
        left.push_back(folder);
        for (const auto& entry : std::filesystem::directory_iterator(home + "/" + folder))
            left.push_back(entry.path().string());
    }
    Check(left.empty(), "and the folders made for them (left: " + Listed(left) + ")");
}

}  // namespace

int main(int argc, char** argv) {
    return RunEndToEnd(argc, argv, kRunLimit, "e2e-keep-failure.ppm",
                       [](const XServer& server, XScreen& x, const std::string& binary,
                          std::optional<Child>& morvel) {
                           UncheckedHomeStaysEmpty(server, x, binary, morvel);
                           KilledGameResumes(server, x, binary, morvel);
                       });
}
