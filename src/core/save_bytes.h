// Bytes of a saved file: little-endian numbers and four-letter part tags written one after
// another, and read back with every read bounded. A reader that runs out of bytes, or is told a
// field is wrong, keeps the first reason and reads zeros from then on, so a part is read to its
// end with plain code and checked once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace morvel {

class ByteWriter {
  public:
    void U8(unsigned v) { bytes_ += static_cast<char>(v & 0xFF); }
    void U16(unsigned v) {
        U8(v);
        U8(v >> 8);
    }
    void U32(uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void U64(uint64_t v) {
        U32(static_cast<uint32_t>(v));
        U32(static_cast<uint32_t>(v >> 32));
    }
    void Bool(bool v) { U8(v ? 1 : 0); }
    void Raw(std::string_view text) { bytes_.append(text); }
    // A text of up to 65,535 bytes, its length first.
    void Text(std::string_view text) {
        U16(static_cast<unsigned>(text.size()));
        Raw(text);
    }
    // A file begins with what it is and its version.
    void Header(std::string_view magic, int version) {
        Raw(magic);
        U16(static_cast<unsigned>(version));
    }
    const std::string& Bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

class ByteReader {
  public:
    explicit ByteReader(std::string_view bytes) : rest_(bytes) {}

    bool Failed() const { return !problem_.empty(); }
    const std::string& Problem() const { return problem_; }
    bool AtEnd() const { return rest_.empty(); }
    // Keeps the first reason given.
    void Refuse(std::string_view why) {
        if (problem_.empty()) problem_ = why;
        rest_ = {};
    }

    uint8_t U8() {
        if (rest_.empty()) {
            Refuse("the file ends too soon");
            return 0;
        }
        const auto v = static_cast<uint8_t>(rest_[0]);
        rest_.remove_prefix(1);
        return v;
    }
    uint16_t U16() {
        const unsigned low = U8();
        return static_cast<uint16_t>(low | static_cast<unsigned>(U8()) << 8);
    }
    uint32_t U32() {
        const uint32_t low = U16();
        return low | static_cast<uint32_t>(U16()) << 16;
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    uint64_t U64() {
        const uint64_t low = U32();
        return low | static_cast<uint64_t>(U32()) << 32;
    }
    std::string_view Raw(size_t n) {
        if (rest_.size() < n) {
            Refuse("the file ends too soon");
            return {};
        }
        const std::string_view v = rest_.substr(0, n);
        rest_.remove_prefix(n);
        return v;
    }
    std::string Text() { return std::string(Raw(U16())); }

    // A whole number from `low` to `high`, as one byte; `what` names it when it is out of range.
    int Small(int low, int high, std::string_view what) {
        const int v = U8();
        if (v < low || v > high) Refuse(std::string(what) + " out of range");
        return Failed() ? low : v;
    }
    bool Bool(std::string_view what) { return Small(0, 1, what) == 1; }
    // Empty when the file begins with `magic` and `version`; otherwise `notOurs`, or the version
    // found.
    std::string Header(std::string_view magic, int version, std::string_view notOurs) {
        if (Raw(magic.size()) != magic) return std::string(notOurs);
        const int found = U16();
        if (!Failed() && found != version)
            return "saved by another version (" + std::to_string(found) + ")";
        return {};
    }
    // A part begins with its four-letter tag.
    void Tag(std::string_view tag) {
        if (Raw(tag.size()) != tag && !Failed())
            Refuse("part " + std::string(tag) + " not where it belongs");
    }

  private:
    std::string_view rest_;
    std::string problem_;
};

}  // namespace morvel
