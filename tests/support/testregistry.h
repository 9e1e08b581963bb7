// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTest>
#include <functional>
#include <memory>

// Each test class registers itself with QRB_TEST(Class); the folder's test program runs every
// registered class, in name order, so new test files need no list to be kept.
//
// The program takes QtTest's own options and hands them to every class: -functions and
// -datatags list those of all classes, a function name runs only in the classes that have it
// (a name that none has is an error), each -o FILE,FORMAT file ends up holding every class
// (junitxml as one <testsuites> document), and the exit status is 0 when every class passed,
// 1 otherwise. QRB_TEST_CLASS=Name[,Name...] runs only those classes.
using TestFactory = std::function<std::unique_ptr<QObject>()>;

struct TestRegistrar {
    TestRegistrar(const char* name, const QMetaObject* metaObject, TestFactory factory);
};

int runRegisteredTests(int argc, char* argv[]);

#define QRB_TEST(Class)                                                                                      \
    static const TestRegistrar qrbTestRegistrar##Class(#Class, &Class::staticMetaObject,                     \
                                                       [] { return std::make_unique<Class>(); });
