// Runs the window test classes: all of them, or the one named by the first argument; the
// remaining arguments go to QtTest.
#include "tests/shell/window_test_registry.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstring>

namespace k3::test {

std::vector<WindowTestClass>& windowTestClasses() {
    static std::vector<WindowTestClass> classes;
    return classes;
}

}  // namespace k3::test

int main(int argc, char** argv) {
    // Only local pages load here, and containers that run the tests seldom allow Chromium's
    // sandbox, as root or not.
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    std::vector<char*> qtestArguments{argv[0]};
    for (int i = only ? 2 : 1; i < argc; ++i) qtestArguments.push_back(argv[i]);

    int failures = 0;
    bool found = false;
    for (const auto& testClass : k3::test::windowTestClasses()) {
        if (only && testClass.name != only) continue;
        found = true;
        auto object = testClass.make();
        failures +=
            QTest::qExec(object.get(), static_cast<int>(qtestArguments.size()), qtestArguments.data());
    }
    if (!found) {
        std::fprintf(stderr, "no window test class named %s\n", only);
        return 2;
    }
    return failures == 0 ? 0 : 1;
}
