// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/testregistry.h"

#include <QApplication>
#include <QTest>
#include <map>
#include <string>

namespace {
std::map<std::string, TestFactory>& registry()
{
    static std::map<std::string, TestFactory> tests;
    return tests;
}
} // namespace

TestRegistrar::TestRegistrar(const char* name, TestFactory factory)
{
    registry().emplace(name, std::move(factory));
}

int runRegisteredTests(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int failures = 0;
    // QRB_TEST_CLASS runs some classes alone (names separated by commas), e.g. under a screen of
    // their own or under valgrind.
    const QList<QByteArray> only = qgetenv("QRB_TEST_CLASS").split(',');
    for (const auto& [name, factory] : registry()) {
        if (!only.first().isEmpty() && !only.contains(QByteArray::fromStdString(name)))
            continue;
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures;
}
