// A person at Morvel's table, on a private X server: the windows known by their titles, the
// controls by their designed places (drawn larger with the table, by one factor), and the moves
// of a deal made with the pointer and the keyboard.
#pragma once

#include <functional>
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

// A message box carries the application's name alone as its title.
bool IsMessageBoxTitle(std::string_view t);

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

// Places in a window's client area, as designed (at 1:1). A side window's controls lie below
// its title strip.
namespace place {
inline constexpr int kCaptionHeight = 18;
inline constexpr int kTableWidth = 640;
inline constexpr int kTableHeight = 440;
inline constexpr int kNameDialogWidth = 307;
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
inline constexpr int kEmptySpots[][2] = {{632, 350}, {300, 425}, {620, 20}};
}  // namespace place

inline constexpr Rgb kTableGreen{0, 128, 64};

class Person {
  public:
    explicit Person(XScreen& screen) : x_(screen) {}

    // The player-name dialog, once it is on the screen; throws when it does not come. Until the
    // table is found, the dialog's size tells the factor the windows are drawn at.
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

    // Finds the table window and the table's client area below the menu bar, works out the
    // factor and the place the table is drawn at as the program does, and checks them against
    // the place of Panel1.
    void FindTable();
    const Box& Table() const { return table_; }
    double Factor() const { return factor_; }
    // A designed box of the table, on the screen.
    Box OnTable(const Box& box) const;
    Shot GrabTable(const Box& box) { return x_.Grab(OnTable(box)); }
    // A designed box of a side window (drawn at the table's factor), on the screen.
    Box InWindow(XWindow window, const Box& box);

    // Presses a key in the table window (with `modifier`, such as Alt, held when not 0).
    void PressOnTable(unsigned long keysym, unsigned long modifier = 0);
    // Presses a shortcut key in the table window and waits for the window it opens, drawn with
    // its OK button at `ok`.
    XWindow PressForWindow(unsigned long keysym, std::string_view windowTitle, const Box& ok);
    // F2 or F3: when the game in progress asks first, answers "Yes"; then the player-name dialog.
    // Says whether the question came.
    bool PressForNewGame(unsigned long keysym);
    // The question before a game in progress is thrown away, when it is up.
    std::optional<XWindow> NewGameQuestion();
    // Unchecks "Pause after each round" in the Option menu, by its keys.
    void TurnOffThePause();
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

    // Plays the person's part for `passes` passes of clicks (as PlayDeal does), answering the
    // contract dialogs and closing the result sheets that come up.
    void PlayFor(int passes);

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
    // One pass of the person's clicks: the Choose/Pass spot, then the hand from the right.
    void ClickPass();
    void WaitDrawn(XWindow window, const Box& ok, std::string_view what);
    // `okButton`: the window's OK button as it was seen before it closed.
    void WaitClosed(XWindow window, const Shot& okButton, std::string_view what);

    XScreen& x_;
    XWindow tableWindow_ = 0;
    Box table_;
    double factor_ = 1;
    double offsetX_ = 0;  // of the drawn table in its client area
    double offsetY_ = 0;
};

// A designed box times `factor`, moved by (x, y): both edges rounded, as the program does.
Box Scaled(const Box& box, double factor, double x = 0, double y = 0);
// `box` of a side window whose client area stands at (x, y), below its title strip.
Box ScaledBelowCaption(const Box& box, double factor, double x, double y);
// The factor at which a design of `width` x `height` fits `room` (at least 1, at most 16).
double FitFactor(int width, int height, const Box& room);

bool IsGreen(Rgb p);
bool IsWhite(Rgb p);

// The screen (or a part of it) as a PPM picture.
void WritePpm(const Shot& shot, const char* path);

// What a failed run says: the failure, whether the program still runs, the windows on the
// screen, and the screen itself in `shotPath`.
void ReportFailure(const Failure& failure, const XServer& server, XScreen& x,
                   std::optional<Child>& program, const char* shotPath);

// The frame of an end-to-end test program (`NAME PATH-TO-MORVEL`): skipped (status 77) without
// Xvfb, stopped after `limitSeconds`, run on a private X server. `body` starts the program in
// `program`, which outlives it: a Failure prints what went wrong, whether the program still runs,
// the windows on the screen and the screen itself (in `failureShot`). Returns the exit status.
using EndToEndBody = std::function<void(const XServer& server, XScreen& x,
                                        const std::string& binary, std::optional<Child>& program)>;
int RunEndToEnd(int argc, char** argv, unsigned limitSeconds, const char* failureShot,
                const EndToEndBody& body);

}  // namespace morvel::e2e
