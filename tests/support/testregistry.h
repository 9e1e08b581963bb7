// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTest>
#include <functional>
#include <memory>

// Each test class registers itself with QRB_TEST(Class); the folder's test program runs every
// registered class, in name order, so new test files need no list to be kept.
using TestFactory = std::function<std::unique_ptr<QObject>()>;

struct TestRegistrar {
    TestRegistrar(const char* name, TestFactory factory);
};

int runRegisteredTests(int argc, char* argv[]);

#define QRB_TEST(Class)                                                                                      \
    static const TestRegistrar qrbTestRegistrar##Class(#Class, [] { return std::make_unique<Class>(); });
