// The words a screen reader says: the bilingual texts filled in with seats, cards and numbers,
// English first and then Arabic, as the captions are.
#pragma once

#include <QString>
#include <initializer_list>
#include <span>

#include "texts.h"

namespace morvel {

// One thing said in both languages.
struct Words {
    QString english;
    QString arabic;
    // Either language alone is not enough: both are said.
    bool IsEmpty() const { return english.isEmpty() && arabic.isEmpty(); }
};

// The same word in both languages, as a seat's name is.
Words Same(const QString& word);
// A text with its %1, %2 ... filled in, each language with its own words.
Words Fill(const text::Bilingual& text, std::span<const Words> args);
inline Words Fill(const text::Bilingual& text, std::initializer_list<Words> args = {}) {
    return Fill(text, std::span<const Words>(args.begin(), args.size()));
}
// What is said: the English sentence begun with a capital, two blanks, then the Arabic.
QString Say(const Words& words);
inline QString Say(const text::Bilingual& text, std::initializer_list<Words> args = {}) {
    return Say(Fill(text, args));
}

// "queen of spades", "بنت البستوني".
Words CardWords(char suit, int rank);
// A face picture c1..c52.
Words FaceWords(int face);
// A computer player's name; seat 1 has its own texts ("You play..."), not a name.
Words SeatWords(int seat);
// `you` when the seat is the person's, otherwise `other` with the seat's name first.
Words About(int seat, const text::Bilingual& you, const text::Bilingual& other,
            std::initializer_list<Words> more = {});

}  // namespace morvel
