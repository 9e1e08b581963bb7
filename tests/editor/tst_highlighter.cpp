// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/scripthighlighter.h"
#include "support/testregistry.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

using namespace Qt::StringLiterals;

using codeview::TokenClass;

namespace {

// "class[text] ..." for the colours a line's layout carries, compared with the formats of the
// token classes.
QString coloursOf(const QTextBlock& block)
{
    static const char* const names[] = {"comment",  "string",   "number",   "keyword", "type",
                                        "function", "callback", "constant", "define"};
    QStringList parts;
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        QString name = u"?"_s;
        for (int kind = 0; kind < 9; ++kind) {
            if (ScriptHighlighter::formatOf(TokenClass(kind)) == range.format)
                name = QLatin1String(names[kind]);
        }
        parts.append(name + u'[' + block.text().mid(range.start, range.length) + u']');
    }
    return parts.join(u' ');
}

struct Editor {
    QPlainTextEdit edit;
    ScriptHighlighter* highlighter;

    explicit Editor(const QString& text, codeview::Language language = codeview::Language::Script)
        : highlighter(new ScriptHighlighter(edit, language))
    {
        edit.resize(500, 400);
        edit.setPlainText(text);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QTRY_VERIFY(highlighter->isScanComplete());
        QCoreApplication::processEvents();
    }
    QString line(int n) const { return coloursOf(edit.document()->findBlockByNumber(n)); }
    QStringList lines(int from, int to) const
    {
        QStringList all;
        for (int n = from; n <= to; ++n)
            all.append(line(n));
        return all;
    }
    void typeAt(int position, const QString& text)
    {
        QTextCursor cursor(edit.document());
        cursor.setPosition(position);
        cursor.insertText(text);
        edit.viewport()->repaint();
    }
};

const QString kSample = QStringLiteral("#define LIMIT 5\n"
                                       "public int count; /* opened here\n"
                                       "event inside(every, 10)\n"
                                       "\"still inside\"\n"
                                       "closed */ event e(CALL_NEWDROID, 3, ref d)\n"
                                       "{ setEventTrigger(e, inactive); x = NULLOBJECT; s = \"open\n"
                                       "TEMPLATE t; }");

} // namespace

class HighlighterTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyClassAndACommentOverFourLines()
    {
        Editor e(kSample);
        QCOMPARE(
            e.lines(0, 6),
            QStringList({u"define[#define LIMIT 5]"_s, u"keyword[public] type[int] comment[/* opened here]"_s,
                         u"comment[event inside(every, 10)]"_s, u"comment[\"still inside\"]"_s,
                         QStringLiteral("comment[closed */] keyword[event] callback[CALL_NEWDROID] number[3] "
                                        "keyword[ref]"),
                         QStringLiteral("function[setEventTrigger] keyword[inactive] constant[NULLOBJECT] "
                                        "string[\"open]"),
                         u"type[TEMPLATE]"_s}));
    }

    // A comment closed further down re-colours the lines after it, on screen and off it.
    void closingALongCommentReachesFarLines()
    {
        QString text = u"/* head\n"_s;
        for (int i = 0; i < 3000; ++i)
            text += u"x = %1;\n"_s.arg(i);
        Editor e(text);
        QCOMPARE(e.line(2), u"comment[x = 1;]"_s);
        e.typeAt(7, u" */"_s);
        QTRY_VERIFY(e.highlighter->isScanComplete());
        QCOMPARE(e.line(2), u"number[1]"_s);
        const QTextBlock far = e.edit.document()->findBlockByNumber(2900);
        e.highlighter->colourBlock(far);
        QCOMPARE(coloursOf(far), u"number[2899]"_s);
    }

    void colouringLeavesTextUndoAndModifiedAlone()
    {
        Editor e(kSample);
        QTextDocument* document = e.edit.document();
        document->setModified(false);
        const int undoSteps = document->availableUndoSteps();
        e.highlighter->setEnabled(false);
        QCOMPARE(e.line(1), QString());
        e.highlighter->setEnabled(true);
        e.edit.viewport()->repaint();
        QTRY_COMPARE(e.line(1), u"keyword[public] type[int] comment[/* opened here]"_s);
        QVERIFY(!document->isModified());
        QCOMPARE(document->availableUndoSteps(), undoSteps);
        QCOMPARE(e.edit.toPlainText(), kSample);
    }

    void variableText()
    {
        Editor e(u"// bindings\nplayer INT 3\nfactory STRUCTURESTAT \"A0LightFactory\""_s,
                 codeview::Language::Variables);
        QCOMPARE(e.lines(0, 2), QStringList({u"comment[// bindings]"_s, u"type[INT] number[3]"_s,
                                             u"type[STRUCTURESTAT] string[\"A0LightFactory\"]"_s}));
    }
};

QRB_TEST(HighlighterTest)

#include "tst_highlighter.moc"
