// The game's texts are UTF-8 constants of the engine.
#pragma once

#include <QString>
#include <string_view>

namespace morvel {

inline QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Captions read left to right as written: "ديناري Diamonds" shows the Arabic word first. Qt gives
// a text that begins with an Arabic letter a right-to-left paragraph ("Diamonds" would come
// first), so every caption is shown behind a LEFT-TO-RIGHT MARK. Typed names are not captions:
// they keep Qt's own guess.
inline constexpr QChar kLeftToRightMark{u'\u200E'};

inline QString Caption(std::string_view utf8) {
    return kLeftToRightMark + Text(utf8);
}

// A caption as the game spells it, without the mark it is shown with.
inline QString CaptionText(const QString& shown) {
    return shown.startsWith(kLeftToRightMark) ? shown.mid(1) : shown;
}

}  // namespace morvel
