#include "spoken.h"

#include <cassert>
#include <vector>

#include "cards.h"
#include "qt_text.h"

namespace morvel {

namespace {

QString FillOne(std::string_view text, const std::vector<QString>& args) {
    QString filled = Text(text);
    // Placeholders are replaced in one pass, so that a card or name holding "%2" stays as it is.
    QString out;
    out.reserve(filled.size());
    for (qsizetype i = 0; i < filled.size(); ++i) {
        if (filled[i] == QLatin1Char('%') && i + 1 < filled.size() && filled[i + 1].isDigit()) {
            const int n = filled[i + 1].digitValue();
            assert(n >= 1 && n <= static_cast<int>(args.size()));
            out += args[static_cast<size_t>(n - 1)];
            ++i;
        } else {
            out += filled[i];
        }
    }
    return out;
}

const text::Bilingual& SuitWords(char suit) {
    switch (suit) {
        case kHearts:
            return text::kSpokenHearts;
        case kClubs:
            return text::kSpokenClubs;
        case kDiamonds:
            return text::kSpokenDiamonds;
        default:
            assert(suit == kSpades);
            return text::kSpokenSpades;
    }
}

}  // namespace

Words Same(const QString& word) {
    return {word, word};
}

Words Fill(const text::Bilingual& text, std::span<const Words> args) {
    std::vector<QString> english;
    std::vector<QString> arabic;
    for (const Words& w : args) {
        english.push_back(w.english);
        arabic.push_back(w.arabic);
    }
    return {FillOne(text.english, english), FillOne(text.arabic, arabic)};
}

QString Say(const Words& words) {
    QString english = words.english;
    if (!english.isEmpty()) english[0] = english[0].toUpper();
    // A name or a number is the same in both.
    if (words.arabic.isEmpty() || words.arabic == words.english) return english;
    return english + QStringLiteral("  ") + words.arabic;
}

Words CardWords(char suit, int rank) {
    assert(rank >= 2 && rank <= kAce);
    const text::Bilingual& s = SuitWords(suit);
    return Fill(text::kSpokenCard, {{Text(text::kRankEnglish[rank]), Text(text::kRankArabic[rank])},
                                    {Text(s.english), Text(s.arabic)}});
}

Words FaceWords(int face) {
    assert(face >= 1 && face <= 52);
    // Faces run ace, two .. king in each block of thirteen.
    const int k = (face - 1) % 13 + 1;
    return CardWords(kFaceBlocks[(face - 1) / 13], k == 1 ? kAce : k);
}

Words SeatWords(int seat) {
    switch (seat) {
        case 2:
            return Same(Text(text::kSeat2Name));
        case 3:
            return Same(Text(text::kSeat3Name));
        default:
            assert(seat == 4);
            return Same(Text(text::kSeat4Name));
    }
}

Words About(int seat, const text::Bilingual& you, const text::Bilingual& other,
            std::initializer_list<Words> more) {
    if (seat == kHuman) return Fill(you, more);
    std::vector<Words> args{SeatWords(seat)};
    args.insert(args.end(), more.begin(), more.end());
    return Fill(other, args);
}

}  // namespace morvel
