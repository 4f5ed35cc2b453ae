// A run saved at any trace line and resumed prints exactly the rest of the run it was cut from:
// the same lines, the same clock readings, whether the line falls in the start-up, in the middle
// of a deal's lines, at the end of a deal or at the end of a game.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "sim_run.h"

namespace morvel {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start + 1));
        start = end + 1;
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines, size_t from, size_t to) {
    std::string text;
    for (size_t i = from; i < to; ++i)
        text += lines[i];
    return text;
}

sim::Options Uncut(GameMode mode) {
    sim::Options opt;
    opt.mode = mode;
    opt.games = 2;
    opt.clockStart = mode == GameMode::Normal ? 86399000u : 12345u;
    opt.clockStep = mode == GameMode::Normal ? 333u : 71u;
    opt.name = "Ahmad";
    opt.trace = true;
    return opt;
}

// Lines spread over the whole run, and every line that ends a deal, a chooser's turn or a game,
// or begins the next.
std::set<size_t> SavePoints(const std::vector<std::string>& lines) {
    std::set<size_t> points;
    for (size_t k = 1; k <= 12; ++k)
        points.insert(k);
    for (size_t k = 1; k <= lines.size(); k += lines.size() / 150)
        points.insert(k);
    points.insert(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.starts_with("row") || line.starts_with("winner") || line.starts_with("end") ||
            line.starts_with("game") || line.starts_with("chooser") || line.starts_with("out")) {
            points.insert(i + 1);
            if (i + 2 <= lines.size()) points.insert(i + 2);
        }
    }
    return points;
}

TEST(Resume, EveryCutRunGoesOnAsTheUncutRun) {
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        const sim::Options uncut = Uncut(mode);
        sim::StringTrace whole;
        const sim::Result full = sim::Run(uncut, &whole);
        ASSERT_EQ(full.games, 2);
        const std::vector<std::string> lines = Lines(whole.Text());
        ASSERT_EQ(full.lines, lines.size());
        const std::set<size_t> points = SavePoints(lines);
        ASSERT_GE(points.size(), 200u);
        for (size_t k : points) {
            SCOPED_TRACE((mode == GameMode::Normal ? "normal, line " : "complex, line ") +
                         std::to_string(k) + ": " + lines[k - 1]);
            sim::Options cut = uncut;
            cut.saveAt = k;
            sim::StringTrace head, tail;
            const sim::Result first = sim::Run(cut, &head);
            ASSERT_FALSE(first.saved.empty());
            ASSERT_EQ(head.Text(), Join(lines, 0, k));

            sim::Options resumed;
            resumed.trace = true;
            resumed.resume = first.saved;
            const sim::Result rest = sim::Run(resumed, &tail);
            ASSERT_EQ(rest.refused, "");
            ASSERT_EQ(tail.Text(), Join(lines, k, lines.size()));
            EXPECT_EQ(rest.games, 2);
            EXPECT_EQ(rest.deals, full.deals);
            EXPECT_EQ(rest.lines, lines.size());
        }
    }
}

// A resumed run cut again, and again: the pieces make the whole.
TEST(Resume, ARunCutManyTimesMakesTheWhole) {
    const sim::Options uncut = Uncut(GameMode::Complex);
    sim::StringTrace whole;
    sim::Run(uncut, &whole);
    std::string pieces;
    std::string saved;
    for (uint64_t k : {3u, 4u, 97u, 600u, 601u, 1100u}) {
        sim::Options opt = uncut;
        if (!saved.empty()) {
            opt = {};
            opt.trace = true;
            opt.resume = saved;
        }
        opt.saveAt = k;
        sim::StringTrace piece;
        saved = sim::Run(opt, &piece).saved;
        ASSERT_FALSE(saved.empty()) << "line " << k;
        pieces += piece.Text();
    }
    sim::Options last;
    last.trace = true;
    last.resume = saved;
    sim::StringTrace piece;
    sim::Run(last, &piece);
    EXPECT_EQ(pieces + piece.Text(), whole.Text());
}

TEST(Resume, WhatIsNoSavedRunIsRefused) {
    sim::Options cut = Uncut(GameMode::Normal);
    cut.saveAt = 500;
    sim::StringTrace trace;
    const std::string saved = sim::Run(cut, &trace).saved;
    ASSERT_FALSE(saved.empty());
    std::vector<std::string> refused = {"", "a text", saved.substr(0, saved.size() - 1),
                                        saved + "x"};
    std::string otherGame = saved;
    otherGame[otherGame.size() - 5] ^= 0x40;  // in the game's position
    refused.push_back(otherGame);
    // The line saved at, past what the event saved makes.
    std::string laterLine = saved;
    const size_t counted = laterLine.find("RUN ") + 4 + 1 + 4 + 4 + 2 + 5 + 4 + 12;
    uint64_t line = 0;
    for (int i = 7; i >= 0; --i)
        line = line << 8 | static_cast<unsigned char>(laterLine[counted + i]);
    line += 900;
    for (int i = 0; i < 8; ++i)
        laterLine[counted + 8 + i] = static_cast<char>(line >> (8 * i));
    refused.push_back(laterLine);
    for (const std::string& bytes : refused) {
        sim::Options opt;
        opt.resume = bytes;
        if (bytes.empty()) continue;  // no resume at all
        sim::StringTrace nothing;
        const sim::Result r = sim::Run(opt, &nothing);
        EXPECT_NE(r.refused, "") << bytes.size() << " bytes";
        EXPECT_EQ(nothing.Text(), "");
    }
    // A cut must come after the line the run was saved at.
    sim::Options again;
    again.resume = saved;
    again.saveAt = 500;
    EXPECT_NE(sim::Run(again, &trace).refused, "");
}

}  // namespace
}  // namespace morvel
