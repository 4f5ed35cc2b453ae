// The window tests share one program, morvel_ui_tests: each file registers its test class under
// its own name (keeper_test for keeper_test.cpp), and ctest runs the program once per file, each
// in a process of its own, so no test sees another's windows or settings.
#pragma once

#include <QObject>
#include <memory>

namespace morvel::testing {

using MakeUiTest = std::unique_ptr<QObject> (*)();

// `file` is the registering file's path; the test is known by its name without the extension.
bool RegisterUiTest(const char* file, MakeUiTest make);

}  // namespace morvel::testing

#define MORVEL_UI_TEST(TestClass)                                         \
    static const bool registeredUiTest = morvel::testing::RegisterUiTest( \
        __FILE__, [] { return std::unique_ptr<QObject>(std::make_unique<TestClass>()); });
