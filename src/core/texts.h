// Every caption and message of the game, exactly as the player sees it (UTF-8; the Arabic and
// English parts of a caption stand in one string). Nothing else in the program spells these.
#pragma once

#include <string_view>

namespace morvel::text {

// Application and table window.
inline constexpr std::string_view kAppTitle = "مورفل ";
inline constexpr std::string_view kWindowCaption =
    "مورفل مجانية - برمجة فريق مورفل    Morvel Free - programmed by the Morvel team";

inline constexpr std::string_view kSeat4Name = "Kestrin";  // Label1, left
inline constexpr std::string_view kSeat3Name = "Vesk";     // Label2, top
inline constexpr std::string_view kSeat2Name = "Oru'a";    // Label3, right

inline constexpr std::string_view kPanelNormal = "Normal عادي";
inline constexpr std::string_view kPanelComplex = "Complex معقد";
inline constexpr std::string_view kChooseGameButton = "Chose Game اختر لعبة";
inline constexpr std::string_view kPassButton = "Pass  تمرير";

// Main menu.
inline constexpr std::string_view kMenuGame = "&Game لعبة";
inline constexpr std::string_view kMenuComplex = "&Complex معقد ";
inline constexpr std::string_view kMenuNormal = "&Normal عادي";
inline constexpr std::string_view kMenuExit = "E&xit خروج";
inline constexpr std::string_view kMenuOption = "&Option اختيار ";
inline constexpr std::string_view kMenuResult = "&Result النتيجة";
inline constexpr std::string_view kMenuDeckCard = "&Deck Card خلفية الورقة ";
inline constexpr std::string_view kMenuLastShot = "&Last Shot آخر رمية ";
inline constexpr std::string_view kMenuSpeed = "&Speed  سرعة الرمي";
inline constexpr std::string_view kMenuSlow = "&Slow بطيئه ";
inline constexpr std::string_view kMenuMedium = "&Medium وسط ";
inline constexpr std::string_view kMenuFast = "&Fast سريعه ";
inline constexpr std::string_view kMenuPlayers = "Computer players لاعبو الكمبيوتر";
inline constexpr std::string_view kMenuStandard = "Standard عادي";
inline constexpr std::string_view kMenuStrong = "Strong قوي";
inline constexpr std::string_view kMenuHint = "&Hint تلميح";
inline constexpr std::string_view kMenuPauseAfterRound = "&Pause after each round توقف بعد كل دورة";
inline constexpr std::string_view kMenuShowPlayable = "Show p&layable cards إظهار الأوراق الممكنة";
inline constexpr std::string_view kMenuKeep = "&Keep settings and game حفظ الإعدادات واللعبة";
inline constexpr std::string_view kMenuHelp = "&Help مساعد ";
inline constexpr std::string_view kMenuAbout = "&About Me معلومات ";
inline constexpr std::string_view kMenuHelpMorvel = "&Help Morvel مساعد مورفل";

// Asked before a new game from the menu throws away a game in progress.
inline constexpr std::string_view kNewGameQuestion =
    "Start a new game? The game in progress will be lost.";

// Player-name dialog.
inline constexpr std::string_view kNameCaption = "                ادخال اسم  Entered Name";
inline constexpr std::string_view kNameLabelArabic = "ادخل اسم اللاعب  عدا الاسماء الموجودة";
inline constexpr std::string_view kNameLabelEnglish = "Enter Name of Player Except That Names";
inline constexpr std::string_view kNameSuggestion = "Player1";
inline constexpr std::string_view kNameOk = "Ok  موافق";

// Keeping settings and the game between runs: each message short enough for one line.
inline constexpr std::string_view kKeptGameRefused =
    "تعذر استخدام اللعبة المحفوظة  The saved game cannot be used";
inline constexpr std::string_view kKeepingFailed =
    "تعذر حفظ الإعدادات  The settings cannot be written";

// OK buttons of the other windows.
inline constexpr std::string_view kOk = "موافق OK";

// Contract choice dialogs.
inline constexpr std::string_view kChooseCaption = "  اختيار اللعبه Chose Game";
inline constexpr std::string_view kAllCaption = "     Chose Game اختر اللعبة ";
inline constexpr std::string_view kAllGamesRadio = "All Games  جميع اللعب";
inline constexpr std::string_view kAllMorvelRadio = "      Morvel  مورفل";
inline constexpr std::string_view kAllGamePanel = "جميع اللعب All Game";
inline constexpr std::string_view kChooseOneMessage = "اختر احد الالعاب";

// Result sheet.
inline constexpr std::string_view kResultCaption =
    "                                        Results   النتائج";
inline constexpr std::string_view kSheetGameName = " اسم اللعبة Game Name      ";
inline constexpr std::string_view kSheetSeat2Name = "Orua";  // n3; the table spells it Oru'a

}  // namespace morvel::text
