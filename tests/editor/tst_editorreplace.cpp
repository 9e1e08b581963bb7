// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editorsearch.h"
#include "editor/scripteditor.h"
#include "editor/scripthighlighter.h"
#include "editor/textreplace.h"
#include "support/testregistry.h"

#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using namespace Qt::StringLiterals;
using textreplace::Options;
using textreplace::Pattern;

namespace {

// "start+length" of each match.
QStringList spans(const Pattern& pattern, const QString& text)
{
    QStringList out;
    for (const textreplace::Match& m : pattern.findAll(text))
        out.append(QStringLiteral("%1+%2").arg(m.start).arg(m.length));
    return out;
}

// The text each coloured range of a line covers.
QStringList colouredWords(const QTextBlock& block)
{
    QStringList words;
    for (const QTextLayout::FormatRange& range : block.layout()->formats())
        words.append(block.text().mid(range.start, range.length));
    return words;
}

} // namespace

class EditorReplaceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void patterns()
    {
        const QString text = u"Count count_x \u00e9count count"_s;
        QCOMPARE(spans(Pattern(u"count"_s, {}), text), (QStringList{"0+5", "6+5", "15+5", "21+5"}));
        // A whole word stops at letters of any alphabet, digits and '_'.
        QCOMPARE(spans(Pattern(u"count"_s, Options{true, true, false}), text), QStringList{"21+5"});
        QCOMPARE(spans(Pattern(u"count"_s, Options{false, true, true}), text), (QStringList{"0+5", "21+5"}));
        QCOMPARE(Pattern(u"count"_s, Options{false, true, false}).findPrevious(text, 21)->start, 0);
        QCOMPARE(Pattern(u"count"_s, {}).count(text), 4);
        // Empty matches count once per place; the error names the place in the author's text.
        QCOMPARE(spans(Pattern(u"x*"_s, Options{false, false, true}), u"ab"_s),
                 (QStringList{"0+0", "1+0", "2+0"}));
        QCOMPARE(Pattern(u"a[b"_s, Options{false, true, true}).error(),
                 u"missing terminating ] for character class at character 4"_s);
        const Pattern groups(u"(\\w)(\\d)"_s, Options{false, false, true});
        const textreplace::Match m = *groups.findNext(u"-a1-"_s, 0);
        QCOMPARE(groups.replacement(m, u"\\2\\1\\0|\\t|\\\\|\\q|\\"_s), u"1aa1|\t|\\|\\q|\\"_s);
        QCOMPARE(Pattern(u"a"_s, {}).replacement(m, u"\\1"_s), u"\\1"_s);
    }

    // After Replace all, and after Tab on several lines, each line's colours fit its new text;
    // a replace that opens a comment colours the lines after it as comment.
    void coloursFollowChangesOfManyLines()
    {
        ScriptEditor editor(u"SLO"_s, nullptr);
        editor.setCodeKeys(true);
        auto* highlighter = new ScriptHighlighter(editor, codeview::Language::Script);
        editor.resize(400, 300);
        editor.setText(u"x = 11;\r\nx = 22;\r\nx = 33;\r\nx = 44;"_s);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QTRY_VERIFY(highlighter->isScanComplete());
        EditorSearch search(editor);
        QCOMPARE(search.replaceAll(Pattern(u"x"_s, {}), u"count"_s), 4);
        QCoreApplication::processEvents();
        for (int line = 0; line < 4; ++line)
            QCOMPARE(colouredWords(editor.document()->findBlockByNumber(line)),
                     QStringList{QString::number(11 * (line + 1))});
        editor.selectAll();
        QTest::keyClick(&editor, Qt::Key_Tab);
        QCoreApplication::processEvents();
        QCOMPARE(colouredWords(editor.document()->findBlockByNumber(1)), QStringList{u"22"_s});
        QCOMPARE(search.replaceAll(Pattern(u"count = 22;"_s, {}), u"/*"_s), 1);
        QCoreApplication::processEvents();
        QCOMPARE(colouredWords(editor.document()->findBlockByNumber(3)), QStringList{u"\tcount = 44;"_s});
        editor.undo();
        QCoreApplication::processEvents();
        QCOMPARE(colouredWords(editor.document()->findBlockByNumber(3)), QStringList{u"44"_s});
    }
};

QRB_TEST(EditorReplaceTest)

#include "tst_editorreplace.moc"
