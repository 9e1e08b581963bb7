// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/builtins.h"
#include "support/testregistry.h"

using namespace scriptlang;

class BuiltinTablesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTableIsCompiledInWhole()
    {
        const Builtins& b = builtins();
        QCOMPARE(b.functions.size(), 345);
        QCOMPARE(b.callbacks.size(), 61);
        QCOMPARE(b.constants.size(), 302); // 310 rows; the IDRET_ names stand twice
        QCOMPARE(b.externals.size(), 17);
        QCOMPARE(b.members.size(), 37);
        QCOMPARE(b.types.size(), 30);
    }
};

QRB_TEST(BuiltinTablesTest)
#include "tst_builtins.moc"
