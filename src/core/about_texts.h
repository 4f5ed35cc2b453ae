// The texts of the side windows: the about box, the help window (the game's only manual), and the
// captions of the last-round window and the card-back chooser. UTF-8, line by line as the memo
// shows them; leading, trailing and doubled blanks are part of the lines.
#pragma once

#include <array>
#include <string_view>

namespace morvel::text {

inline constexpr std::string_view kAboutCaption = "About Me ?";
inline constexpr std::string_view kHelpCaption = "About Movel";
inline constexpr std::string_view kLastCaption = "               الرمية الاخيرة Last Shot";
inline constexpr std::string_view kDeckCaption = "Deck Card نوع خلفية الورقة ";
inline constexpr std::string_view kDeckLabelArabic = "اختر شكل لخلفية الورق بالضغط على الصورة";
inline constexpr std::string_view kDeckLabelEnglish = "Chose Card By Press On Picture";

// The name of the game, our credits, and blank lines that leave room below them.
inline constexpr std::array<std::string_view, 12> kAboutLines = {
    "بسم الله الرحمن الرحيم",
    "",
    "اسم اللعبة مورفل ",
    "Name Game : Morvel  ",
    "برمجة فريق مورفل",
    "By the Morvel developers",
    "لعبة حرة ومجانية",
    "Free software, GPL 3 or later",
    "Contact: the project page",
    "",
    "",
    "",
};

// Two game modes, the function keys, the round contracts and what each asks to avoid, the layout
// contract, the scores; Arabic first in every section, and our greeting last.
inline constexpr std::array<std::string_view, 98> kHelpLines = {
    "لعبة مورفل ",
    "Morvel Game ",
    "يمكن للاعب ان يلعب نوعين من مورفل",
    "You Can play Two Type  of Morvel",
    "",
    " 1. COMPLEX  معقد",
    "ان يلعب ديناري و لطش و شيخ القلب و بنات معاً  ثم مورفل  ",
    "You Can play Diamonds,Collection,Heart King and Queen with Other Then Morvel",
    "",
    " 2.NORMAL  عادي",
    " ان يلعب كل لعبة لوحدها     ",
    "You Can Play Each Game Alone",
    "",
    "عند الضغط على   ",
    "******************",
    "سوف تلعب النوع الاول    F2 ",
    "سوف تلعب النوع الثاني  F3",
    "سوف تظهر شاشة النتائج    F4  ",
    "سوف تظهر شاشة رسومات خلفية الورق    F5 ",
    "سوف تظهر شاشة تبين اخر رمية في كل لعبة    F6 ",
    "",
    "When Press on These Keys ",
    "*********************************",
    "F2   : You Can play The First Type",
    "F3   : You Can Play The Second Type   ",
    "F4   : You Can See The Result Screen",
    "F5   : You Can See Change Card Screen ",
    "F6   : You Can See The Last Shot in Each Game",
    "",
    "طريقة اللعب  ",
    "*************",
    " بعد اختيار نوع اللعبة معقد او عادي ",
    "فاذا كتنت عادي عليك اختيار الورقة والضغط عليها وبعد ذلك يلعب الكمبيوتر معك",
    "ويكون كسب الورق اي استلام اللعبة لك اذا رمى ورقة اكبر مقدارا  من نفس ",
    "اول و رقة رميت  وتكون من نفس النوع مثل ديناري او كبه الخ",
    "",
    "How To Play",
    "***************",
    "After Chose Type Of Game Complex or Normal",
    "If You Chose Normal you must Chose Card And Then Press On it Then",
    "The Computer Play with you If You Get The Game (Card) By Shot Card",
    "Larger in Value Than The First Card And The Same Type Like Diamons,Heart..etc",
    "",
    "ملاحظة ",
    "********",
    "عند اختيار اللعبة و اسمها  يجب مراعاة مايلة اذا كانت اللعبة",
    "ديناري ان تتجنب الكسب قدر الامكان من الديناري",
    "بنات ان تتجنب الكسب قدر الامكان من كل انواع البنات",
    "شيخ القلب ان تتجنب الكسب قدر الامكان من شيخ القلب",
    "لطش ان تتجنب الكسب قدر الامكان من كل الورق",
    "",
    "Note ",
    "******",
    "When Chose Game And its Name You Must Avoid The Followin if The Game is",
    "Diamonds  : You must avoid to get card for This Type ..Diamonds..",
    "Queen     : You must avoid to get card hase Any Type Of Queen",
    "Heart King: You must avoid to get card has Heart King   ",
    "Collection: You must avoid to get any cards",
    "",
    "",
    "اما مورفل فهي ترتيب اوراق الشدة كل حسب نوعه  واذا لم يكن ",
    "موجود كرت يكمل ترتيب االورق اضغط عل  زر تمرير وانتظر رمي اللاعبين الاخرين",
    "اذا كانت بداية اللعبة من قبلك يجب ان تبدأ برمي الولد اولا ومن ثم الاوراق الاخرى",
    "",
    "ويكون الترتيب كما يلي",
    "نقط شيخ بنت ولد عشرة تسعة ثمانيه حتى الاثنان والرئيسي الذي يبتدأ به الولد",
    "",
    "لا تستطيع ان تضغط على تمرير اذا كان عندك ما يكمل الورق المرمي كالبنت والشيخ ",
    "والعشرة والتسعة وهكذا ويبتدأ اللعب بالولد ثم البنت والشيخ والنقط اي الواحد ",
    "او العشرة بعد الولد ومن ثم التسعة وهكذا حتى الاثنان ",
    "والذي ينهى ورقه اول يأخذ مائتان والثاني يأخذ مائه وخمسون والثالث مائه والرابع خمسون",
    "",
    "Morvel Game its Order Card Each as Type and if not find any card press on ",
    "Pass Button and wait the other players to play",
    "The Order is Put Q{Queen} After J{Prince} ,K{King} after Q,1{ace} after K ,",
    "   10 before J,9 after 10,8 after 9...",
    "IF You The First Player You Must put The J Before any things ",
    "then play the next card ",
    "The first One End His Cards Take 200 then The Second 150,3rd 100,4th 50 .",
    "",
    "طريقة حساب النتيجة",
    "******************",
    "اذا كانت اللعبة بنات تاخذ على كل بنت سالب خمسة وعشرون -25",
    "اذا كانت اللعبة شيخ القلب تأخذ سالب خمس وسبعون -75",
    "اذا كانت اللعبة لطش تأخذ على كل لطش سالب خمسة عشر -15",
    "اما لعبة مورفل تأخذ العلامات بالموجب ولذلك يكون أكبر مجموع هو الفائز",
    "",
    "How to compute the results",
    "**************************",
    "if game is Queen you get each queen -25",
    "if game is Diamonds you get each Diamond card -10",
    "if game is Heart King you get -75",
    "if game is Collection You get -15 of each Collection",
    "But Morvel game get by Posetive +ve Value and",
    "who Get Maximum Value Be Win",
    "",
    "",
    "مع تحيات فريق مورفل  With best wishes from the Morvel developers",
};

}  // namespace morvel::text
