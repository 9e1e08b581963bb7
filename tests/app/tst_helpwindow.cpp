// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/scripteditor.h"
#include "mainwindow/builtinhelp.h"
#include "mainwindow/externalhelp.h"
#include "mainwindow/helpcommands.h"
#include "mainwindow/helpsearch.h"
#include "mainwindow/helpwindow.h"
#include "platform/rtfreader.h"
#include "projectapp.h"
#include "support/testregistry.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

namespace {

using Selection = std::pair<int, int>; // start, length

Selection selectionOf(const ScriptEditor* editor)
{
    return {editor->selectionStart(), editor->selectionLength()};
}

void typeInto(QLineEdit* box, const QString& text)
{
    box->clear();
    QTest::keyClicks(box, text);
}

// The program with Help.qrb holding `help` (nothing written when null).
struct HelpFixture : ProjectApp {
    explicit HelpFixture(const QByteArray* help)
    {
        if (help)
            root.write(QStringLiteral("work/Help.qrb"), *help);
    }
    // Starts the program once, forgets the boxes so far and clicks "Internal Help".
    HelpWindow* open()
    {
        if (!bench && !start())
            return nullptr;
        dialogs.clear();
        click(form800(), QStringLiteral("Command15"));
        return bench->help().helpWindow();
    }
};

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void plainHelpIsSearchedAndFillsTheWindow()
    {
        const QByteArray plain = "Attack first.\r\nThe ATTACK order\r\nattack again\r\n";
        HelpFixture f(&plain);
        HelpWindow* help = f.open();
        QVERIFY(help);
        ScriptEditor* text = help->helpText();
        QLineEdit* seeker = help->textSeeker();
        QCOMPARE(text->text(), QStringLiteral("Attack first.\r\nThe ATTACK order\r\nattack again"));
        // The button, Enter in the search box and Enter in the text (where a search leaves the
        // focus) walk alike from the caret through every place, and stay at the last.
        const std::function<void()> triggers[] = {
            [&] { QTest::mouseClick(help->seekButton(), Qt::LeftButton); },
            [&] { QTest::keyClick(seeker, Qt::Key_Return); },
            [&] { QTest::keyClick(text, Qt::Key_Enter, Qt::KeypadModifier); }};
        for (const auto& trigger : triggers) {
            text->setCaret(0);
            typeInto(seeker, QStringLiteral("attack"));
            QList<Selection> walk;
            QList<qint32> seekPositions;
            for (int i = 0; i < 4; ++i) {
                trigger();
                walk << selectionOf(text);
                seekPositions << f.bench->state().seekPosition;
            }
            QCOMPARE(walk, (QList<Selection>{{0, 6}, {19, 6}, {33, 6}, {33, 6}}));
            QCOMPARE(seekPositions, (QList<qint32>{1, 20, 34, 0}));
        }
        // Capitals find small letters after the caret the author placed.
        text->setCaret(20);
        typeInto(seeker, QStringLiteral("ATTACK"));
        QTest::keyClick(seeker, Qt::Key_Return);
        QCOMPARE(selectionOf(text), Selection(33, 6));
        QCOMPARE(text->selectedText(), QStringLiteral("attack"));

        // The text area keeps margins of 110 and 800 twips to the outer size (a frame of 2
        // pixels here) and never reaches beyond the window's edge; below the margins it stays.
        help->resize(600, 400);
        QTRY_COMPARE(text->geometry(), QRect(5, 32, 595, 351));
        help->resize(700, 460);
        QTRY_COMPARE(text->geometry(), QRect(5, 32, 695, 411));
        help->resize(3, 40);
        QTRY_COMPARE(help->size(), QSize(3, 40));
        QCOMPARE(text->size(), QSize(695, 411));
    }

    void richTextHelpShowsFormatted()
    {
        const QByteArray rtf =
            "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier;}}\\f0\\fs20"
            "{\\b\\fs28 Triggers}\\par Every \\i tenth\\i0  of a second: caf\\'e9 \\u8364?"
            "\\line\\ul init\\ulnone\\tab{\\f1 once}\\par}";
        HelpFixture f(&rtf);
        HelpWindow* help = f.open();
        QVERIFY(help);
        ScriptEditor* text = help->helpText();
        QCOMPARE(text->text(),
                 QStringLiteral("Triggers\r\nEvery tenth of a second: café €\r\ninit\tonce\r\n"));
        QCOMPARE(text->document()->blockCount(), 4);
        const auto formatAt = [&](int crLfIndex) {
            QTextCursor cursor(text->document());
            cursor.setPosition(text->toDocument(crLfIndex) + 1);
            return cursor.charFormat();
        };
        QVERIFY(formatAt(0).fontWeight() == QFont::Bold && formatAt(0).fontPointSize() == 14.0);
        QVERIFY(formatAt(10).fontWeight() == QFont::Normal && !formatAt(10).fontItalic() &&
                formatAt(16).fontItalic());
        QVERIFY(formatAt(44).fontUnderline() && !formatAt(44).fontFixedPitch());
        QVERIFY(!formatAt(49).fontUnderline() && formatAt(49).fontFixedPitch());
    }

    void emptyOrUnreadableHelpShowsTheBuiltInHelp()
    {
        const QString builtIn = rtf::parse(builtinhelp::scriptlangRtf()).plainText();
        QVERIFY(builtIn.startsWith(u"WARZONE 2100 SKIRMISH AI SCRIPTING - QUICK REFERENCE\r\n"));
        for (const bool unreadable : {false, true}) {
            HelpFixture f(nullptr); // the start makes an empty Help.qrb
            if (unreadable)
                f.root.mkdir(QStringLiteral("work/Help.qrb"));
            HelpWindow* help = f.open();
            QVERIFY(help);
            QCOMPARE(help->helpText()->text(), builtIn);
            QCOMPARE(f.dialogs.texts(),
                     unreadable
                         ? QStringList{QStringLiteral("The help text could not be read, so the built-in "
                                                      "help is shown:\n") +
                                       QDir(f.folders.workDir).filePath(QStringLiteral("Help.qrb")) +
                                       QStringLiteral(": file to open is a directory")}
                         : QStringList());
        }
    }

    void externalHelpCopiesTheBuiltInDocumentAndOpensIt()
    {
        ProjectApp f;
        QVERIFY(f.start());
        f.dialogs.clear();
        f.click(f.form800(), QStringLiteral("Command14"));
        const QString copy = f.root.file(QStringLiteral("cache/Scriptlang.rtf"));
        QCOMPARE(f.root.read(QStringLiteral("cache/Scriptlang.rtf")), builtinhelp::scriptlangRtf());
        QCOMPARE(f.opener.opened, QStringList{copy});
        // The same copy is left alone (a word processor may hold it); no application for it on
        // this desktop: the author is told where it is.
        const QDateTime old(QDate(2001, 2, 3), QTime(4, 5, 6));
        QFile file(copy);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(old, QFileDevice::FileModificationTime));
        file.close();
        f.opener.succeed = false;
        f.click(f.form800(), QStringLiteral("Command14"));
        QCOMPARE(QFileInfo(copy).lastModified(), old);
        QCOMPARE(f.opener.opened, (QStringList{copy, copy}));
        QCOMPARE(f.dialogs.texts(),
                 QStringList{QStringLiteral("No application of this desktop opened the reference "
                                            "document. Open it with a word processor; it is here:\n") +
                             QDir::toNativeSeparators(copy)});
        // A stale copy is replaced; a file where the folder should be is a failure.
        f.root.write(QStringLiteral("cache/Scriptlang.rtf"), "{\\rtf1 old}");
        f.click(f.form800(), QStringLiteral("Command14"));
        QCOMPARE(f.root.read(QStringLiteral("cache/Scriptlang.rtf")), builtinhelp::scriptlangRtf());
        const std::optional<FileFailure> failure = externalhelp::place(copy, "x").failure;
        QVERIFY(failure && failure->path == copy && failure->reason == "the folder could not be created");
    }

    // A selection moves the start on by one, so overlapping places are each found.
    void searchFindsOverlappingPlaces()
    {
        const QString text = QStringLiteral("aaaa");
        const QString needle = QStringLiteral("aa");
        QCOMPARE(QList<qsizetype>({helpsearch::next(text, needle, 0, 2), helpsearch::next(text, needle, 1, 2),
                                   helpsearch::next(text, needle, 2, 2)}),
                 QList<qsizetype>({1, 2, -1}));
    }
};

QRB_TEST(HelpWindowTest)
#include "tst_helpwindow.moc"
