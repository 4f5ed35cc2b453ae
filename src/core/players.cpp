#include "players.h"

#include <bit>
#include <cassert>

namespace morvel {

namespace {

// Rank bits of ranks from `low` to `high`.
constexpr uint32_t RankSpan(int low, int high) {
    return ((2u << high) - 1) & ~((1u << low) - 1);
}

// How many of the seat's cards have a rank among `ranks`.
int CountRanks(const HandTable& hand, int seat, uint32_t ranks) {
    int count = 0;
    for (int s = 0; s < 4; ++s)
        count += std::popcount(hand.RanksOf(seat, s) & ranks);
    return count;
}

const SuitMasks& PenaltyMasks(const Contract& c) {
    return kPenaltyMasks[static_cast<int>(c.id)];
}

uint32_t PenaltyRanks(const Contract& c, char suit) {
    return PenaltyMasks(c)[HandSuit(suit)];
}

const Contract& Playing(const GameState& s) {
    const Contract* c = FindContract(CurrentContract(s));
    assert(c != nullptr);
    return *c;
}

// A card of the lead suit: the highest that ducks under the winning rank; else, before the last
// card, the lowest above it; the last card takes the round whatever it is, and is chosen to keep
// the penalty cards out of the taker's row.
int FollowInSuit(const GameState& s, const Contract& playing, const SuitHolding& held) {
    const int b = s.round.winningRank;
    const char lead = s.round.leadSuit;
    if (const int duck = held.HighestBelow(b); duck != 0) return duck;
    if (s.round.position == 2 || s.round.position == 3) return held.LowestAbove(b);

    // Lay the card above `rank` if held, else the highest below it, else the one left: `rank`.
    auto keepBelow = [&](int rank) {
        if (const int above = held.HighestAbove(rank); above != 0) return above;
        if (const int below = held.HighestBelow(rank); below != 0) return below;
        return held.LowestAbove(b);
    };
    if (s.mode == GameMode::Normal) {
        // Under a contract charged by one rank, keep that rank; otherwise spend the highest.
        if (PenaltyRanks(playing, lead) != 0 && playing.penaltyRank != kAnyRank) {
            return keepBelow(playing.penaltyRank);
        }
        return held.Highest();
    }
    if (lead != kHearts) return keepBelow(kQueen);
    // Hearts: the ace first, else the highest heart below the queen, else the queen before the
    // king.
    if (const int ace = held.HighestAbove(kKing); ace != 0) return ace;
    if (const int below = held.HighestBelow(kQueen); below != 0) return below;
    return held.LowestAbove(b);
}

}  // namespace

StandardPlayer& Standard() {
    static StandardPlayer player;
    return player;
}

int StandardPlayer::Lead(const GameState& s, int seat) {
    return s.hand.Lowest(seat);
}

int StandardPlayer::Follow(const GameState& s, int seat) {
    const Contract& playing = Playing(s);
    const SuitHolding lead = s.hand.Holding(seat, s.round.leadSuit);
    if (lead.Any()) {
        // A contract's penalty card of the lead suit goes under a higher winning card.
        const int rank = playing.penaltyRank;
        if (PenaltyRanks(playing, s.round.leadSuit) != 0 && rank != kAnyRank &&
            s.round.winningRank > rank && lead.Has(rank)) {
            return lead.Find(rank);
        }
        return FollowInSuit(s, playing, lead);
    }
    // A discard: the penalty cards go first, the heaviest first when every contract counts.
    int e = 0;
    if (s.mode == GameMode::Normal) {
        e = s.hand.HighestAmong(seat, InMasks(PenaltyMasks(playing)));
    } else {
        for (const Contract* c : kByCardWeight) {
            e = s.hand.HighestAmong(seat, InMasks(PenaltyMasks(*c)));
            if (e != 0) break;
        }
    }
    return e != 0 ? e : s.hand.Highest(seat);
}

int StandardPlayer::RoundCard(const GameState& s, int seat, Chance&) {
    const int e = s.round.position == 1 ? Lead(s, seat) : Follow(s, seat);
    assert(e != 0 && SeatOfEntry(e) == seat);
    return e;
}

char StandardPlayer::ChooseContract(const GameState& s, int seat, Chance& chance) {
    const ContractList& list = s.contractList;
    const HandTable& hand = s.hand;
    auto free = [&list](ContractId id) { return !list.Used(LetterOf(id)); };
    if (CountRanks(hand, seat, RankSpan(5, kAce)) > 10 && free(ContractId::Morvel)) {
        return LetterOf(ContractId::Morvel);
    }
    if (CountRanks(hand, seat, RankSpan(2, 5)) > 8 && free(ContractId::Collection)) {
        return LetterOf(ContractId::Collection);
    }
    if (std::popcount(hand.Ranks(seat, kDiamonds) & RankSpan(9, kAce)) <= 2 &&
        free(ContractId::Diamonds)) {
        return LetterOf(ContractId::Diamonds);
    }
    if ((hand.Ranks(seat, kHearts) & RankSpan(kKing, kAce)) == 0 && free(ContractId::HeartKing)) {
        return LetterOf(ContractId::HeartKing);
    }
    if (CountRanks(hand, seat, RankSpan(kQueen, kAce)) < 2 && free(ContractId::Queen)) {
        return LetterOf(ContractId::Queen);
    }

    // The last resort: a draw, repeated until the contract is free.
    static constexpr ContractId kByDraw[5] = {ContractId::Collection, ContractId::Queen,
                                              ContractId::HeartKing, ContractId::Diamonds,
                                              ContractId::Morvel};
    assert(list.FreeCount() > 0);
    Random& random = chance.Draws();
    ContractId id = kByDraw[random.Draw(5)];
    while (!free(id))
        id = kByDraw[random.Draw(5)];
    return LetterOf(id);
}

int StandardPlayer::LayoutMove(const GameState& s, int seat, Chance& chance) {
    if (const int jack = s.hand.FindRank(seat, kJack); jack != 0) return jack;
    // The first card that fits in hand order, or the last, by a draw.
    const bool forward = chance.Draws().Draw(6) % 2 == 0;
    const auto fitting = s.board.FittingByHandSuit();
    return forward ? s.hand.FirstAmong(seat, fitting) : s.hand.LastAmong(seat, fitting);
}

}  // namespace morvel
