// The simulator's trace against committed traces, line by line.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "sim_run.h"

namespace morvel {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void ExpectSameLines(const std::string& expected, const std::string& actual) {
    std::istringstream e(expected), a(actual);
    std::string el, al;
    int line = 0;
    while (true) {
        const bool more = static_cast<bool>(std::getline(e, el));
        const bool moreActual = static_cast<bool>(std::getline(a, al));
        ++line;
        ASSERT_EQ(more, moreActual) << "the traces differ in length at line " << line;
        if (!more) break;
        ASSERT_EQ(el, al) << "line " << line;
    }
}

TEST(Trace, NormalGameMatchesTheCommittedTrace) {
    sim::Options opt;
    opt.clockStart = 0;
    opt.clockStep = 1;
    opt.trace = true;
    std::string trace;
    sim::Run(opt, &trace);
    ExpectSameLines(ReadFile(MORVEL_TRACE_DIR "/normal-clock-0.txt"), trace);
}

TEST(Trace, ComplexGameMatchesTheCommittedTrace) {
    sim::Options opt;
    opt.mode = GameMode::Complex;
    opt.clockStart = 43200000;
    opt.clockStep = 250;
    opt.name = "Ahmad";
    opt.trace = true;
    std::string trace;
    sim::Run(opt, &trace);
    ExpectSameLines(ReadFile(MORVEL_TRACE_DIR "/complex-clock-43200000-250.txt"), trace);
}

}  // namespace
}  // namespace morvel
