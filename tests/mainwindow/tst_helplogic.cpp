#include "mainwindow/externalhelp.h"
#include "mainwindow/helpsearch.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

class HelpSearchTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void overlappingOccurrencesAreEachFound()
    {
        const QString text = QStringLiteral("aaaa");
        QCOMPARE(helpsearch::next(text, QStringLiteral("aa"), 0, 0), 0);
        QCOMPARE(helpsearch::next(text, QStringLiteral("aa"), 0, 2), 1);
        QCOMPARE(helpsearch::next(text, QStringLiteral("aa"), 1, 2), 2);
        QCOMPARE(helpsearch::next(text, QStringLiteral("aa"), 2, 2), -1);
    }

    void startAndCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("found");
        QTest::newRow("capitals find small letters") << "event attack(every, 10)"
                                                     << "ATTACK" << 0 << 0 << 6;
        QTest::newRow("small letters find capitals") << "CALL_NEWDROID"
                                                     << "newdroid" << 0 << 0 << 5;
        QTest::newRow("caret right on a match") << "xx key key"
                                                << "key" << 3 << 0 << 3;
        QTest::newRow("selection on a match goes on") << "xx key key"
                                                      << "key" << 3 << 3 << 7;
        QTest::newRow("a selection of another text") << "key xx key"
                                                     << "key" << 0 << 6 << 7;
        QTest::newRow("no wrap-around") << "key and more"
                                        << "key" << 5 << 0 << -1;
        QTest::newRow("caret at the end") << "key"
                                          << "key" << 3 << 0 << -1;
        QTest::newRow("caret past the end") << "key"
                                            << "key" << 40 << 0 << -1;
        QTest::newRow("across a line break") << "a\r\nb"
                                             << "A\r\nB" << 0 << 0 << 0;
        QTest::newRow("after CR LF lines") << "line1\r\nfind me"
                                           << "FIND" << 0 << 0 << 7;
        QTest::newRow("empty search text") << "text"
                                           << "" << 0 << 0 << -1;
        QTest::newRow("empty help text") << ""
                                         << "x" << 0 << 0 << -1;
    }

    void startAndCase()
    {
        QFETCH(QString, text);
        QFETCH(QString, needle);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(int, found);
        QCOMPARE(helpsearch::next(text, needle, start, length), qsizetype(found));
    }
};

class ExternalHelpTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void documentIsWrittenIntoANewCacheFolder()
    {
        TempFolder dir;
        const QString cache = dir.file(QStringLiteral("cache/deeper/QRB2"));
        const externalhelp::Copy copy = externalhelp::place(cache, "{\\rtf1 doc}");
        QVERIFY(!copy.failure);
        QCOMPARE(copy.path, cache + QStringLiteral("/Scriptlang.rtf"));
        QCOMPARE(dir.read(QStringLiteral("cache/deeper/QRB2/Scriptlang.rtf")), QByteArray("{\\rtf1 doc}"));
        QCOMPARE(dir.entries(QStringLiteral("cache/deeper/QRB2")),
                 QStringList{QStringLiteral("Scriptlang.rtf")});
    }

    void sameCopyIsLeftAloneAStaleOneReplaced()
    {
        TempFolder dir;
        dir.write(QStringLiteral("c/Scriptlang.rtf"), "{\\rtf1 same}");
        const QDateTime old(QDate(2001, 2, 3), QTime(4, 5, 6));
        {
            QFile f(dir.file(QStringLiteral("c/Scriptlang.rtf")));
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(old, QFileDevice::FileModificationTime));
        }
        QVERIFY(!externalhelp::place(dir.file(QStringLiteral("c")), "{\\rtf1 same}").failure);
        QCOMPARE(QFileInfo(dir.file(QStringLiteral("c/Scriptlang.rtf"))).lastModified(), old);

        QVERIFY(!externalhelp::place(dir.file(QStringLiteral("c")), "{\\rtf1 newer text}").failure);
        QCOMPARE(dir.read(QStringLiteral("c/Scriptlang.rtf")), QByteArray("{\\rtf1 newer text}"));
    }
};

QRB_TEST(HelpSearchTest)
QRB_TEST(ExternalHelpTest)
#include "tst_helplogic.moc"
