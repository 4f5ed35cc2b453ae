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

// What a screen reader says of the table and the windows. Each text has an English and an Arabic
// part, spoken in that order; %1, %2 stand for a seat's name, a card or a number.
namespace morvel::text {

struct Bilingual {
    std::string_view english;
    std::string_view arabic;
};

// Cards: "queen of spades", "بنت البستوني". By rank value 2..14 and by suit letter.
inline constexpr std::string_view kRankEnglish[15] = {"",     "",     "two",   "three", "four",
                                                      "five", "six",  "seven", "eight", "nine",
                                                      "ten",  "jack", "queen", "king",  "ace"};
inline constexpr std::string_view kRankArabic[15] = {"",     "",    "اثنين", "ثلاثة",  "أربعة",
                                                     "خمسة", "ستة", "سبعة",  "ثمانية", "تسعة",
                                                     "عشرة", "ولد", "بنت",   "شيخ",    "آس"};
inline constexpr Bilingual kSpokenHearts = {"hearts", "القلب"};
inline constexpr Bilingual kSpokenClubs = {"clubs", "السباتي"};
inline constexpr Bilingual kSpokenDiamonds = {"diamonds", "الديناري"};
inline constexpr Bilingual kSpokenSpades = {"spades", "البستوني"};
inline constexpr Bilingual kSpokenCard = {"%1 of %2", "%1 %2"};  // rank, suit

// The person is spoken to; the computer players are named.
inline constexpr Bilingual kSpokenPlayed = {"%1 played the %2", "%1 لعب %2"};
inline constexpr Bilingual kSpokenYouPlayed = {"You played the %1", "لعبت %1"};
inline constexpr Bilingual kSpokenTakes = {"%1 takes the round", "%1 أخذ الدورة"};
inline constexpr Bilingual kSpokenYouTake = {"You take the round", "أخذت الدورة"};
inline constexpr Bilingual kSpokenPasses = {"%1 passes", "%1 مرّر"};
inline constexpr Bilingual kSpokenYouPass = {"You pass", "مرّرت"};
inline constexpr Bilingual kSpokenOut = {"%1 is out of cards, place %2",
                                         "%1 أنهى أوراقه، المركز %2"};
inline constexpr Bilingual kSpokenYouOut = {"You are out of cards, place %1",
                                            "أنهيت أوراقك، المركز %1"};
inline constexpr Bilingual kSpokenChooses = {"%1 chooses", "%1 يختار"};
inline constexpr Bilingual kSpokenYouChoose = {"You choose", "أنت تختار"};
inline constexpr Bilingual kSpokenChooserNumber = {"Chooser %1 of 4", "المختار %1 من 4"};
inline constexpr Bilingual kSpokenTurn = {"%1's turn", "دور %1"};
inline constexpr Bilingual kSpokenYourTurn = {"Your turn", "دورك"};
inline constexpr Bilingual kSpokenContract = {"Contract: %1", "اللعبة: %1"};
inline constexpr Bilingual kSpokenWins = {"%1 wins the game", "%1 فاز باللعبة"};
inline constexpr Bilingual kSpokenYouWin = {"You win the game", "فزت باللعبة"};

// The slots of the table.
inline constexpr Bilingual kSpokenCanPlay = {"Can be played now", "يمكن لعبها الآن"};
inline constexpr Bilingual kSpokenCannotPlay = {"Cannot be played now", "لا يمكن لعبها الآن"};
inline constexpr Bilingual kSpokenFaceDown = {"A card of %1, face down",
                                              "ورقة من أوراق %1، مقلوبة"};
inline constexpr Bilingual kSpokenCardCount = {"%1: %2 cards", "عدد أوراق %1: %2"};
inline constexpr Bilingual kSpokenTakenCard = {"%2, taken by %1", "%2، أخذها %1"};
inline constexpr Bilingual kSpokenYouTookCard = {"%1, taken by you", "%1، أخذتها"};
inline constexpr Bilingual kSpokenTakenRound = {"A round taken by %1", "دورة أخذها %1"};
inline constexpr Bilingual kSpokenYouTookRound = {"A round taken by you", "دورة أخذتها"};
inline constexpr Bilingual kSpokenPassCard = {"Pass", "تمرير"};
inline constexpr Bilingual kSpokenEnlarged = {"Enlarged: %1", "مكبرة: %1"};
inline constexpr Bilingual kSpokenHint = {"Hint", "تلميح"};
inline constexpr Bilingual kSpokenHintFor = {"Hint: %1", "تلميح: %1"};
inline constexpr Bilingual kSpokenOnBoard = {"On the board: %1", "على الطاولة: %1"};
inline constexpr Bilingual kSpokenEmptyPlace = {"Empty place", "مكان فارغ"};
inline constexpr Bilingual kSpokenTable = {"Morvel table", "طاولة مورفل"};
inline constexpr Bilingual kSpokenNews = {"Course of play", "مجرى اللعب"};
inline constexpr Bilingual kSpokenMenu = {"Menu", "القائمة"};
inline constexpr Bilingual kSpokenYourName = {"Your name: %1", "اسمك: %1"};
inline constexpr Bilingual kSpokenNoName = {"No name", "بلا اسم"};
inline constexpr Bilingual kSpokenGameMode = {"Game mode", "نوع اللعبة"};
inline constexpr Bilingual kSpokenContractInPlay = {"Contract in play", "اللعبة الحالية"};
inline constexpr Bilingual kSpokenNoContract = {"No contract chosen yet", "لم تُختر اللعبة بعد"};

// The side windows and the message boxes.
inline constexpr Bilingual kSpokenQuestion = {"Question", "سؤال"};
inline constexpr Bilingual kSpokenInformation = {"Information", "معلومة"};
inline constexpr Bilingual kSpokenButtons = {"Buttons", "الأزرار"};
inline constexpr Bilingual kSpokenUsedContract = {"Already played, unavailable",
                                                  "لُعبت من قبل، غير متاحة"};
inline constexpr Bilingual kSpokenNameField = {"Player's name", "اسم اللاعب"};
inline constexpr Bilingual kSpokenAboutText = {"About Morvel", "معلومات عن مورفل"};
inline constexpr Bilingual kSpokenHelpText = {"Help: the rules and keys of Morvel",
                                              "المساعدة: قواعد مورفل ومفاتيحها"};
inline constexpr Bilingual kSpokenScrollBar = {"Scroll bar", "شريط التمرير"};
inline constexpr Bilingual kSpokenCardBack = {"Card back %1", "ظهر الورق %1"};
inline constexpr Bilingual kSpokenCardBacks[7] = {
    {"", ""},
    {"leaves with red and yellow flowers on black", "أوراق شجر وأزهار حمراء وصفراء على أسود"},
    {"three striped orange fish in blue water", "ثلاث سمكات برتقالية مخططة في ماء أزرق"},
    {"red roses on dark green", "ورود حمراء على أخضر داكن"},
    {"blue, yellow and green woven check", "مربعات منسوجة زرقاء وصفراء وخضراء"},
    {"red tulips", "زهور توليب حمراء"},
    {"palm tree on a beach", "نخلة على شاطئ"},
};
inline constexpr Bilingual kSpokenSheet = {"Results", "النتائج"};
inline constexpr Bilingual kSpokenSheetRow = {"Chooser %1, contract %2", "المختار %1، اللعبة %2"};
inline constexpr Bilingual kSpokenEmptyCell = {"Empty", "فارغ"};
inline constexpr Bilingual kSpokenWinner = {"Winner", "الفائز"};

}  // namespace morvel::text
