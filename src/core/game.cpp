#include "game.h"

#include <array>

#include "table_draw.h"
#include "table_layout.h"
#include "texts.h"

namespace morvel {

// --- Start-up and menu -----------------------------------------------------------------------

void Game::FormCreate() {
    s_.speedInterval = kFastInterval;
    s_.mode = GameMode::Normal;
    s_.menuMode = GameMode::Normal;
    ShowContractName("");
    if (table_) table_->SetPanel1(text::kPanelNormal);
    s_.round.taken = false;
}

void Game::FormActivate(int cardBack) {
    assert(cardBack >= 1 && cardBack <= 6);
    ClearSheet();
    s_.cardBack = cardBack;
    host_.ShowNameDialog();
    NewGame();
}

void Game::Restore(const GameState& position) {
    s_ = position;
    if (table_) DrawTable(s_, *table_);
    host_.TimerIntervalChanged(TimerId::Timer1, s_.timer1Interval);
    host_.TimerIntervalChanged(TimerId::Timer3, s_.timer3Interval);
}

void Game::SetMode(GameMode mode) {
    if (table_)
        table_->SetPanel1(mode == GameMode::Normal ? text::kPanelNormal : text::kPanelComplex);
    s_.menuMode = mode;
}

void Game::Normal1Click() {
    SetMode(GameMode::Normal);
    host_.ShowNameDialog();
    NewGame();
}

void Game::Complex1Click() {
    SetMode(GameMode::Complex);
    host_.ShowNameDialog();
    NewGame();
}

void Game::SetSpeed(int interval) {
    assert(IsSpeed(interval));
    // Running timers keep their interval; the new pace applies from the next start of a timer.
    s_.speedInterval = interval;
}

void Game::SetTimer(TimerId timer, int interval) {
    int& current = timer == TimerId::Timer1 ? s_.timer1Interval : s_.timer3Interval;
    if (current == interval) return;
    current = interval;
    host_.TimerIntervalChanged(timer, interval);
}

// --- Player's name ---------------------------------------------------------------------------

namespace {

// Byte length of the first `count` characters of UTF-8 text.
size_t PrefixOfCharacters(std::string_view text, int count) {
    size_t i = 0;
    for (int c = 0; c < count && i < text.size(); ++c) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            ++i;
    }
    return i;
}

// The length in bytes of the UTF-8 character that starts `text`, and its code point; a byte that
// starts no well-formed character counts as one replacement character.
struct Decoded {
    size_t length;
    uint32_t code;
};

Decoded DecodeFirst(std::string_view text) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    constexpr Decoded kMalformed = {1, 0xFFFD};
    if (lead < 0x80) return {1, lead};
    const size_t length = lead < 0xC2 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 1;
    if (length == 1 || length > text.size()) return kMalformed;
    uint32_t code = lead & (0x7Fu >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return kMalformed;
        code = code << 6 | (byte(i) & 0x3F);
    }
    return {length, code};
}

// The last character of `text`, found by stepping back over continuation bytes.
Decoded DecodeLast(std::string_view text) {
    size_t start = text.size() - 1;
    while (start > 0 && text.size() - start < 4 &&
           (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
        --start;
    const Decoded d = DecodeFirst(text.substr(start));
    if (start + d.length == text.size()) return d;
    return DecodeFirst(text.substr(text.size() - 1));
}

// Blanks and control characters around a name do not make it another name: the C0 and C1
// controls, DEL, and every Unicode space separator (a no-break space looks like any other).
bool IsBlankOrControl(uint32_t c) {
    return c <= 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
           c == 0x202F || c == 0x205F || c == 0x3000;
}

}  // namespace

std::string StoredName(std::string_view typed) {
    return std::string(typed.substr(0, PrefixOfCharacters(typed, kNameLength)));
}

bool IsComputerName(std::string_view name) {
    while (!name.empty()) {
        const Decoded first = DecodeFirst(name);
        if (!IsBlankOrControl(first.code)) break;
        name.remove_prefix(first.length);
    }
    while (!name.empty()) {
        const Decoded last = DecodeLast(name);
        if (!IsBlankOrControl(last.code)) break;
        name.remove_suffix(last.length);
    }
    std::string upper(name);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper == "VESK" || upper == "KESTRIN" || upper == "ORU'A";
}

bool Game::AcceptName(std::string_view typed) {
    s_.playerName = StoredName(typed);
    return !IsComputerName(s_.playerName);
}

// --- Deal and table markers ------------------------------------------------------------------

void Game::Deal() {
    ShowContractName("");
    // Draw until an undealt card comes up; the first thirteen go to seat 4, the next to seat 3,
    // then seat 2 and seat 1. A seat's cards are kept as a set of card-table entries (bit r). A
    // card drawn again adds nothing: no branch depends on the draw, whose outcome the processor
    // would often guess wrong.
    const uint32_t clock = SeedFromClock();
    uint64_t used = 0;
    std::array<uint64_t, 5> owned{};
    for (int seat = 4; seat >= 1; --seat) {
        for (int dealt = 0; dealt < 13;) {
            const uint64_t card = uint64_t{1} << (s_.random.Draw(52) + 1);
            const uint64_t fresh = card & ~used;
            used |= card;
            owned[seat] |= fresh;
            dealt += fresh != 0;
        }
    }
    s_.hand.Deal(owned);
    s_.absences = {};
    computer_ = nextComputer_;
    if (table_) {
        for (int n = 1; n <= 52; ++n) {
            table_->SetVisible(Family::I, n, true);
            table_->SetPicture(Family::I, n,
                               SeatOfEntry(n) == kHuman ? Picture::Face(s_.hand[n].face)
                                                        : Picture::Back(s_.cardBack));
        }
    }
    if (observer_) observer_->OnDealt(clock);
}

uint32_t Game::SeedFromClock() {
    const uint32_t clock = host_.MillisecondOfDay();
    s_.random.Seed(clock);
    return clock;
}

void Game::PlacePlayedSlots(int leader) {
    if (!table_ || leader < 1 || leader > 4) return;
    for (int n = 1; n <= 4; ++n) {
        const layout::Point spot = layout::kPlayedSpot[SeatAtPosition(leader, n)];
        table_->MoveTo(Family::P, n, spot.left, spot.top);
    }
}

void Game::ShowChooserMarker() {
    if (!table_) return;
    for (int k = 1; k <= 4; ++k)
        table_->SetVisible(Family::King, k, false);
    const int k = s_.chooserNumber;
    if (k < 1 || k > 4) return;
    const layout::Point spot = layout::kChooserSpot[s_.chooserSeats[k]];
    table_->SetVisible(Family::King, k, true);
    table_->MoveTo(Family::King, k, spot.left, spot.top);
}

void Game::ShowTurnMarker(int seat) {
    s_.turnMarker = seat;
    if (!table_) return;
    for (int s = 1; s <= 4; ++s)
        table_->SetVisible(Family::H, s, s == seat);
}

void Game::LockHumanHand() {
    if (!table_) return;
    for (int n = kHumanBlock.first; n <= kHumanBlock.last; ++n)
        table_->SetEnabled(Family::I, n, false);
}

void Game::UnlockHumanHand() {
    if (!table_) return;
    for (int n = kHumanBlock.first; n <= kHumanBlock.last; ++n)
        table_->SetEnabled(Family::I, n, true);
}

// --- What the table shows besides the slots --------------------------------------------------

void Game::ShowCg(bool visible) {
    s_.cgVisible = visible;
    if (table_) table_->SetCgVisible(visible);
}

void Game::ShowPassb(bool visible) {
    s_.passbVisible = visible;
    if (table_) table_->SetPassbVisible(visible);
}

void Game::ShowContractName(std::string_view caption) {
    if (table_) table_->SetNamegame(caption);
}

void Game::RequestFocus(Focus focus) {
    if (table_) table_->SetFocus(focus);
}

}  // namespace morvel
