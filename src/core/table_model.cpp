#include "table_model.h"

#include "table_layout.h"

namespace morvel {

namespace {

Rect DesignedRect(Family f, int n) {
    switch (f) {
        case Family::I:
            if (n <= 13) return {9, 72 + 16 * (n - 1), 60, 73};
            if (n <= 26) return {184 + 16 * (n - 14), 8, 60, 73};
            if (n <= 39) return {562, 72 + 16 * (n - 27), 60, 73};
            if (n == 40) return {186, 328, 70, 82};
            return {200 + 16 * (n - 41), 328, 70, 82};
        case Family::J:
            if (n <= 13) return {71, 136 + 8 * (n - 1), 35, 40};
            if (n <= 26) return {235 + 8 * (n - 14), 81, 35, 40};
            if (n <= 39) return {525, 136 + 8 * (n - 27), 35, 40};
            if (n == 52) return {337, 286, 35, 40};
            return {240 + 8 * (n - 40), 286, 35, 40};
        case Family::K: {
            // One column per suit; ace, king and queen fan out above the jack's place.
            const int column = (n - 1) / 13;
            const int row = (n - 1) % 13;  // 0 ace, 1 king, 2 queen, 3.. jack and below
            const int top = row < 3 ? 137 + 16 * row : 185;
            return {160 + 80 * column, top, 70, 82};
        }
        case Family::P: {
            static constexpr Rect kP[5] = {
                {}, {265, 127, 70, 82}, {209, 160, 72, 81}, {265, 199, 70, 82}, {321, 160, 70, 82}};
            return kP[n];
        }
        case Family::Pig: {
            static constexpr Rect kPig[5] = {
                {}, {386, 246, 70, 82}, {455, 160, 70, 82}, {165, 80, 70, 82}, {107, 160, 70, 82}};
            return kPig[n];
        }
        case Family::H: {
            static constexpr Rect kH[5] = {
                {}, {206, 297, 30, 30}, {530, 281, 30, 30}, {374, 82, 30, 30}, {72, 103, 30, 30}};
            return kH[n];
        }
        case Family::King:
            return {layout::kChooserSpot[n].left, layout::kChooserSpot[n].top, 60, 46};
    }
    return {};
}

}  // namespace

Family TableModel::FamilyOfIndex(int index) {
    assert(index >= 0 && index < kSlotCount);
    int f = kFamilyCount - 1;
    while (kFamilyStart[f] > index)
        --f;
    return static_cast<Family>(f);
}

int TableModel::NumberOfIndex(int index) {
    return index - kFamilyStart[static_cast<int>(FamilyOfIndex(index))] + 1;
}

TableModel::TableModel() {
    for (int index = 0; index < kSlotCount; ++index) {
        const Family f = FamilyOfIndex(index);
        const int n = NumberOfIndex(index);
        Slot& slot = slots_[index];
        slot.rect = DesignedRect(f, n);
        if (f == Family::H) {
            slot.picture = Picture::Turn(n);
            slot.visible = false;
        } else if (f == Family::King) {
            slot.picture = Picture::Chooser(n);
            slot.visible = false;
        }
        changed_[index] = true;
    }
}

void TableModel::MoveTo(Family f, int n, int left, int top) {
    Slot& slot = At(f, n);
    if (slot.rect.left == left && slot.rect.top == top) return;
    slot.rect.left = left;
    slot.rect.top = top;
    changed_[Index(f, n)] = true;
}

void TableModel::SetNamegame(std::string_view caption) {
    if (namegame_ == caption) return;
    namegame_ = caption;
    MarkControls();
}

void TableModel::SetNamegameVisible(bool visible) {
    if (namegameVisible_ == visible) return;
    namegameVisible_ = visible;
    MarkControls();
}

void TableModel::SetPanel1(std::string_view caption) {
    if (panel1_ == caption) return;
    panel1_ = caption;
    MarkControls();
}

void TableModel::SetNameplayer(std::string_view caption) {
    if (nameplayer_ == caption) return;
    nameplayer_ = caption;
    MarkControls();
}

void TableModel::SetCgVisible(bool visible) {
    if (cgVisible_ == visible) return;
    cgVisible_ = visible;
    MarkControls();
}

void TableModel::SetPassbVisible(bool visible) {
    if (passbVisible_ == visible) return;
    passbVisible_ = visible;
    MarkControls();
}

void TableModel::SetFocus(Focus focus) {
    focus_ = focus;
    ++focusRequests_;
    MarkControls();
}

void TableModel::TakeChanges() {
    changed_.fill(false);
    controlsChanged_ = false;
}

}  // namespace morvel
