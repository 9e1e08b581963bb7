// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/codecompletion.h"
#include "app/definitionlink.h"
#include "editor/completionpopup.h"
#include "editor/editormenu.h"
#include "editor/outlinepopup.h"
#include "editor/referenceswindow.h"
#include "editor/scripteditor.h"
#include "editor/signaturetip.h"
#include "mainwindow/mainwindow.h"
#include "projectapp.h"
#include "support/testregistry.h"

#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolTip>
#include <QTreeView>
#include <QTreeWidget>

namespace {

// A corpus file with CR LF line ends, as a project file has them.
QByteArray crlfCorpusFile(const char* name)
{
    return corpusFile(QLatin1String(name)).replace("\r\n", "\n").replace("\n", "\r\n");
}

// The game's 2.3 AI as a project: its script, and its player0.vlo without the generated head.
ProjectApp gameProject()
{
    const QByteArray vlo = crlfCorpusFile("2.3/player0.vlo");
    QByteArray body = vlo.mid(vlo.indexOf("\r\n", 0) + 2);
    for (int line = 1; line < 11; ++line)
        body = body.mid(body.indexOf("\r\n") + 2);
    body.truncate(body.lastIndexOf('}'));
    return ProjectApp(crlfCorpusFile("2.3/player0.slo"), body);
}

void caretTo(ScriptEditor* editor, int line, int column)
{
    QTextCursor cursor(editor->document()->findBlockByNumber(line - 1));
    cursor.setPosition(cursor.position() + column - 1);
    editor->setTextCursor(cursor);
}

QString lineText(ScriptEditor* editor, int line)
{
    return editor->document()->findBlockByNumber(line - 1).text();
}

// The selected text and where it starts: "tmpl@111:19".
QString selection(ScriptEditor* editor)
{
    const QTextCursor c = editor->textCursor();
    QTextCursor start(editor->document());
    start.setPosition(c.selectionStart());
    return QStringLiteral("%1@%2:%3")
        .arg(c.selectedText())
        .arg(start.blockNumber() + 1)
        .arg(start.positionInBlock() + 1);
}

QStringList popupRows(CompletionPopup* popup, int count)
{
    return modelRows(popup->model()).mid(0, count);
}

} // namespace

class CodeAssistWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Ctrl+Space lists a body's locals first; Enter inserts; a pause after three letters opens
    // the list by itself; Tab inserts a function with its '(' and its parameters show.
    void completesAndShowsTheParameters()
    {
        ProjectApp f = gameProject();
        QVERIFY(f.startActive());
        ScriptEditor* slo = f.form800().slo();
        slo->setFocus();
        QCOMPARE(lineText(slo, 600), QStringLiteral("\t_maxBuilders = 1;"));
        caretTo(slo, 600, 19);
        QTest::keyClick(slo, Qt::Key_Return);
        QTest::keyClick(slo, Qt::Key_Underscore, Qt::NoModifier);
        QTest::keyClick(slo, Qt::Key_Space, Qt::ControlModifier);
        auto* popup = slo->findChild<CompletionPopup*>();
        QVERIFY(popup && popup->isVisible());
        QCOMPARE(popupRows(popup, 3),
                 (QStringList{"_maxBuilders|local|INT", "_numBuilders|local|INT", "_DEBUG|global|BOOL"}));
        QTest::keyClick(slo, Qt::Key_Down);
        QTest::keyClick(slo, Qt::Key_Return);
        QVERIFY(!popup->isVisible());
        QCOMPARE(lineText(slo, 601), QStringLiteral("\t_numBuilders"));
        QCOMPARE(lineText(slo, 602), QString()); // Enter went to the list, not into the text

        QTest::keyClicks(slo, QStringLiteral(" = iterateG"));
        QVERIFY(!popup->isVisible()); // not while typing
        QTRY_VERIFY_WITH_TIMEOUT(popup->isVisible(), 3000);
        QCOMPARE(popupRows(popup, 3), (QStringList{"iterateGroup(GROUP group)|builtin function|DROID",
                                                   "iterateGroupB(GROUP, INT)|builtin function|DROID"}));
        QTest::keyClick(slo, Qt::Key_Tab);
        QCOMPARE(lineText(slo, 601), QStringLiteral("\t_numBuilders = iterateGroup("));
        auto* tip = slo->findChild<SignatureTip*>();
        QVERIFY(tip && tip->isVisible());
        QCOMPARE(tip->shownText(), QStringLiteral("iterateGroup([GROUP group]) : DROID"));
        QTest::keyClicks(slo, QStringLiteral("max(1, "));
        QTRY_COMPARE(tip->shownText(), QStringLiteral("max(INT a, [INT b]) : INT"));
        QTest::keyClicks(slo, QStringLiteral("2)"));
        QTRY_COMPARE(tip->shownText(), QStringLiteral("iterateGroup([GROUP group]) : DROID"));
        QTest::keyClick(slo, Qt::Key_Escape);
        QVERIFY(!tip->isVisible());
        QCOMPARE(slo->hasFocus(), true);
        // A ',' inside the call shows them again; one outside a call does not.
        QTest::keyClick(slo, Qt::Key_Backspace);
        QTest::keyClicks(slo, QStringLiteral(", "));
        QTRY_VERIFY(tip->isVisible());
        QTest::keyClick(slo, Qt::Key_Escape);
        caretTo(slo, 597, int(lineText(slo, 597).indexOf(u',')) + 1);
        QTest::keyClick(slo, Qt::Key_Comma);
        QVERIFY(!tip->isVisible());
    }

    // A pause after `droid.` lists the droid's members by itself; after a number's point nothing
    // opens.
    void listsMembersAfterADot()
    {
        ProjectApp f = gameProject();
        QVERIFY(f.startActive());
        ScriptEditor* slo = f.form800().slo();
        slo->setFocus();
        caretTo(slo, 600, 19);
        QTest::keyClick(slo, Qt::Key_Return);
        QTest::keyClicks(slo, QStringLiteral("droid."));
        auto* popup = slo->findChild<CompletionPopup*>();
        QVERIFY(popup);
        QTRY_VERIFY_WITH_TIMEOUT(popup->isVisible(), 3000);
        const QStringList rows = popupRows(popup, 100);
        QVERIFY(rows.contains(QStringLiteral("droidType|member|INT")));
        QCOMPARE(rows.filter(QStringLiteral("|member|")), rows);
        QTest::keyClicks(slo, QStringLiteral("orderx"));
        QTRY_COMPARE(popupRows(popup, 100), QStringList{QStringLiteral("orderx|member|INT")});
        QTest::keyClick(slo, Qt::Key_Escape);

        QTest::keyClick(slo, Qt::Key_Semicolon);
        QTest::keyClick(slo, Qt::Key_Return);
        QTest::keyClicks(slo, QStringLiteral("_maxBuilders = 1."));
        QTest::qWait(CodeCompletion::kAutomaticPauseMs * 2);
        QVERIFY(!popup->isVisible());
    }

    // F12 from a VLO line to its global, Alt+F12 back to its first VLO line, Ctrl+click on a
    // call to the function's body, and the tip of a builtin under the pointer. A line out of
    // sight comes to the middle; one in sight stays where it is.
    void goesBetweenTheTexts()
    {
        ProjectApp f = gameProject();
        QVERIFY(f.startActive());
        ScriptEditor* slo = f.form800().slo();
        ScriptEditor* vlo = f.form800().vlo();
        const int tmplLine =
            int(vlo->toPlainText().left(vlo->toPlainText().indexOf("tmpl[0][1]")).count(u'\n')) + 1;
        vlo->setFocus();
        caretTo(vlo, tmplLine, 3);
        const int vloScrolled = vlo->verticalScrollBar()->value();
        QTest::keyClick(vlo, Qt::Key_F12);
        QCOMPARE(selection(slo), QStringLiteral("tmpl@111:18"));
        QVERIFY(slo->hasFocus());
        QVERIFY(inTheMiddle(slo));
        QTest::keyClick(slo, Qt::Key_F12, Qt::AltModifier);
        QVERIFY(vlo->hasFocus());
        QCOMPARE(selection(vlo), QStringLiteral("tmpl@%1:2").arg(tmplLine - 1));
        QCOMPARE(vlo->verticalScrollBar()->value(), vloScrolled);
        // A private global is not bound: said beside the caret.
        caretTo(slo, 134, 17);
        QTest::keyClick(slo, Qt::Key_F12, Qt::AltModifier);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("'buildGroup' is not bound in the VLO."));

        QCOMPARE(lineText(slo, 1829), QStringLiteral("\tif(!friendlyPlayer(baseobj.player))"));
        caretTo(slo, 1829, 8); // brought into sight
        QTextCursor call = slo->textCursor();
        const QPoint at = slo->cursorRect(call).center();
        QTest::mouseClick(slo->viewport(), Qt::LeftButton, Qt::ControlModifier, at);
        QCOMPARE(selection(slo), QStringLiteral("friendlyPlayer@3797:15"));
        QVERIFY(inTheMiddle(slo));

        const QString line = lineText(slo, 3799);
        QTextCursor builtin(slo->document()->findBlockByNumber(3798));
        builtin.setPosition(builtin.position() + line.indexOf("allianceExistsBetween") + 3);
        QHelpEvent help(QEvent::ToolTip, slo->cursorRect(builtin).center(),
                        slo->viewport()->mapToGlobal(slo->cursorRect(builtin).center()));
        QApplication::sendEvent(slo->viewport(), &help);
        QTRY_COMPARE(QToolTip::text(),
                     QStringLiteral("builtin function: allianceExistsBetween(INT one, INT other) : BOOL\n"
                                    "TRUE when the two players are allied."));
    }

    // Ctrl held over a call underlines the function's name as a link, with the pointing hand;
    // over a word that leads nowhere, or once Ctrl is released, the link goes.
    void ctrlShowsTheLink()
    {
        ProjectApp f = gameProject();
        QVERIFY(f.startActive());
        ScriptEditor* slo = f.form800().slo();
        auto* link = slo->findChild<DefinitionLink*>();
        QVERIFY(link);
        caretTo(slo, 1829, 1);
        const auto moveWithCtrl = [slo](int line, int column) {
            QTextCursor at(slo->document()->findBlockByNumber(line - 1));
            at.setPosition(at.position() + column - 1);
            const QPoint point = slo->cursorRect(at).center() + QPoint(2, 0);
            QMouseEvent move(QEvent::MouseMove, point, slo->viewport()->mapToGlobal(point), Qt::NoButton,
                             Qt::NoButton, Qt::ControlModifier);
            QApplication::sendEvent(slo->viewport(), &move);
        };
        moveWithCtrl(1829, 8); // \tif(!friendlyPlayer(baseobj.player))
        QCOMPARE(link->shown().line, 1829);
        QCOMPARE(link->shown().column, 6);
        QCOMPARE(link->shown().length, int(qstrlen("friendlyPlayer")));
        QCOMPARE(slo->decorations(ScriptEditor::DecorationLayer::Link).size(), 1);
        QCOMPARE(slo->viewport()->cursor().shape(), Qt::PointingHandCursor);
        moveWithCtrl(1829, 2); // 'if'
        QCOMPARE(link->shown().length, 0);
        QCOMPARE(slo->viewport()->cursor().shape(), Qt::IBeamCursor);
        moveWithCtrl(1829, 8);
        QCOMPARE(link->shown().length, int(qstrlen("friendlyPlayer")));
        QTest::keyRelease(slo, Qt::Key_Control);
        QCOMPARE(link->shown().length, 0);
        QVERIFY(slo->decorations(ScriptEditor::DecorationLayer::Link).isEmpty());
    }

    // Shift+F12 lists every place of a global in both texts; Enter on a row goes there.
    void listsTheReferences()
    {
        ProjectApp f = gameProject();
        QVERIFY(f.startActive());
        ScriptEditor* slo = f.form800().slo();
        ScriptEditor* vlo = f.form800().vlo();
        caretTo(slo, 103, 36); // public STRUCTURESTAT incendrys[8],structs[13], ...
        slo->setFocus();
        QTest::keyClick(slo, Qt::Key_F12, Qt::ShiftModifier);
        auto* window = shownWindow<ReferencesWindow>("REFERENCES");
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("References to 'structs'"));
        QCOMPARE(window->findChild<QLabel*>(QStringLiteral("ReferenceSummary"))->text(),
                 QStringLiteral("'structs': 11 place(s) in the SLO, 13 in the VLO"));
        QTreeView* list = window->list();
        const QStringList rows = modelRows(list->model());
        QCOMPARE(rows.first(),
                 QStringLiteral("SLO|103|35|public STRUCTURESTAT incendrys[8],structs[13],defStructs[26],"
                                "extraStructs[TECHS][6],wallWeaps[11];"));
        QCOMPARE(rows.at(11), QStringLiteral("VLO|147|2|structs[0] STRUCTURESTAT \"A0LightFactory\""));
        list->setCurrentIndex(list->model()->index(11, 0));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(selection(vlo), QStringLiteral("structs@136:2"));
        QVERIFY(inTheMiddle(vlo));
        QVERIFY(vlo->hasFocus());
    }

    // F2 renames a global in both texts; one undo in each editor gives both texts back byte
    // for byte. A builtin's name is refused, and said why.
    void renamesInBothTexts()
    {
        ProjectApp f = gameProject();
        QVERIFY(f.startActive());
        ScriptEditor* slo = f.form800().slo();
        ScriptEditor* vlo = f.form800().vlo();
        const QString sloBefore = slo->text();
        const QString vloBefore = vlo->text();
        f.dialogs.clear();
        caretTo(slo, 103, 36);
        slo->setFocus();
        f.dialogs.answerText(QStringLiteral("orderDroid"));
        QTest::keyClick(slo, Qt::Key_F2);
        QCOMPARE(f.dialogs.shown().at(0).text,
                 QStringLiteral("New name for the global variable 'structs', in the SLO and the VLO:"));
        QCOMPARE(f.dialogs.shown().at(0).defaultText, QStringLiteral("structs"));
        QCOMPARE(f.dialogs.shown().at(1).text,
                 QStringLiteral(
                     "'orderDroid' is a builtin function of the game's language: choose another name."));
        QCOMPARE(slo->text(), sloBefore);

        // The menu's row does what F2 does.
        f.dialogs.answerText(QStringLiteral("baseStructures"));
        auto* menu = f.form800().sloMenu();
        QListWidgetItem* row = menu->findItems(QStringLiteral("Rename  F2"), Qt::MatchExactly).value(0);
        QVERIFY(row);
        QCOMPARE(row->toolTip(), QStringLiteral("Rename: F2"));
        slo->findChild<EditorMenu*>()->choose(menu->row(row));
        QCOMPARE(slo->text().count(QStringLiteral("baseStructures")), 11);
        QCOMPARE(vlo->text().count(QStringLiteral("baseStructures[")), 13);
        QCOMPARE(QString(slo->text()).replace(QStringLiteral("baseStructures"), QStringLiteral("structs")),
                 sloBefore);
        QCOMPARE(QString(vlo->text()).replace(QStringLiteral("baseStructures"), QStringLiteral("structs")),
                 vloBefore);
        QTest::keyClick(slo, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(slo->text(), sloBefore);
        vlo->setFocus();
        QTest::keyClick(vlo, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(vlo->text(), vloBefore);
        // Byte for byte the file the project was loaded from (the loader drops the CR LF the
        // writer appends).
        QCOMPARE(slo->text().toLatin1() + "\r\n", crlfCorpusFile("2.3/player0.slo"));
    }

    // Ctrl+Shift+O: the outline, filtered by the capitals typed; Enter goes to the trigger.
    void filtersTheOutline()
    {
        ProjectApp f = gameProject();
        QVERIFY(f.startActive());
        ScriptEditor* slo = f.form800().slo();
        slo->setFocus();
        QTest::keyClick(slo, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        auto* outline = slo->findChild<OutlinePopup*>();
        QVERIFY(outline && outline->isVisible());
        QCOMPARE(outline->list()->topLevelItem(0)->text(0), QStringLiteral("me"));
        QTRY_VERIFY(outline->filter()->hasFocus());
        QTest::keyClicks(outline->filter(), QStringLiteral("bDT"));
        QCOMPARE(outline->list()->topLevelItemCount(), 2);
        QCOMPARE(outline->list()->topLevelItem(1)->text(0), QStringLiteral("buildOilDefenseOrRetreatTr"));
        QCOMPARE(outline->list()->topLevelItem(1)->text(1), QStringLiteral("trigger"));
        QTest::keyClick(outline->filter(), Qt::Key_Down);
        QTest::keyClick(outline->filter(), Qt::Key_Return);
        QVERIFY(!outline->isVisible());
        QCOMPARE(selection(slo), QStringLiteral("buildOilDefenseOrRetreatTr@183:9"));
    }
};

QRB_TEST(CodeAssistWindowTest)
#include "tst_codeassist.moc"
