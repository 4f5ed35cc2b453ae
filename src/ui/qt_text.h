// The game's texts are UTF-8 constants of the engine.
#pragma once

#include <QString>
#include <string_view>

namespace morvel {

inline QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace morvel
