// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filelookup.h"
#include "platform/qtdialogs.h"
#include "platform/textfile.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TextFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyByteReadsAndWritesBackUnchanged()
    {
        TempFolder dir;
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        dir.write(u"in"_s, all);
        const textfile::ReadResult read = textfile::read(dir.file(u"in"_s));
        QVERIFY(read.ok());
        QCOMPARE(read.text.size(), 256);
        QVERIFY(textfile::writeWithLineEnd(dir.file(u"out"_s), read.text).ok());
        QCOMPARE(dir.read(u"out"_s), all + "\r\n");
    }

    void charactersOutsideLatin1BecomeQuestionMarksAndAreNamed()
    {
        QString replaced;
        // Euro sign, a Cyrillic letter twice and an emoji (a surrogate pair): one '?' each.
        const QString text =
            u"a\u20ac b\u0416\u0416 c"_s + QString::fromUtf8("\xF0\x9F\x98\x80") + u" \u00e9"_s;
        QCOMPARE(textfile::encode(text, &replaced), QByteArray("a? b?? c? \xe9"));
        QCOMPARE(replaced, u"\u20ac\u0416"_s + QString::fromUtf8("\xF0\x9F\x98\x80"));
    }

    void namesMatchWithoutRegardToCase()
    {
        TempFolder dir;
        dir.write(u"vlo.QRB"_s, "v");
        dir.write(u"a.txt"_s, "1");
        dir.write(u"A.TXT"_s, "2");
        dir.write(u"rts/Weapons.TXT"_s, "w");
        QCOMPARE(filelookup::resolve(dir.path(), u"VLO.qrb"_s), dir.file(u"vlo.QRB"_s));
        // The exact spelling wins; a missing file resolves to the spelling asked for.
        QCOMPARE(filelookup::resolve(dir.path(), u"A.TXT"_s), dir.file(u"A.TXT"_s));
        QCOMPARE(filelookup::resolve(dir.path(), u"SLO.qrb"_s), dir.file(u"SLO.qrb"_s));
        QCOMPARE(filelookup::resolvePath(dir.path(), u"RTS/weapons.txt"_s), dir.file(u"rts/Weapons.TXT"_s));
    }
};

QRB_TEST(TextFileTest)

// The real question box: Enter presses the default button the caller names.
class QtDialogsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void enterPressesTheDefaultAnswer()
    {
        for (const Dialogs::Answer wanted : {Dialogs::Answer::No, Dialogs::Answer::Yes}) {
            QString shown;
            QTimer::singleShot(0, [&shown] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box)
                    return;
                shown = box->windowTitle() + u'|' + box->text();
                QTest::keyClick(box, Qt::Key_Return);
            });
            QtDialogs dialogs;
            QCOMPARE(dialogs.askYesNo(u"WARNING"_s, u"Write?"_s, Dialogs::Icon::Question, wanted), wanted);
            QCOMPARE(shown, u"WARNING|Write?"_s);
        }
    }
};

QRB_TEST(QtDialogsTest)

#include "tst_platform.moc"
