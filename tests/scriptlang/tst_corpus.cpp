// SPDX-License-Identifier: GPL-3.0-or-later
#include "checkertext.h"
#include "scriptlang/checker.h"
#include "support/testregistry.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
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

    // Every script of the game's 2.3 tree alone, and every value file with the script it names:
    // errors only in the three dead files the game never loads.
    void theWholeGameTreeChecksClean()
    {
        const QString root = QStringLiteral(QRB_CORPUS_DIR "/2.3-game/");
        QStringList scripts;
        QStringList valueFiles;
        for (QDirIterator it(root, {"*.slo", "*.vlo"}, QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();)
            (it.next().endsWith(QLatin1String(".slo")) ? scripts : valueFiles)
                .append(it.filePath().mid(root.size()));
        QCOMPARE(scripts.size(), 80);
        QCOMPARE(valueFiles.size(), 142);
        scripts.sort();
        valueFiles.sort();
        QStringList errors;
        const auto collect = [&errors](const QString& file, const Findings& findings, TextKind text) {
            for (const Finding& f : findings) {
                if (f.severity == Severity::Error && f.text == text)
                    errors.append(
                        QStringLiteral("%1:%2:%3: %4").arg(file).arg(f.line).arg(f.column).arg(f.message));
            }
        };
        for (const QString& script : scripts)
            collect(script, checkFiles(corpusText("2.3-game/" + script), QString()), TextKind::Slo);
        static const QRegularExpression named(QStringLiteral("script\\s*\"([^\"]+)\""));
        for (const QString& file : valueFiles) {
            const QString vlo = corpusText("2.3-game/" + file);
            const QString name = named.match(vlo).captured(1).toLower();
            const QString own = QFileInfo(file).path() + QLatin1Char('/') + name;
            const QString campaign = QStringLiteral("data/base/script/text/") + name;
            const QString script = scripts.contains(own) ? own : campaign;
            QVERIFY2(scripts.contains(script), qPrintable(file + QStringLiteral(" names ") + name));
            collect(file, checkFiles(corpusText("2.3-game/" + script), vlo), TextKind::Vlo);
        }
        const QString reticule = QStringLiteral("'removeReticuleButton' takes 2 arguments, not 1");
        QCOMPARE(
            errors,
            (QStringList{"data/base/script/fastplay/fastplay.slo:94:2: " + reticule,
                         "data/base/script/fastplay/fastplay.slo:95:2: " + reticule,
                         "data/base/script/fastplay/fastplay.slo:96:2: " + reticule,
                         ("data/base/script/data/cam2end.vlo:55:1: 'noTimeLimit' is not a global variable of "
                          "the script: did you mean 'timeLimit'?"),
                         ("data/base/script/data/cam3disk.vlo:20:1: 'disk' is not a global variable of the "
                          "script")}));
    }
};

QRB_TEST(CorpusTest)
#include "tst_corpus.moc"
