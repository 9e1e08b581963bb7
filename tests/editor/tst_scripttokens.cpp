#include "editor/bracketmatch.h"
#include "editor/indentation.h"
#include "editor/linenumbers.h"
#include "editor/scripttokens.h"
#include "support/testregistry.h"

#include <QFile>

using namespace codeview;

namespace {

QString nameOf(TokenClass kind)
{
    static const char* const names[] = {"comment",  "string",   "number",   "keyword", "type",
                                        "function", "callback", "constant", "define"};
    return QString::fromLatin1(names[static_cast<int>(kind)]);
}

// "kind[text] kind[text] ..." for the spans of a line, then "|" when the line ends in a comment.
QString render(const QString& line, bool startsInComment, Language language)
{
    const LineTokens tokens = classifyLine(line, startsInComment, language);
    QStringList parts;
    for (const TokenSpan& span : tokens.spans)
        parts.append(nameOf(span.kind) + u'[' + line.mid(span.start, span.length) + u']');
    return parts.join(u' ') + (tokens.endsInComment ? QStringLiteral(" |") : QString());
}

} // namespace

class ScriptTokensTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scriptLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("inComment");
        QTest::addColumn<QString>("expected");
        QTest::newRow("event with callback")
            << "event droidBuilt(CALL_NEWDROID, player, ref droid, ref fac)" << false
            << "keyword[event] callback[CALL_NEWDROID] keyword[ref] keyword[ref]";
        QTest::newRow("types and constants")
            << "public STRUCTURESTAT factory; private int n; bool b = TRUE;" << false
            << "keyword[public] type[STRUCTURESTAT] keyword[private] type[int] "
               "type[bool] constant[TRUE]";
        QTest::newRow("builtin call and number")
            << "\tsetEventTrigger(e, inactive); x = random(10) - 2;" << false
            << "function[setEventTrigger] keyword[inactive] function[random] "
               "number[10] number[2]";
        QTest::newRow("minus belongs to the number")
            << "x = y-1; f = .5 + 1.25;" << false << "number[-1] number[.5] number[1.25]";
        QTest::newRow("digits inside a word")
            << "defence1 = DORDER_MOVE;" << false << "constant[DORDER_MOVE]";
        QTest::newRow("string stops at the line end") << "msg(\"open, x) /* not a comment" << false
                                                      << "function[msg] string[\"open, x) /* not a comment]";
        QTest::newRow("comment markers inside a string")
            << "s = \"/*\" & \"//\"; // rest" << false << "string[\"/*\"] string[\"//\"] comment[// rest]";
        QTest::newRow("block comment opens")
            << "x = 1; /* starts here" << false << "number[1] comment[/* starts here] |";
        QTest::newRow("inside a comment")
            << "still if (true) \"x\"" << true << "comment[still if (true) \"x\"] |";
        QTest::newRow("comment closes")
            << "end */ while (x) { exit; }" << true << "comment[end */] keyword[while] keyword[exit]";
        QTest::newRow("line comment hides an opener")
            << "//* not a block" << false << "comment[//* not a block]";
        QTest::newRow("define line") << "  #define MAX_DROIDS 15 /* x" << false
                                     << "define[#define MAX_DROIDS 15 /* x]";
        QTest::newRow("case matters") << "droid DROID call_gameinit CALL_GAMEINIT If if" << false
                                      << "type[DROID] callback[CALL_GAMEINIT] keyword[if]";
        QTest::newRow("unknown CALL_ word")
            << "CALL_SOMETHING_NEW" << false << "callback[CALL_SOMETHING_NEW]";
        QTest::newRow("word operators")
            << "if (a and not b OR c)" << false << "keyword[if] keyword[and] keyword[not] keyword[OR]";
    }
    void scriptLines()
    {
        QFETCH(QString, line);
        QFETCH(bool, inComment);
        QFETCH(QString, expected);
        QCOMPARE(render(line, inComment, Language::Script), expected);
        QCOMPARE(endsInComment(line, inComment, Language::Script), expected.endsWith(u'|'));
    }

    void variableLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        QTest::newRow("head") << "script \"player0.slo\""
                              << "keyword[script] string[\"player0.slo\"]";
        QTest::newRow("run") << "run {"
                             << "keyword[run]";
        QTest::newRow("binding") << "\tplayer\tINT\t-1"
                                 << "type[INT] number[-1]";
        QTest::newRow("stat binding")
            << "structs[3] STRUCTURESTAT \"A0LightFactory\" // note"
            << "number[3] type[STRUCTURESTAT] string[\"A0LightFactory\"] comment[// note]";
        QTest::newRow("hyphen in a word, no script keywords") << "my-name BOOL TRUE event if"
                                                              << "type[BOOL] constant[TRUE]";
        QTest::newRow("no floats, no #define") << "#define x 1.5"
                                               << "number[1] number[5]";
    }
    void variableLines()
    {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        QCOMPARE(render(line, false, Language::Variables), expected);
    }

    // The quick end-state scan and the full classification agree on every line of real scripts.
    void endStatesAgreeOnRealScripts()
    {
        int lines = 0;
        int commentLines = 0;
        for (const char* name :
             {"2.0/player0.slo", "2.1/player0.slo", "2.3/player0.slo", "2.3/player0.vlo"}) {
            QFile file(QStringLiteral(QRB_SOURCE_DIR "/tests/data/corpus/") + QLatin1String(name));
            QVERIFY2(file.open(QIODevice::ReadOnly), name);
            const Language language =
                QByteArray(name).endsWith("vlo") ? Language::Variables : Language::Script;
            bool inComment = false;
            for (const QString& line : QString::fromLatin1(file.readAll()).split(QStringLiteral("\n"))) {
                const bool full = classifyLine(line, inComment, language).endsInComment;
                QCOMPARE(endsInComment(line, inComment, language), full);
                inComment = full;
                commentLines += inComment ? 1 : 0;
                ++lines;
            }
            QVERIFY2(!inComment, name);
        }
        QVERIFY(lines > 10000);
        QVERIFY(commentLines > 0);
    }

    void codeOnlyBlanksCommentsAndStrings()
    {
        QCOMPARE(codeOnly(u"f(\"(\") /* ( */ g(x) // )", false, Language::Script),
                 QStringLiteral("f(   )         g(x)     "));
        QCOMPARE(codeOnly(u"in ( */ (y)", true, Language::Script), QStringLiteral("        (y)"));
    }

    void lineNumbers()
    {
        QCOMPARE(linenumbers::firstNumber(false), 1);
        QCOMPARE(linenumbers::firstNumber(true), 12);
        QCOMPARE(linenumbers::numberOf(0, 12), 12);
        // Digits follow the widest number shown, at least two.
        const QList<std::tuple<int, int, int>> cases{{1, 1, 2},   {9, 1, 2},     {99, 1, 2},
                                                     {100, 1, 3}, {99999, 1, 5}, {100000, 1, 6},
                                                     {88, 12, 2}, {89, 12, 3},   {99989, 12, 6}};
        for (const auto& [count, first, digits] : cases)
            QCOMPARE(QString::number(linenumbers::digitsFor(count, first)) + u'@' + QString::number(count),
                     QString::number(digits) + u'@' + QString::number(count));
    }

    void bracketPairs()
    {
        const QStringList text{QStringLiteral("if (a[1] == (b)) {"), QStringLiteral("  x = \"(\";"),
                               QStringLiteral("}"), QStringLiteral("f(]")};
        auto lineAt = [&](int n) { return text.at(n); };
        auto at = [&](int line, int column) -> QString {
            const auto m = bracketmatch::find(static_cast<int>(text.size()), lineAt, {line, column});
            if (!m)
                return QStringLiteral("none");
            auto place = [](const bracketmatch::Place& p) -> QString {
                return QString::number(p.line) + u':' + QString::number(p.column);
            };
            return place(m->bracket) + QStringLiteral(" -> ") +
                   (m->partner ? place(*m->partner) : QStringLiteral("?"));
        };
        QCOMPARE(at(0, 3), QStringLiteral("0:3 -> 0:15"));  // before '('
        QCOMPARE(at(0, 16), QStringLiteral("0:15 -> 0:3")); // after ')'
        QCOMPARE(at(0, 5), QStringLiteral("0:5 -> 0:7"));   // '[' skips nothing of another kind
        QCOMPARE(at(0, 17), QStringLiteral("0:17 -> 2:0")); // across lines
        QCOMPARE(at(2, 0), QStringLiteral("2:0 -> 0:17"));
        QCOMPARE(at(3, 1), QStringLiteral("3:1 -> ?")); // an unclosed '('
        QCOMPARE(at(1, 0), QStringLiteral("none"));
    }

    void indentationWidths()
    {
        QCOMPARE(indentation::leadingBlanks(u"\t  x = 1;").toString(), QStringLiteral("\t  "));
        QCOMPARE(indentation::leadingBlanks(u"x").toString(), QString());
        QCOMPARE(indentation::unindentWidth(u"\t\tx"), 1);
        QCOMPARE(indentation::unindentWidth(u"      x"), 4);
        QCOMPARE(indentation::unindentWidth(u"  x"), 2);
        QCOMPARE(indentation::unindentWidth(u"x"), 0);
    }
};

QRB_TEST(ScriptTokensTest)

#include "tst_scripttokens.moc"
