// The window tests are QtTest classes in one executable; each registers itself here so that
// CTest can run every class as its own test.
#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace k3::test {

struct WindowTestClass {
    std::string name;
    std::function<std::unique_ptr<QObject>()> make;
};

std::vector<WindowTestClass>& windowTestClasses();

struct WindowTestRegistration {
    WindowTestRegistration(std::string name, std::function<std::unique_ptr<QObject>()> make) {
        windowTestClasses().push_back({std::move(name), std::move(make)});
    }
};

}  // namespace k3::test

#define K3_WINDOW_TEST(Class)                                          \
    static const k3::test::WindowTestRegistration registration##Class( \
        #Class, [] { return std::unique_ptr<QObject>(std::make_unique<Class>()); })
