// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/bracketmatch.h"
#include "editor/indentation.h"
#include "editor/linenumbers.h"
#include "editor/scripttokens.h"
#include "support/testregistry.h"

#include <QFile>

using namespace Qt::StringLiterals;

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
    return parts.join(u' ') + (tokens.endsInComment ? u" |"_s : QString());
}

} // namespace

class ScriptTokensTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("language");
        const auto script = [](const char* name, const char* line, const char* expected) {
            QTest::newRow(name) << QString::fromLatin1(line) << QString::fromLatin1(expected)
                                << int(Language::Script);
        };
        const auto vlo = [](const char* name, const char* line, const char* expected) {
            QTest::newRow(name) << QString::fromLatin1(line) << QString::fromLatin1(expected)
                                << int(Language::Variables);
        };
        script("types and constants", "public STRUCTURESTAT factory; private int n; bool b = TRUE;",
               "keyword[public] type[STRUCTURESTAT] keyword[private] type[int] type[bool] constant[TRUE]");
        script("builtin call and number", "\tsetEventTrigger(e, inactive); x = random(10) - 2;",
               "function[setEventTrigger] keyword[inactive] function[random] number[10] number[2]");
        script("minus belongs to the number", "x = y-1; f = .5 + 1.25;",
               "number[-1] number[.5] number[1.25]");
        script("digits inside a word", "defence1 = DORDER_MOVE;", "constant[DORDER_MOVE]");
        script("string stops at the line end", "msg(\"open, x) /* not a comment",
               "function[msg] string[\"open, x) /* not a comment]");
        script("comment markers inside a string", "s = \"/*\" & \"//\"; // rest",
               "string[\"/*\"] string[\"//\"] comment[// rest]");
        script("line comment hides an opener", "//* not a block", "comment[//* not a block]");
        script("define line", "  #define MAX_DROIDS 15 /* x", "define[#define MAX_DROIDS 15 /* x]");
        script("case matters", "droid DROID call_gameinit CALL_GAMEINIT If if",
               "type[DROID] callback[CALL_GAMEINIT] keyword[if]");
        script("unknown CALL_ word", "CALL_SOMETHING_NEW", "callback[CALL_SOMETHING_NEW]");
        script("word operators", "if (a and not b OR c)",
               "keyword[if] keyword[and] keyword[not] keyword[OR]");
        vlo("vlo head", "script \"player0.slo\"", "keyword[script] string[\"player0.slo\"]");
        vlo("vlo run", "run {", "keyword[run]");
        vlo("vlo binding", "\tplayer\tINT\t-1", "type[INT] number[-1]");
        vlo("vlo stat binding", "structs[3] STRUCTURESTAT \"A0LightFactory\" // note",
            "number[3] type[STRUCTURESTAT] string[\"A0LightFactory\"] comment[// note]");
        vlo("vlo hyphen in a word, no script keywords", "my-name BOOL TRUE event if",
            "type[BOOL] constant[TRUE]");
        vlo("vlo no floats, no #define", "#define x 1.5", "number[1] number[5]");
    }
    void lines()
    {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        QFETCH(int, language);
        QCOMPARE(render(line, false, Language(language)), expected);
        QCOMPARE(endsInComment(line, false, Language(language)), false);
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
            for (const QString& line : QString::fromLatin1(file.readAll()).split(u"\n"_s)) {
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
                 u"f(   )         g(x)     "_s);
        QCOMPARE(codeOnly(u"in ( */ (y)", true, Language::Script), u"        (y)"_s);
    }

    void lineNumbers()
    {
        // Digits follow the widest number shown, at least two.
        const QList<std::tuple<int, int, int>> cases{{1, 1, 2},      {99, 1, 2},  {100, 1, 3}, {99999, 1, 5},
                                                     {100000, 1, 6}, {88, 12, 2}, {89, 12, 3}};
        for (const auto& [count, first, digits] : cases)
            QCOMPARE(QString::number(linenumbers::digitsFor(count, first)) + u'@' + QString::number(count),
                     QString::number(digits) + u'@' + QString::number(count));
    }

    void bracketPairs()
    {
        const QStringList text{u"if (a[1] == (b)) {"_s, u"  x = \"(\";"_s, u"}"_s, u"f(]"_s};
        auto lineAt = [&](int n) { return text.at(n); };
        auto at = [&](int line, int column) -> QString {
            const auto m = bracketmatch::find(static_cast<int>(text.size()), lineAt, {line, column});
            if (!m)
                return u"none"_s;
            auto place = [](const bracketmatch::Place& p) -> QString {
                return QString::number(p.line) + u':' + QString::number(p.column);
            };
            return place(m->bracket) + u" -> "_s + (m->partner ? place(*m->partner) : u"?"_s);
        };
        QCOMPARE(at(0, 3), u"0:3 -> 0:15"_s);  // before '('
        QCOMPARE(at(0, 16), u"0:15 -> 0:3"_s); // after ')'
        QCOMPARE(at(0, 5), u"0:5 -> 0:7"_s);   // '[' skips nothing of another kind
        QCOMPARE(at(0, 17), u"0:17 -> 2:0"_s); // across lines
        QCOMPARE(at(2, 0), u"2:0 -> 0:17"_s);
        QCOMPARE(at(3, 1), u"3:1 -> ?"_s); // an unclosed '('
        QCOMPARE(at(1, 0), u"none"_s);
    }

    void indentationWidths()
    {
        QCOMPARE(indentation::leadingBlanks(u"\t  x = 1;").toString(), u"\t  "_s);
        QCOMPARE(indentation::leadingBlanks(u"x").toString(), QString());
        QCOMPARE(indentation::unindentWidth(u"\t\tx"), 1);
        QCOMPARE(indentation::unindentWidth(u"      x"), 4);
        QCOMPARE(indentation::unindentWidth(u"  x"), 2);
        QCOMPARE(indentation::unindentWidth(u"x"), 0);
    }
};

QRB_TEST(ScriptTokensTest)

#include "tst_scripttokens.moc"
