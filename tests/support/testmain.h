#pragma once

#include <QApplication>
#include <QTest>
#include <type_traits>

// Runs several test classes in one program: one program per source folder.
template <typename... Tests>
int runTests(int argc, char* argv[])
{
    QApplication app(argc, argv);
    int failures = 0;
    [[maybe_unused]] auto run = [&](auto* tag) {
        std::remove_pointer_t<decltype(tag)> test;
        failures += QTest::qExec(&test, argc, argv);
    };
    (run(static_cast<Tests*>(nullptr)), ...);
    return failures;
}
