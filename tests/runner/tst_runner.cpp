// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempfolder.h"
#include "support/testregistry.h"

#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

// The test programs take QtTest's options for all their classes at once.
class RunnerTest : public QObject {
    Q_OBJECT

    struct Run {
        int status = -1;
        QString out;
        QString err;
        // "Class::function(tag)" of each line "PASS   : ..." (or "FAIL!  : ..."), fixtures left out.
        QStringList ran(const QString& verdict = u"PASS   : "_s) const
        {
            QStringList names;
            for (const QString& line : out.split(u'\n')) {
                if (line.startsWith(verdict) && !line.contains(u"TestCase()"_s))
                    names.append(line.mid(verdict.size()).section(u' ', 0, 0));
            }
            return names;
        }
    };

    TempFolder m_runtime; // for Qt, which otherwise says on standard error that it made one

    Run run(const QStringList& arguments, const QString& failing = {}, const QString& only = {}) const
    {
        QProcess fixture;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
        environment.insert(u"QRB_FIXTURE_FAIL"_s, failing);
        environment.insert(u"QRB_TEST_CLASS"_s, only);
        fixture.setProcessEnvironment(environment);
        fixture.start(QStringLiteral(QRB_RUNNER_FIXTURE), arguments);
        Run result;
        if (fixture.waitForFinished(30000) && fixture.exitStatus() == QProcess::NormalExit)
            result.status = fixture.exitCode();
        result.out = QString::fromLocal8Bit(fixture.readAllStandardOutput());
        result.err = QString::fromLocal8Bit(fixture.readAllStandardError());
        return result;
    }

private Q_SLOTS:
    void listsCoverEveryClass()
    {
        const Run functions = run({u"-functions"_s});
        QCOMPARE(functions.status, 0);
        QCOMPARE(functions.out, u"shared()\nonlyInAlpha()\ntagged()\nshared()\nonlyInBeta()\n"_s);
        const Run tags = run({u"-datatags"_s});
        QCOMPARE(tags.status, 0);
        QCOMPARE(tags.out,
                 u"AlphaTest shared\nAlphaTest onlyInAlpha\nAlphaTest tagged one\nAlphaTest tagged two\n"
                 u"BetaTest shared\nBetaTest onlyInBeta\n"_s);
    }

    void aFunctionRunsWhereItExists()
    {
        QCOMPARE(run({u"onlyInBeta"_s}).ran(), QStringList{u"BetaTest::onlyInBeta()"_s});
        const Run both = run({u"shared"_s, u"tagged:two"_s});
        QCOMPARE(both.status, 0);
        QCOMPARE(both.ran(), QStringList({u"AlphaTest::shared()"_s, u"AlphaTest::tagged(two)"_s,
                                          u"BetaTest::shared()"_s}));

        const Run unknown = run({u"shared"_s, u"only"_s});
        QCOMPARE(unknown.status, 1);
        QCOMPARE(unknown.out, QString());
        QCOMPARE(unknown.err, u"Unknown test function: 'only'. Possible matches:\n"
                              u"AlphaTest::onlyInAlpha()\nBetaTest::onlyInBeta()\n"_s);
        const Run unknownClass = run({}, {}, u"BetaTest,GammaTest"_s);
        QCOMPARE(unknownClass.status, 1);
        QCOMPARE(unknownClass.err, u"QRB_TEST_CLASS: this program has no test class 'GammaTest'\n"_s);
    }

    void exitStatusIsOneWhateverFails()
    {
        QCOMPARE(run({}).status, 0);
        const Run one = run({}, u"BetaTest::onlyInBeta"_s);
        QCOMPARE(one.status, 1);
        QCOMPARE(one.ran(u"FAIL!  : "_s), QStringList{u"BetaTest::onlyInBeta()"_s});
        // One failure in each class: still 1, where a sum of the classes' statuses would say 2.
        const Run two = run({}, u"AlphaTest::tagged,BetaTest::shared"_s);
        QCOMPARE(two.status, 1);
        QCOMPARE(
            two.ran(u"FAIL!  : "_s),
            QStringList({u"AlphaTest::tagged(one)"_s, u"AlphaTest::tagged(two)"_s, u"BetaTest::shared()"_s}));
    }

    void everyOutputFileHoldsEveryClass()
    {
        TempFolder folder;
        const QString junit = folder.file(u"out.xml"_s);
        const QString text = folder.file(u"out.txt"_s);
        const Run result =
            run({u"-o"_s, junit + u",junitxml"_s, u"-o"_s, text, u"-txt"_s}, u"BetaTest::shared"_s);
        QCOMPARE(result.status, 1);
        QFile file(junit);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QVERIFY(xml.readNextStartElement());
        QCOMPARE(xml.name().toString(), u"testsuites"_s);
        QStringList suites;
        while (xml.readNextStartElement()) {
            suites.append(xml.attributes().value(u"name"_s) + u' ' + xml.attributes().value(u"failures"_s));
            xml.skipCurrentElement();
        }
        while (!xml.atEnd())
            xml.readNext();
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(suites, QStringList({u"AlphaTest 0"_s, u"BetaTest 1"_s}));
        const QString log = QString::fromLatin1(folder.read(u"out.txt"_s));
        QCOMPARE(log.count(u"********* Start testing of "_s), 2);
        QVERIFY(log.contains(u"FAIL!  : BetaTest::shared()"_s));
    }
};

QRB_TEST(RunnerTest)

#include "tst_runner.moc"
