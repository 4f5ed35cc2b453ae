#include <gtest/gtest.h>

#include "test_host.h"

namespace morvel {
namespace {

using testing::TestGame;

TEST(AcceptName, ComputerNamesAreRefusedWhateverTheirCaseAndBlanks) {
    TestGame t;
    for (const char* name :
         {"kestrin", "KESTRIN", "  Kestrin  ", "vesk", "Vesk\t", "oru'a", " ORU'A"}) {
        EXPECT_FALSE(t.game.AcceptName(name)) << name;
    }
    for (const char* name : {"Kestrin2", "Kes trin", "Veskk", "Orua", "Player1", ""}) {
        EXPECT_TRUE(t.game.AcceptName(name)) << name;
    }
}

// DEL, the C1 controls and the Unicode space separators are blanks or controls too: around a
// computer player's name they make no new name. Inside a name, or as the only text, nothing
// changes.
TEST(AcceptName, EveryControlAndSpaceSeparatorIsStripped) {
    TestGame t;
    for (const char* name : {"vesk\x7F", "\x7FVesk", "Vesk\xC2\x85", "\xC2\x9F\xC2\x80Vesk",
                             "\xC2\xA0Vesk", "Vesk\xE2\x80\xAF", "\xE3\x80\x80Kestrin",
                             "\xE2\x80\x8AOru'a\xE1\x9A\x80", "\xE2\x81\x9F vesk \x7F"}) {
        EXPECT_FALSE(t.game.AcceptName(name)) << name;
    }
    // A zero-width space is no space separator; a malformed byte is no blank.
    for (const char* name : {"\xE2\x80\x8BVesk", "Ves\x7Fk", "\xC2Vesk", "Vesk\x85", "\x7F"}) {
        EXPECT_TRUE(t.game.AcceptName(name)) << name;
    }
}

TEST(AcceptName, StoresTheFirstFifteenCharactersAsTyped) {
    TestGame t;
    EXPECT_TRUE(t.game.AcceptName("ABCDEFGHIJKLMNOPQRST"));
    EXPECT_EQ(t.game.State().playerName, "ABCDEFGHIJKLMNO");
    EXPECT_TRUE(t.game.AcceptName(" mixed Case "));
    EXPECT_EQ(t.game.State().playerName, " mixed Case ");
    // Only the stored fifteen characters are compared: blanks then a computer's name past them.
    EXPECT_TRUE(t.game.AcceptName("               Vesk"));
    // Twelve blanks and "Vesk" cut to "Ves" is no computer's name either.
    EXPECT_TRUE(t.game.AcceptName("            Vesk"));
    EXPECT_FALSE(t.game.AcceptName("           Vesk"));
}

TEST(AcceptName, CountsCharactersNotBytes) {
    TestGame t;
    // Twenty Arabic letters (two bytes each in UTF-8) keep fifteen whole letters.
    std::string arabic;
    for (int i = 0; i < 20; ++i)
        arabic += "م";
    EXPECT_TRUE(t.game.AcceptName(arabic));
    std::string fifteen;
    for (int i = 0; i < 15; ++i)
        fifteen += "م";
    EXPECT_EQ(t.game.State().playerName, fifteen);
    // Arabic letters are compared unchanged; only a..z are raised.
    EXPECT_TRUE(t.game.AcceptName("فيسك"));
    EXPECT_EQ(t.game.State().playerName, "فيسك");
    // A four-byte character is never split.
    EXPECT_TRUE(t.game.AcceptName("abcdefghijklmn\xF0\x9F\x82\xA1xyz"));
    EXPECT_EQ(t.game.State().playerName, "abcdefghijklmn\xF0\x9F\x82\xA1");
}

TEST(StartUp, FastNormalAndTheNameDialogFirst) {
    TestGame t;
    EXPECT_EQ(t.game.State().speedInterval, kFastInterval);
    EXPECT_EQ(t.game.State().mode, GameMode::Normal);
    EXPECT_EQ(t.game.Table().Panel1(), "Normal عادي");
    t.host.names = {"Vesk", "Ahmad"};
    t.game.FormActivate();
    EXPECT_EQ(t.host.nameDialogs, 1);
    EXPECT_EQ(t.game.State().playerName, "Ahmad");
    EXPECT_EQ(t.game.Table().Nameplayer(), "Ahmad");
}

TEST(Menu, SpeedTakesEffectAtTheNextTimerStart) {
    TestGame t;
    t.game.SetTimer(TimerId::Timer1, t.game.State().speedInterval);
    t.game.SetSpeed(kSlowInterval);
    EXPECT_EQ(t.game.TimerInterval(TimerId::Timer1), kFastInterval);
    EXPECT_EQ(t.game.State().speedInterval, kSlowInterval);
    // The same interval again changes nothing; a new one restarts; 0 stops.
    const size_t changes = t.host.timerChanges.size();
    t.game.SetTimer(TimerId::Timer1, kFastInterval);
    EXPECT_EQ(t.host.timerChanges.size(), changes);
    t.game.SetTimer(TimerId::Timer1, 0);
    t.game.SetTimer(TimerId::Timer1, t.game.State().speedInterval);
    EXPECT_EQ(t.game.TimerInterval(TimerId::Timer1), kSlowInterval);
    EXPECT_EQ(t.host.timerChanges.size(), changes + 2);
}

TEST(Menu, ModeItemsAskForTheNameAndStartAGame) {
    TestGame t;
    t.game.FormActivate();
    t.game.Complex1Click();
    EXPECT_EQ(t.game.State().mode, GameMode::Complex);
    EXPECT_EQ(t.game.Table().Panel1(), "Complex معقد");
    EXPECT_EQ(t.host.nameDialogs, 2);
    t.game.Normal1Click();
    EXPECT_EQ(t.game.State().mode, GameMode::Normal);
    EXPECT_EQ(t.game.Table().Panel1(), "Normal عادي");
    EXPECT_EQ(t.host.nameDialogs, 3);
}

}  // namespace
}  // namespace morvel
