// morvel_ui_tests NAME [Qt Test arguments]: runs the window test registered as NAME.
#include <QApplication>
#include <QTest>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "ui_test_main.h"

namespace morvel::testing {

namespace {

std::map<std::string, MakeUiTest>& Registered() {
    static std::map<std::string, MakeUiTest> tests;
    return tests;
}

}  // namespace

bool RegisterUiTest(const char* file, MakeUiTest make) {
    std::string name = file;
    name.erase(0, name.find_last_of('/') + 1);
    name.erase(name.find_last_of('.'));
    Registered()[name] = make;
    return true;
}

}  // namespace morvel::testing

int main(int argc, char** argv) {
    const auto& tests = morvel::testing::Registered();
    const auto test = argc >= 2 ? tests.find(argv[1]) : tests.end();
    if (test == tests.end()) {
        std::fprintf(stderr, "usage: %s NAME [Qt Test arguments]; NAME is one of:\n", argv[0]);
        for (const auto& [name, make] : tests)
            std::fprintf(stderr, "  %s\n", name.c_str());
        return 2;
    }
    // Qt Test sees the program's name and the arguments after NAME.
    std::vector<char*> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    int count = static_cast<int>(arguments.size());
    QApplication app(count, arguments.data());
    app.setAttribute(Qt::AA_Use96Dpi, true);
    const std::unique_ptr<QObject> object = test->second();
    return QTest::qExec(object.get(), count, arguments.data());
}
