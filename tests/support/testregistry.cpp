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
    // QRB_TEST_CLASS runs one class alone, e.g. under a screen of its own.
    const QByteArray only = qgetenv("QRB_TEST_CLASS");
    for (const auto& [name, factory] : registry()) {
        if (!only.isEmpty() && name != only.toStdString())
            continue;
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures;
}
