// SPDX-License-Identifier: GPL-3.0-or-later
#include "checkertext.h"
#include "scriptlang/navigation.h"
#include "scriptlang/renameplan.h"
#include "scriptlang/symbolindex.h"
#include "support/testregistry.h"

#include <QRegularExpression>
#include <QTest>
#include <algorithm>

using namespace scriptlang;

namespace {

// The author's VLO text of a playerN.vlo: the file without its 11-line head and closing brace.
QString vloBody(const QString& file)
{
    QString body = file.section(QLatin1Char('\n'), 11);
    body.truncate(body.lastIndexOf(QLatin1Char('}')));
    return body;
}

// The script with its comments and strings blanked, so that a plain word search finds code
// (and #define lines) only. Written apart from the index, to check it.
QString codeOnly(QString text)
{
    static const QRegularExpression quiet(QStringLiteral("/\\*.*?\\*/|//[^\\n]*|\"[^\"\\n]*\""),
                                          QRegularExpression::DotMatchesEverythingOption);
    for (auto it = quiet.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        for (qsizetype i = m.capturedStart(); i < m.capturedEnd(); ++i) {
            if (text[i] != QLatin1Char('\n'))
                text[i] = QLatin1Char(' ');
        }
    }
    return text;
}

QList<int> wordPlaces(const QString& text, const QString& word)
{
    QList<int> places;
    const QRegularExpression whole(QStringLiteral("(?<![\\w.])%1\\b").arg(word));
    for (auto it = whole.globalMatch(text); it.hasNext();)
        places.append(int(it.next().capturedStart()));
    return places;
}

QList<int> placesOf(const SymbolIndex& index, TextKind text, const QString& name)
{
    QList<int> places;
    for (const Occurrence& o : index.occurrences()) {
        if (o.text == text && index.symbol(o.symbol).name == name)
            places.append(o.range.offset);
    }
    return places;
}

QString applied(QString text, const QList<TextEdit>& edits, TextKind kind)
{
    QList<TextEdit> sorted = edits;
    std::sort(sorted.begin(), sorted.end(),
              [](const TextEdit& a, const TextEdit& b) { return a.offset > b.offset; });
    for (const TextEdit& e : sorted) {
        if (e.text == kind)
            text.replace(e.offset, e.length, e.replacement);
    }
    return text;
}

} // namespace

class SymbolIndexTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The game's 2.3 AI: every use of a few names found, in code only, in both texts.
    void findsEveryUseInTheGamesScript()
    {
        const QString slo = corpusText(QStringLiteral("2.3/player0.slo"));
        const QString vlo = vloBody(corpusText(QStringLiteral("2.3/player0.vlo")));
        const SymbolIndex index = SymbolIndex::build(slo, vlo);
        const QString code = codeOnly(slo);
        // Globals no local hides, a #define used in array sizes, a trigger, an event and a
        // function; and a #define used in other #define lines.
        for (const QString name :
             {"buildGroup", "structs", "tmpl", "TECHS", "buildDerrickTr", "conDroids", "friendlyPlayer"}) {
            const QList<int> expected = wordPlaces(code, name);
            QVERIFY2(expected.size() > 2, qPrintable(name));
            QCOMPARE(placesOf(index, TextKind::Slo, name), expected);
        }
        QCOMPARE(placesOf(index, TextKind::Slo, QStringLiteral("TILE")),
                 wordPlaces(code, QStringLiteral("TILE")));
        const QRegularExpression binding(QStringLiteral("^[ \\t]*tmpl\\["),
                                         QRegularExpression::MultilineOption);
        QCOMPARE(placesOf(index, TextKind::Vlo, QStringLiteral("tmpl")).size(), vlo.count(binding));
        QCOMPARE(placesOf(index, TextKind::Vlo, QStringLiteral("tmpl")).size(), 65);

        // The local of one event: its uses there only, not the same name in other bodies.
        const int local =
            index.resolve(QStringLiteral("_maxBuilders"), index.scopeAt(slo.indexOf("_maxBuilders = 1;")));
        QCOMPARE(index.symbol(local).kind, NameKind::Local);
        QCOMPARE(index.symbol(local).declaration.line, 597);
        QList<int> lines;
        for (int o : index.occurrencesOf(local))
            lines.append(index.occurrences().at(o).range.line);
        const QList<int> expectedLines{597, 600, 662};
        QCOMPARE(lines, expectedLines);
    }

    // A script in the middle of being typed: an unclosed body ends at the next event, a
    // declaration without its ';' still declares, and a local hides the global of its name.
    void readsAHalfTypedScript()
    {
        const QString slo = QStringLiteral("public int count, half\n"
                                           "event first(every, 10)\n"
                                           "{\n"
                                           "\tlocal DROID count;\n"
                                           "\tcount = half\n"
                                           "event second(every, 10)\n"
                                           "{\n"
                                           "\tcount = count + half;\n"
                                           "}\n"
                                           "function int f(int a, ");
        const SymbolIndex index = SymbolIndex::build(slo, QStringLiteral("count INT 1\nhalf INT 2\n"));
        const int firstBody = index.scopeAt(int(slo.indexOf("count = half")));
        const int secondBody = index.scopeAt(int(slo.indexOf("count = count")));
        QVERIFY(firstBody >= 0 && secondBody > firstBody);
        QCOMPARE(index.scopes().at(firstBody).end, int(slo.indexOf("event second")));
        const int local = index.resolve(QStringLiteral("count"), firstBody);
        const int global = index.resolve(QStringLiteral("count"), secondBody);
        QCOMPARE(index.symbol(local).type, QStringLiteral("DROID"));
        QCOMPARE(index.symbol(global).kind, NameKind::Global);
        QCOMPARE(index.occurrencesOf(local).size(), 2);
        QCOMPARE(index.occurrencesOf(global).size(), 4); // declared, twice in second, VLO
        QCOMPARE(index.occurrencesOf(index.resolve(QStringLiteral("half"), -1)).size(), 4);
        const int parameter = index.resolve(QStringLiteral("a"), index.scopeAt(int(slo.size())));
        QCOMPARE(index.symbol(parameter).kind, NameKind::Parameter);
        QVERIFY(index.inCommentOrString(int(QStringLiteral("public int").size())) == false);
    }

    // F12 and Alt+F12: a body's head goes to the prototype, a parameter's places are those of
    // both heads; a global goes to its VLO line, or says why it cannot.
    void navigatesBetweenTheTexts()
    {
        const QString slo = QStringLiteral("public int player, speed, unused;\n"
                                           "function int twice(int n);\n"
                                           "event go(every, 10) { speed = twice(speed); }\n"
                                           "function int twice(int n) { return n + n; }\n");
        const QString vlo = QStringLiteral("speed INT 3\n");
        const SymbolIndex index = SymbolIndex::build(slo, vlo);
        const auto at = [&](const char* text, int extra = 0) { return int(slo.indexOf(text)) + extra; };
        QCOMPARE(definitionAt(index, TextKind::Slo, at("twice(int n) {"))->range.line, 2);
        QCOMPARE(referencesAt(index, TextKind::Slo, at("n + n", 4)).size(), 4); // both heads, two uses
        QCOMPARE(bindingAt(index, at("speed = ")).target,
                 std::optional(Location{TextKind::Vlo, TextRange{0, 5, 1, 1}}));
        QCOMPARE(bindingAt(index, at("unused")).message, QStringLiteral("'unused' is not bound in the VLO."));
        QCOMPARE(bindingAt(index, at("player"), QStringLiteral("player")).message,
                 QStringLiteral(
                     "'player' is bound by the generated head of each playerN.vlo to the player's number."));
        QCOMPARE(bindingAt(index, at("twice")).message,
                 QStringLiteral("'twice' is a function: only global variables are bound in the VLO."));
    }

    // A parameter is one name in a function's forward declaration and its definition; a #define
    // name stands in array sizes, calls and other #define bodies.
    void renamesParametersAndDefines()
    {
        const QString slo = QStringLiteral("#define SIZE 4\n#define TWICE (SIZE * 2)\npublic int a[SIZE];\n"
                                           "function int f(int n);\n"
                                           "event e(every, 10) { a[0] = f(SIZE); }\n"
                                           "function int f(int n) { return n + TWICE; } // n\n");
        const SymbolIndex index = SymbolIndex::build(slo, QString());
        const RenamePlan parameter =
            planRename(index, TextKind::Slo, int(slo.indexOf("n + TWICE")), QStringLiteral("count"));
        QCOMPARE(applied(slo, parameter.edits, TextKind::Slo),
                 QString(slo)
                     .replace(QStringLiteral("int n"), QStringLiteral("int count"))
                     .replace(QStringLiteral("n + "), QStringLiteral("count + ")));
        const RenamePlan define = planRename(index, TextKind::Slo, 9, QStringLiteral("LIMIT"));
        QCOMPARE(applied(slo, define.edits, TextKind::Slo),
                 QString(slo).replace(QStringLiteral("SIZE"), QStringLiteral("LIMIT")));
        QCOMPARE(planRename(index, TextKind::Slo, 9, QString(32, u'L')).refusal,
                 QStringLiteral("'%1' is longer than the 31 characters the game keeps of a #define name.")
                     .arg(QString(32, u'L')));
    }

    void refusesNamesThatWouldBreakTheScript_data()
    {
        QTest::addColumn<QString>("at");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("builtin function")
            << "speed, limit"
            << "orderDroid"
            << "'orderDroid' is a builtin function of the game's language: choose another name.";
        QTest::newRow("keyword") << "speed, limit"
                                 << "while"
                                 << "'while' is a keyword of the game's language: choose another name.";
        QTest::newRow("constant")
            << "speed, limit"
            << "DORDER_SCOUT"
            << "'DORDER_SCOUT' is a builtin constant of the game's language: choose another name.";
        QTest::newRow("no name") << "speed, limit"
                                 << "2fast"
                                 << "'2fast' is not a name: a name starts with a letter or '_' and goes on "
                                    "with letters, digits and '_'.";
        QTest::newRow("global") << "speed, limit"
                                << "limit"
                                << "'limit' is already declared as a global variable at line 1.";
        QTest::newRow("captured") << "speed, limit"
                                  << "n"
                                  << "'n' is a local variable at line 4 in event go, where 'speed' is used: "
                                     "there the new name would mean the local variable.";
        QTest::newRow("local beside") << "n = speed"
                                      << "m"
                                      << "'m' is already declared in event go as a local variable at line 4.";
        QTest::newRow("hides a used global") << "n = speed"
                                             << "limit"
                                             << "'limit' is a global variable used in event go: the renamed "
                                                "local variable would hide it there.";
        QTest::newRow("VLO cannot name it")
            << "speed, limit"
            << "_speed"
            << "the VLO binds this variable, and a VLO name cannot start with '_'.";
        QTest::newRow("builtin at caret") << "random"
                                          << "x"
                                          << "'random' is a builtin function of the game's language: only "
                                             "names the script declares can be renamed.";
    }

    void refusesNamesThatWouldBreakTheScript()
    {
        QFETCH(QString, at);
        QFETCH(QString, newName);
        QFETCH(QString, refusal);
        const QString slo = QStringLiteral("public int speed, limit;\n"
                                           "event go(every, 10)\n"
                                           "{\n local int n, m;\n n = speed + limit; n = random(m);\n}\n");
        const SymbolIndex index = SymbolIndex::build(slo, QStringLiteral("speed INT 1\n"));
        const RenamePlan plan = planRename(index, TextKind::Slo, int(slo.indexOf(at)), newName);
        QCOMPARE(plan.refusal, refusal);
        QVERIFY(plan.edits.isEmpty());
    }
};

QRB_TEST(SymbolIndexTest)
#include "tst_symbolindex.moc"
