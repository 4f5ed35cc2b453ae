// The fixed places of the table window, in device-independent pixels of its client area.
#pragma once

#include <array>

namespace morvel::layout {

struct Point {
    int left;
    int top;
};

// By seat 1..4 (index 0 unused).
inline constexpr std::array<Point, 5> kPlayedSpot = {
    {{0, 0}, {265, 199}, {321, 160}, {265, 127}, {209, 160}}};
inline constexpr std::array<Point, 5> kChooserSpot = {
    {{0, 0}, {448, 328}, {496, 77}, {120, 32}, {72, 280}}};

// The other controls of the table (left, top, width, height).
struct Box {
    int left;
    int top;
    int width;
    int height;
};
inline constexpr Box kLabel1 = {8, 48, 76, 20};
inline constexpr Box kLabel2 = {448, 8, 60, 16};
inline constexpr Box kLabel3 = {552, 48, 72, 20};
inline constexpr Box kNameplayer = {36, 388, 138, 20};
inline constexpr Box kPanel1 = {499, 372, 130, 22};
inline constexpr Box kNamegame = {499, 392, 130, 22};
inline constexpr Box kCg = {237, 298, 155, 29};
inline constexpr Box kPassb = {237, 298, 155, 29};
inline constexpr Box kClear = {8, 0, 41, 33};
inline constexpr Box kPasscard = {56, 0, 25, 33};

// The table's colour, RGB (0, 128, 64).
inline constexpr int kTableRed = 0;
inline constexpr int kTableGreen = 128;
inline constexpr int kTableBlue = 64;

}  // namespace morvel::layout
