// What the table window shows: the picture, visibility, enabled state and place of every image
// slot, and the captions and buttons of the table. The window owns it and attaches it to the
// engine, which writes it from then on; the window paints it. It is no part of the game's state.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <string>

#include "picture.h"

namespace morvel {

// Image-slot families of the table window: hand slots i1..i52, collection slots j1..j52, board
// slots k1..k52, played slots p1..p4, zoom images pig1..pig4, turn markers h1..h4 and chooser
// markers king1..king4.
enum class Family : uint8_t { I, J, K, P, Pig, H, King };

inline constexpr int kFamilyCount = 7;

constexpr int FamilySize(Family f) {
    return f == Family::I || f == Family::J || f == Family::K ? 52 : 4;
}

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Slot {
    Picture picture;
    bool visible = true;
    bool enabled = true;
    Rect rect;
    friend bool operator==(const Slot&, const Slot&) = default;
};

enum class Focus : uint8_t { None, Cg, Passb };

class TableModel {
    static constexpr int kFamilyStart[kFamilyCount] = {0, 52, 104, 156, 160, 164, 168};

  public:
    static constexpr int kSlotCount = 3 * 52 + 4 * 4;

    TableModel();

    const Slot& Get(Family f, int n) const { return slots_[Index(f, n)]; }
    void SetPicture(Family f, int n, Picture p) {
        const int i = Index(f, n);
        if (slots_[i].picture == p) return;
        slots_[i].picture = p;
        changed_[i] = true;
    }
    void SetVisible(Family f, int n, bool visible) {
        const int i = Index(f, n);
        if (slots_[i].visible == visible) return;
        slots_[i].visible = visible;
        changed_[i] = true;
    }
    void SetEnabled(Family f, int n, bool enabled) {
        const int i = Index(f, n);
        if (slots_[i].enabled == enabled) return;
        slots_[i].enabled = enabled;
        changed_[i] = true;
    }
    void MoveTo(Family f, int n, int left, int top);

    // Captions and buttons of the table.
    const std::string& Namegame() const { return namegame_; }
    bool NamegameVisible() const { return namegameVisible_; }
    const std::string& Panel1() const { return panel1_; }
    const std::string& Nameplayer() const { return nameplayer_; }
    bool CgVisible() const { return cgVisible_; }
    bool PassbVisible() const { return passbVisible_; }
    Focus FocusedControl() const { return focus_; }
    // Counts focus requests, so the window gives the focus once per request.
    uint32_t FocusRequests() const { return focusRequests_; }

    void SetNamegame(std::string_view caption);
    void SetNamegameVisible(bool visible);
    void SetPanel1(std::string_view caption);
    void SetNameplayer(std::string_view caption);
    void SetCgVisible(bool visible);
    void SetPassbVisible(bool visible);
    void SetFocus(Focus focus);

    // Change tracking for the window: which slots changed since the last TakeChanges.
    bool SlotChanged(int index) const { return changed_[index]; }
    bool ControlsChanged() const { return controlsChanged_; }
    void TakeChanges();

    friend bool operator==(const TableModel&, const TableModel&) = default;

    static int Index(Family f, int n) {
        assert(n >= 1 && n <= FamilySize(f));
        return kFamilyStart[static_cast<int>(f)] + n - 1;
    }
    static Family FamilyOfIndex(int index);
    static int NumberOfIndex(int index);

  private:
    Slot& At(Family f, int n) { return slots_[Index(f, n)]; }
    void MarkControls() { controlsChanged_ = true; }

    std::array<Slot, kSlotCount> slots_;
    std::array<bool, kSlotCount> changed_{};
    bool controlsChanged_ = true;
    std::string namegame_;
    bool namegameVisible_ = true;
    std::string panel1_;
    std::string nameplayer_;
    bool cgVisible_ = false;
    bool passbVisible_ = false;
    Focus focus_ = Focus::None;
    uint32_t focusRequests_ = 0;
};

}  // namespace morvel
