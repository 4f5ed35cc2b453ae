// A person at Morvel's table, on a private X server: the windows known by their titles, the
// controls by their places, and the moves of a deal made with the pointer and the keyboard.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "x_session.h"

namespace morvel::e2e {

// Something the program did not do in time, or did wrong; the message says what.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws a Failure saying `what` unless `ok`; says "ok: what" when it is.
void Check(bool ok, const std::string& what);

// The English part of each window's title; the choice dialogs share theirs.
namespace title {
inline constexpr std::string_view kTable = "Morvel Free";
inline constexpr std::string_view kName = "Entered Name";
inline constexpr std::string_view kChoice = "Chose Game";
inline constexpr std::string_view kResults = "Results";
inline constexpr std::string_view kHelp = "About Movel";
inline constexpr std::string_view kDeckCard = "Deck Card";
inline constexpr std::string_view kLastShot = "Last Shot";
}  // namespace title

// Places in a window's client area.
namespace place {
inline constexpr Box kNameEdit = {48, 44, 202, 22};
inline constexpr Box kNameOk = {96, 72, 105, 33};
inline constexpr Box kPanel1 = {499, 372, 130, 22};
// What always shows of it: namegame, shown or hidden by the deal, lies over its two lowest rows.
inline constexpr Box kPanel1Seen = {499, 372, 130, 20};
inline constexpr Box kNameplayer = {36, 388, 138, 20};
inline constexpr Box kCgAndPassb = {237, 298, 155, 29};
inline constexpr Box kHand = {186, 328, 260, 82};  // i40 .. i52
// The chooser's "King" marker when the person chooses (Panel1 begins just below).
inline constexpr Box kPersonChooserMarker = {448, 328, 60, 44};
inline constexpr Box kSheetOk = {464, 8, 161, 401};
inline constexpr Box kHelpOk = {184, 376, 113, 41};
inline constexpr Box kDeckCardOk = {48, 232, 193, 33};
inline constexpr Box kLastShotOk = {72, 296, 177, 33};
// Table spots no control ever covers.
inline constexpr int kEmptySpots[][2] = {{660, 250}, {300, 460}, {900, 700}};
}  // namespace place

inline constexpr Rgb kTableGreen{0, 128, 64};

class Person {
  public:
    explicit Person(XScreen& screen) : x_(screen) {}

    // The player-name dialog, once it is on the screen; throws when it does not come.
    XWindow WaitForNameDialog(Milliseconds timeout = Milliseconds(15000));
    // Whether the dialog is fully drawn: its blue, its field and its button.
    bool NameDialogPainted(XWindow dialog);
    // Types into the name field (it opens with its suggestion selected), then Enter if asked.
    void TypeInto(XWindow dialog, std::string_view text, bool enter);
    // Red pixels of typed text in the name field.
    int InkInNameField(XWindow dialog);
    // Types an accepted name and waits until the dialog has closed and the table is drawn again
    // where it stood; so do ClickOk and PressEnter.
    void AnswerNameDialog(std::string_view name);

    // Finds the table window and the table's client area below the menu bar; checks it against
    // the place of Panel1.
    void FindTable();
    const Box& Table() const { return table_; }
    // A box of the table's client area, on the screen.
    Box OnTable(const Box& box) const { return box.Moved(table_.left, table_.top); }
    Shot GrabTable(const Box& box) { return x_.Grab(OnTable(box)); }

    // Presses a shortcut key in the table window and waits for the window it opens, drawn with
    // its OK button at `ok`.
    XWindow PressForWindow(unsigned long keysym, std::string_view windowTitle, const Box& ok);
    // Clicks `ok` (client place) in `window`, or presses Enter there, and waits until it closes.
    void ClickOk(XWindow window, const Box& ok, std::string_view what);
    void PressEnter(XWindow window, const Box& ok, std::string_view what);

    struct Deal {
        XWindow sheet = 0;  // the result sheet that ended it
        int choices = 0;    // contract dialogs answered
        Box dialog;         // the last one's place and size on the screen
        int rounds = 0;     // rounds of clicks on the hand
    };
    // Plays the person's part until the result sheet comes up: answers a contract dialog by
    // clicking `radios` (in that order) and OK; otherwise clicks the Choose/Pass spot and then the
    // hand from the right-most card leftwards.
    Deal PlayDeal(const std::vector<int>& radios, Milliseconds timeout);

    // Clicks the contract dialog's radio buttons `radios` in that order, then OK; throws unless
    // the dialog closes.
    void AnswerContractDialog(XWindow dialog, const std::vector<int>& radios);

    // Whether the table stays unchanged for `quiet` (within `timeout`): the computer players have
    // moved up to the person's turn.
    bool TableAtRest(Milliseconds quiet, Milliseconds timeout);
    // Whether the Choose button (or Pass, at the same place) is up.
    bool ChoiceButtonShown();
    // Whether the chooser's marker stands by the person's hand.
    bool PersonIsChooser();

  private:
    void WaitDrawn(XWindow window, const Box& ok, std::string_view what);
    // `okButton`: the window's OK button as it was seen before it closed.
    void WaitClosed(XWindow window, const Shot& okButton, std::string_view what);

    XScreen& x_;
    XWindow tableWindow_ = 0;
    Box table_;
};

bool IsGreen(Rgb p);
bool IsWhite(Rgb p);

}  // namespace morvel::e2e
