#include "support/appfixture.h"
#include "mainwindow/builtinhelp.h"
#include "mainwindow/helpcommands.h"
#include "mainwindow/helpwindow.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/scripteditor.h"
#include "platform/rtfreader.h"
#include "platform/twips.h"
#include "support/testregistry.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

using Kind = ScriptedDialogs::Kind;

namespace {

// The program with Help.qrb holding `help` (nothing written when null), started and with the
// help window opened by "Internal Help".
struct HelpFixture : AppFixture {
    explicit HelpFixture(const QByteArray* help)
    {
        prepareProject("", "", "");
        if (help)
            root.write(QStringLiteral("work/Help.qrb"), *help);
    }
    HelpWindow* open()
    {
        click(form800(), QStringLiteral("Command15"));
        return bench->help().helpWindow();
    }
};

struct Selection {
    int start;
    int length;
    bool operator==(const Selection&) const = default;
};

Selection selectionOf(const ScriptEditor* editor)
{
    return {editor->selectionStart(), editor->selectionLength()};
}

char* toString(const Selection& s)
{
    return qstrdup(QStringLiteral("(%1, %2)").arg(s.start).arg(s.length).toUtf8().constData());
}

void typeInto(QLineEdit* box, const QString& text)
{
    box->clear();
    QTest::keyClicks(box, text);
}

const QByteArray kPlainHelp = "Attack first.\r\nThe ATTACK order\r\nattack again\r\n";

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void internalHelpOpensTheHelpFile()
    {
        HelpFixture f(&kPlainHelp);
        QVERIFY(f.start());
        f.dialogs.clear();
        HelpWindow* help = f.open();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QCOMPARE(help->objectName(), QStringLiteral("HELP1"));
        QCOMPARE(help->windowTitle(), QStringLiteral("SCRIPTING LANGUAGE HELP"));
        QVERIFY(help->windowFlags().testFlag(Qt::Tool));
        QVERIFY(f.form800().isEnabled());
        QVERIFY(f.dialogs.shown().isEmpty());

        QCOMPARE(help->findChild<QLabel*>(QStringLiteral("Label7"))->text(), QStringLiteral("TEXT :"));
        QCOMPARE(help->findChild<QPushButton*>(QStringLiteral("NEXT_SEEK_CMD"))->text(),
                 QStringLiteral("&SEEK"));
        QCOMPARE(help->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Isn't CaSe sensitive. Search for string (no logical operations)"));
        QCOMPARE(help->findChild<QLineEdit*>(QStringLiteral("TEXT_SEEKER"))->geometry(),
                 twips::toPixels(720, 120, 3735, 285));
        auto* text = help->findChild<ScriptEditor*>(QStringLiteral("Text1"));
        QCOMPARE(text, help->helpText());
        // The file's text, without the one CR LF a writer puts at the end.
        QCOMPARE(text->text(), QStringLiteral("Attack first.\r\nThe ATTACK order\r\nattack again"));
        QVERIFY(text->isReadOnly());
        QCOMPARE(selectionOf(text), (Selection{0, 0}));
        // Shown at its design size (792 x 509 pixels inside a frame of 2), the text area
        // already follows the fill rule: 800 twips less in height, the window's edge in width.
        QCOMPARE(help->size(), QSize(792, 509));
        QCOMPARE(text->geometry(), QRect(5, 32, 787, 460));

        // A second click brings the same window forward.
        QCOMPARE(f.open(), help);
    }

    void seekWalksThroughEveryOccurrenceThenStays()
    {
        HelpFixture f(&kPlainHelp);
        QVERIFY(f.start());
        HelpWindow* help = f.open();
        ScriptEditor* text = help->helpText();
        QLineEdit* seeker = help->textSeeker();
        typeInto(seeker, QStringLiteral("attack"));

        QList<Selection> walk;
        QList<qint32> seekPositions;
        for (int i = 0; i < 4; ++i) {
            QTest::mouseClick(help->seekButton(), Qt::LeftButton);
            walk << selectionOf(text);
            seekPositions << f.bench->state().seekPosition;
        }
        // With the caret at the start the first occurrence is the very first word.
        QCOMPARE(walk, (QList<Selection>{{0, 6}, {19, 6}, {33, 6}, {33, 6}}));
        QCOMPARE(seekPositions, (QList<qint32>{1, 20, 34, 0}));
        QCOMPARE(text->selectedText(), QStringLiteral("attack"));
        // The search box keeps its text and its own caret.
        QCOMPARE(seeker->text(), QStringLiteral("attack"));
        QVERIFY(!seeker->hasSelectedText());
        QCOMPARE(seeker->cursorPosition(), 6);
    }

    void enterInTheSearchBoxSeeksAndCapitalsFindSmallLetters()
    {
        HelpFixture f(&kPlainHelp);
        QVERIFY(f.start());
        HelpWindow* help = f.open();
        ScriptEditor* text = help->helpText();
        QLineEdit* seeker = help->textSeeker();

        typeInto(seeker, QStringLiteral("ORDER"));
        QTest::keyClick(seeker, Qt::Key_Return);
        QCOMPARE(selectionOf(text), (Selection{26, 5}));
        QCOMPARE(text->selectedText(), QStringLiteral("order"));

        // The search leaves the focus in the text; Enter there walks on to the next place.
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(selectionOf(text), (Selection{26, 5}));
        typeInto(seeker, QStringLiteral("attack"));
        text->setCaret(0);
        QTest::keyClick(seeker, Qt::Key_Return);
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClick(text, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(selectionOf(text), (Selection{33, 6}));
        QCOMPARE(text->text(), QStringLiteral("Attack first.\r\nThe ATTACK order\r\nattack again"));
        // Shift+Enter is not a search.
        text->setCaret(0);
        QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(selectionOf(text), (Selection{0, 0}));

        // The caret placed by the author is where the next search starts.
        text->setCaret(16);
        typeInto(seeker, QStringLiteral("Attack"));
        QTest::keyClick(seeker, Qt::Key_Enter);
        QCOMPARE(selectionOf(text), (Selection{19, 6}));

        // Not found: the selection stays as it was, nothing is told.
        f.dialogs.clear();
        typeInto(seeker, QStringLiteral("zebra"));
        QTest::keyClick(seeker, Qt::Key_Return);
        QCOMPARE(selectionOf(text), (Selection{19, 6}));
        QCOMPARE(f.bench->state().seekPosition, 0);
        QVERIFY(f.dialogs.shown().isEmpty());

        // An empty search text does nothing at all.
        f.bench->state().seekPosition = 77;
        seeker->clear();
        QTest::mouseClick(help->seekButton(), Qt::LeftButton);
        QCOMPARE(selectionOf(text), (Selection{19, 6}));
        QCOMPARE(f.bench->state().seekPosition, 77);
    }

    void textAreaFollowsTheWindowSize()
    {
        HelpFixture f(&kPlainHelp);
        QVERIFY(f.start());
        HelpWindow* help = f.open();
        const QStringList fixed{QStringLiteral("Label7"), QStringLiteral("TEXT_SEEKER"),
                                QStringLiteral("NEXT_SEEK_CMD"), QStringLiteral("Label1")};
        QList<QRect> before;
        for (const QString& name : fixed)
            before << help->findChild<QWidget*>(name)->geometry();

        help->resize(600, 400);
        QTRY_COMPARE(help->size(), QSize(600, 400));
        // This platform draws a frame of 2 pixels around the window; the margins of 110 and
        // 800 twips are taken from that outer size. 800 twips less a 604 x 404 outer size
        // leaves 351 pixels of height; the width would reach 2 pixels beyond the window, so
        // the text area ends at the window's edge instead.
        QCOMPARE(help->frameGeometry().size(), QSize(604, 404));
        QCOMPARE(help->helpText()->geometry(), QRect(5, 32, 595, 351));

        // Enlarging the window enlarges the text area by as much; the search row stays.
        help->resize(700, 460);
        QTRY_COMPARE(help->size(), QSize(700, 460));
        QCOMPARE(help->helpText()->geometry(), QRect(5, 32, 695, 411));
        for (int i = 0; i < fixed.size(); ++i)
            QCOMPARE(help->findChild<QWidget*>(fixed[i])->geometry(), before[i]);

        // Narrower than the margin of 110 twips: the width stays, the height still follows.
        help->resize(3, 300);
        QTRY_COMPARE(help->size(), QSize(3, 300));
        QCOMPARE(help->helpText()->size(), QSize(695, 251));
        // Lower than the margin of 800 twips: the height stays.
        help->resize(500, 40);
        QTRY_COMPARE(help->size(), QSize(500, 40));
        QCOMPARE(help->helpText()->size(), QSize(495, 251));
    }

    void richTextHelpShowsFormatted()
    {
        const QByteArray rtf =
            "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red0\\green0"
            "\\blue128;}\\f0\\fs20{\\b\\fs28 Triggers}\\par Every \\i tenth\\i0  of a second: caf\\'e9 "
            "\\u8364?\\par\\ul init\\ulnone\\tab once\\par}";
        HelpFixture f(&rtf);
        QVERIFY(f.start());
        HelpWindow* help = f.open();
        ScriptEditor* text = help->helpText();
        QCOMPARE(text->text(),
                 QStringLiteral("Triggers\r\nEvery tenth of a second: café €\r\ninit\tonce\r\n"));
        const auto formatAt = [&](int crLfIndex) {
            QTextCursor cursor(text->document());
            cursor.setPosition(text->toDocument(crLfIndex) + 1);
            return cursor.charFormat();
        };
        QCOMPARE(formatAt(0).fontWeight(), int(QFont::Bold));
        QCOMPARE(formatAt(0).fontPointSize(), 14.0);
        QCOMPARE(formatAt(10).fontWeight(), int(QFont::Normal));
        QVERIFY(formatAt(16).fontItalic());
        QVERIFY(!formatAt(10).fontItalic());
        QVERIFY(formatAt(44).fontUnderline());
        QVERIFY(!formatAt(49).fontUnderline());

        typeInto(help->textSeeker(), QStringLiteral("CAFÉ"));
        QTest::mouseClick(help->seekButton(), Qt::LeftButton);
        QCOMPARE(selectionOf(text), (Selection{35, 4}));
    }

    void emptyOrUnreadableHelpShowsTheBuiltInHelp()
    {
        const QString builtIn = rtf::parse(builtinhelp::scriptlangRtf()).plainText();
        QVERIFY(
            builtIn.startsWith(QStringLiteral("WARZONE 2100 SKIRMISH AI SCRIPTING - QUICK REFERENCE\r\n")));
        QVERIFY(builtIn.contains(QStringLiteral("CALL_NEWDROID")));

        // Start-up creates the missing Help.qrb empty; the window shows the built-in help.
        {
            HelpFixture f(nullptr);
            QVERIFY(f.start());
            QCOMPARE(f.work(QStringLiteral("Help.qrb")), QByteArray());
            f.dialogs.clear();
            HelpWindow* help = f.open();
            QCOMPARE(help->helpText()->text(), builtIn);
            QTextCursor first(help->helpText()->document());
            first.setPosition(1);
            QCOMPARE(first.charFormat().fontWeight(), int(QFont::Bold));
            QVERIFY(f.dialogs.shown().isEmpty());
            // The search works on it too.
            typeInto(help->textSeeker(), QStringLiteral("call_newdroid"));
            QTest::keyClick(help->textSeeker(), Qt::Key_Return);
            QCOMPARE(help->helpText()->selectedText(), QStringLiteral("CALL_NEWDROID"));
            QCOMPARE(help->helpText()->selectionStart(), builtIn.indexOf(QStringLiteral("CALL_NEWDROID")));
        }
        // A Help.qrb that cannot be read is named, and the built-in help is shown.
        {
            HelpFixture f(nullptr);
            f.root.mkdir(QStringLiteral("work/Help.qrb"));
            QVERIFY(f.start());
            f.dialogs.clear();
            HelpWindow* help = f.open();
            QCOMPARE(f.dialogs.shown().size(), 1);
            const ScriptedDialogs::Shown& box = f.dialogs.shown().first();
            QCOMPARE(box.kind, Kind::Tell);
            QCOMPARE(box.title, QStringLiteral("SCRIPTING LANGUAGE HELP"));
            QCOMPARE(box.icon, Dialogs::Icon::Warning);
            const QString intro =
                QStringLiteral("The help text could not be read, so the built-in help is shown:\n") +
                QDir(f.folders.workDir).filePath(QStringLiteral("Help.qrb")) + QStringLiteral(": ");
            QVERIFY2(box.text.startsWith(intro) && box.text.size() > intro.size(), qPrintable(box.text));
            QCOMPARE(help->helpText()->text(), builtIn);
        }
    }

    void closedWindowIsDeletedAndReopensFresh()
    {
        HelpFixture f(&kPlainHelp);
        QVERIFY(f.start());
        QPointer<HelpWindow> first = f.open();
        typeInto(first->textSeeker(), QStringLiteral("order"));
        QTest::mouseClick(first->seekButton(), Qt::LeftButton);
        QCOMPARE(selectionOf(first->helpText()), (Selection{26, 5}));

        // The file changes while the window is open; closing and opening again reads it anew.
        f.root.write(QStringLiteral("work/Help.qrb"), "Changed help\r\n");
        first->close();
        QTRY_VERIFY(!first);
        QVERIFY(!f.bench->help().helpWindow());

        HelpWindow* second = f.open();
        QVERIFY(second);
        QCOMPARE(second->helpText()->text(), QStringLiteral("Changed help"));
        QCOMPARE(selectionOf(second->helpText()), (Selection{0, 0}));
        QCOMPARE(second->textSeeker()->text(), QString());
    }
};

class ExternalHelpCommandTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void referenceDocumentIsCopiedAndHandedToTheDesktop()
    {
        AppFixture f;
        f.prepareProject("", "", "");
        QVERIFY(f.start());
        f.dialogs.clear();
        f.click(f.form800(), QStringLiteral("Command14"));
        const QString copy = f.root.file(QStringLiteral("cache/Scriptlang.rtf"));
        QCOMPARE(f.opener.opened, QStringList{copy});
        const QByteArray document = builtinhelp::scriptlangRtf();
        QVERIFY(document.startsWith("{\\rtf1"));
        QCOMPARE(f.root.read(QStringLiteral("cache/Scriptlang.rtf")), document);
        QVERIFY(f.dialogs.shown().isEmpty());

        // Asking again opens the same copy.
        f.click(f.form800(), QStringLiteral("Command14"));
        QCOMPARE(f.opener.opened, (QStringList{copy, copy}));
    }

    void desktopWithoutAnApplicationIsToldWhereTheFileIs()
    {
        AppFixture f;
        f.prepareProject("", "", "");
        f.opener.succeed = false;
        QVERIFY(f.start());
        f.dialogs.clear();
        f.click(f.form800(), QStringLiteral("Command14"));
        const QString copy = f.root.file(QStringLiteral("cache/Scriptlang.rtf"));
        QCOMPARE(f.opener.opened, QStringList{copy});
        QCOMPARE(f.dialogs.shown().size(), 1);
        const ScriptedDialogs::Shown& box = f.dialogs.shown().first();
        QCOMPARE(box.title, QStringLiteral("EXTERNAL HELP"));
        QCOMPARE(box.icon, Dialogs::Icon::Information);
        QCOMPARE(box.text,
                 QStringLiteral("No application of this desktop opened the reference document. Open it "
                                "with a word processor; it is here:\n") +
                     QDir::toNativeSeparators(copy));
        QCOMPARE(f.root.read(QStringLiteral("cache/Scriptlang.rtf")), builtinhelp::scriptlangRtf());
    }

    void cacheThatCannotBeWrittenIsReported()
    {
        AppFixture f;
        f.prepareProject("", "", "");
        f.root.write(QStringLiteral("cache"), "a file where the folder should be");
        QVERIFY(f.start());
        f.dialogs.clear();
        f.click(f.form800(), QStringLiteral("Command14"));
        QVERIFY(f.opener.opened.isEmpty());
        QCOMPARE(f.dialogs.shown().size(), 1);
        const ScriptedDialogs::Shown& box = f.dialogs.shown().first();
        QCOMPARE(box.title, QStringLiteral("EXTERNAL HELP"));
        QCOMPARE(box.icon, Dialogs::Icon::Critical);
        QCOMPARE(box.text,
                 QStringLiteral("The reference document could not be written, so it cannot be opened:\n") +
                     f.root.file(QStringLiteral("cache")) +
                     QStringLiteral(": the folder could not be created"));
    }
};

QRB_TEST(HelpWindowTest)
QRB_TEST(ExternalHelpCommandTest)
#include "tst_helpwindow.moc"
