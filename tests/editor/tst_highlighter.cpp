#include "editor/scripthighlighter.h"
#include "support/testregistry.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

using codeview::TokenClass;

namespace {

// "class[text] ..." for the colours a line's layout carries, compared with the formats of the
// token classes.
QString coloursOf(const QTextBlock& block)
{
    static const QList<std::pair<TokenClass, const char*>> classes{
        {TokenClass::Comment, "comment"},   {TokenClass::String, "string"},
        {TokenClass::Number, "number"},     {TokenClass::Keyword, "keyword"},
        {TokenClass::TypeWord, "type"},     {TokenClass::Function, "function"},
        {TokenClass::Callback, "callback"}, {TokenClass::Constant, "constant"},
        {TokenClass::Define, "define"}};
    QStringList parts;
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        QString name = QStringLiteral("?");
        for (const auto& [kind, text] : classes) {
            if (ScriptHighlighter::formatOf(kind) == range.format)
                name = QLatin1String(text);
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
            QStringList({QStringLiteral("define[#define LIMIT 5]"),
                         QStringLiteral("keyword[public] type[int] comment[/* opened here]"),
                         QStringLiteral("comment[event inside(every, 10)]"),
                         QStringLiteral("comment[\"still inside\"]"),
                         QStringLiteral("comment[closed */] keyword[event] callback[CALL_NEWDROID] number[3] "
                                        "keyword[ref]"),
                         QStringLiteral("function[setEventTrigger] keyword[inactive] constant[NULLOBJECT] "
                                        "string[\"open]"),
                         QStringLiteral("type[TEMPLATE]")}));
    }

    // Typing "/*" at the top turns what follows into a comment; deleting it brings back the colours.
    void openerTypedAtTheTopAndDeleted()
    {
        Editor e(kSample);
        const QStringList before = e.lines(0, 6);
        const QString text = e.edit.toPlainText();
        e.typeAt(0, QStringLiteral("/*"));
        QTRY_VERIFY(e.highlighter->isScanComplete());
        QCOMPARE(e.line(0), QStringLiteral("comment[/*#define LIMIT 5]"));
        QCOMPARE(e.line(1), QStringLiteral("comment[public int count; /* opened here]"));
        QCOMPARE(e.line(4),
                 QStringLiteral("comment[closed */] keyword[event] callback[CALL_NEWDROID] number[3] "
                                "keyword[ref]"));
        QTextCursor cursor(e.edit.document());
        cursor.setPosition(2, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        e.edit.viewport()->repaint();
        QTRY_VERIFY(e.highlighter->isScanComplete());
        QCOMPARE(e.lines(0, 6), before);
        QCOMPARE(e.edit.toPlainText(), text);
    }

    // A comment closed further down re-colours the lines after it, on screen and off it.
    void closingALongCommentReachesFarLines()
    {
        QString text = QStringLiteral("/* head\n");
        for (int i = 0; i < 3000; ++i)
            text += QStringLiteral("x = %1;\n").arg(i);
        Editor e(text);
        QCOMPARE(e.line(2), QStringLiteral("comment[x = 1;]"));
        e.typeAt(7, QStringLiteral(" */"));
        QTRY_VERIFY(e.highlighter->isScanComplete());
        QCOMPARE(e.line(2), QStringLiteral("number[1]"));
        const QTextBlock far = e.edit.document()->findBlockByNumber(2900);
        e.highlighter->colourBlock(far);
        QCOMPARE(coloursOf(far), QStringLiteral("number[2899]"));
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
        QTRY_COMPARE(e.line(1), QStringLiteral("keyword[public] type[int] comment[/* opened here]"));
        QVERIFY(!document->isModified());
        QCOMPARE(document->availableUndoSteps(), undoSteps);
        QCOMPARE(e.edit.toPlainText(), kSample);
    }

    void variableText()
    {
        Editor e(QStringLiteral("// bindings\nplayer INT 3\nfactory STRUCTURESTAT \"A0LightFactory\""),
                 codeview::Language::Variables);
        QCOMPARE(e.lines(0, 2),
                 QStringList({QStringLiteral("comment[// bindings]"), QStringLiteral("type[INT] number[3]"),
                              QStringLiteral("type[STRUCTURESTAT] string[\"A0LightFactory\"]")}));
    }
};

QRB_TEST(HighlighterTest)

#include "tst_highlighter.moc"
