// SPDX-License-Identifier: GPL-3.0-or-later
#include "checkertext.h"
#include "scriptlang/checker.h"
#include "support/testregistry.h"

#include <QTest>

using namespace scriptlang;

// The game loads every one of its own scripts: no error, and only the unbound publics that
// the shipped AIs leave to their code as warnings.
class CorpusTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theGamesOwnScriptsCheckClean_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("variables");
        QTest::addColumn<QStringList>("unbound");
        const QStringList unbound20 = {"extraStruct", "numRepairUnits", "structChoice", "vtolModule"};
        for (int n = 0; n < 8; ++n)
            QTest::addRow("2.0 player%d", n)
                << "2.0/player0.slo" << QStringLiteral("2.0/player%1.vlo").arg(n) << unbound20;
        QTest::addRow("2.0 rules") << "2.0/rules.slo"
                                   << "2.0/rules.vlo" << QStringList();
        QTest::addRow("2.1 player0") << "2.1/player0.slo"
                                     << "2.1/player0.vlo" << unbound20;
        QTest::addRow("2.1 player1") << "2.1/player1.slo"
                                     << "2.1/player1.vlo" << unbound20;
        const QStringList unbound23 = {"extraStruct", "numRepairUnits", "vtolModule"};
        for (int n = 0; n < 8; ++n)
            QTest::addRow("2.3 player%d", n)
                << "2.3/player0.slo" << QStringLiteral("2.3/player%1.vlo").arg(n) << unbound23;
    }

    void theGamesOwnScriptsCheckClean()
    {
        QFETCH(QString, script);
        QFETCH(QString, variables);
        QFETCH(QStringList, unbound);
        const Findings findings = checkFiles(corpusText(script), corpusText(variables));
        QStringList unexpected;
        QStringList warned;
        for (const Finding& f : findings) {
            const QString name = f.message.section(QLatin1Char('\''), 1, 1);
            if (f.severity == Severity::Warning && f.text == TextKind::Slo &&
                f.message.contains(QStringLiteral("bound in the VLO: ")))
                warned.append(name);
            else
                unexpected.append(described({f}).first());
        }
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
        warned.sort();
        QCOMPARE(warned, unbound);
    }
};

QRB_TEST(CorpusTest)
#include "tst_corpus.moc"
