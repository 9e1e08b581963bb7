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

    void parametersKeepTheirRefMarks()
    {
        const BuiltinFunction& f = builtins().functions.value(QStringLiteral("pickStructLocation"));
        QCOMPARE(f.returnType, QStringLiteral("BOOL"));
        QCOMPARE(f.params.size(), 4);
        QCOMPARE(f.params.at(0).type, QStringLiteral("STRUCTURESTAT"));
        QVERIFY(!f.params.at(0).byRef);
        QVERIFY(f.params.at(1).byRef);
        QCOMPARE(f.params.at(1).type, QStringLiteral("INT"));
        QVERIFY(builtins().callbacks.value(QStringLiteral("CALL_GAMEINIT")).params.isEmpty());
    }

    void typesKnowTheirVloWordsAndEquivalents()
    {
        const auto& types = builtins().types;
        QCOMPARE(types.value(QStringLiteral("INT")).vloWords, (QStringList{"int", "INT"}));
        QVERIFY(types.value(QStringLiteral("FLOAT")).vloWords.isEmpty());
        QVERIFY(types.value(QStringLiteral("BASEOBJ")).vloWords.isEmpty());
        QCOMPARE(types.value(QStringLiteral("BASEOBJ")).equivalents,
                 (QStringList{"DROID", "STRUCTURE", "FEATURE"}));
        QCOMPARE(types.value(QStringLiteral("COMPONENT")).equivalents.size(), 8);
        QCOMPARE(types.value(QStringLiteral("STRUCTURESTAT")).vloWords, QStringList{"STRUCTURESTAT"});
    }
};

QRB_TEST(BuiltinTablesTest)
#include "tst_builtins.moc"
