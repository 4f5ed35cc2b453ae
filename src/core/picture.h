// What an image slot shows, as a small value: copying a picture from one slot to another is an
// assignment.
#pragma once

#include <cstdint>

namespace morvel {

struct Picture {
    enum class Kind : uint8_t { Blank, Face, Back, Pass, Chooser, Turn };
    Kind kind = Kind::Blank;
    uint8_t index = 0;  // face 1..52, card back 1..6, chooser marker 1..4, turn marker 1..4

    static constexpr Picture Blank() { return {}; }
    static constexpr Picture Face(int c) { return {Kind::Face, static_cast<uint8_t>(c)}; }
    static constexpr Picture Back(int k) { return {Kind::Back, static_cast<uint8_t>(k)}; }
    static constexpr Picture Pass() { return {Kind::Pass, 0}; }
    static constexpr Picture Chooser(int k) { return {Kind::Chooser, static_cast<uint8_t>(k)}; }
    static constexpr Picture Turn(int s) { return {Kind::Turn, static_cast<uint8_t>(s)}; }

    friend bool operator==(const Picture&, const Picture&) = default;
};

}  // namespace morvel
