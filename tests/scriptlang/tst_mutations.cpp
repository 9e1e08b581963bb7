// SPDX-License-Identifier: GPL-3.0-or-later
#include "checkertext.h"
#include "scriptlang/checker.h"
#include "support/testregistry.h"

#include <QTest>

using namespace scriptlang;

namespace {

// The findings of `after` that `before` does not have.
QStringList newFindings(const Findings& before, const Findings& after)
{
    QStringList old = described(before);
    QStringList added;
    for (const QString& line : described(after)) {
        if (!old.removeOne(line))
            added.append(line);
    }
    return added;
}

// Replaces the first `from` in `text` (which must hold it); an empty `from` appends.
QString mutated(QString text, const QString& from, const QString& to)
{
    if (from.isEmpty())
        return text + to;
    const qsizetype at = text.indexOf(from);
    if (at < 0)
        qFatal("mutation target not found: %s", qPrintable(from));
    return text.replace(at, from.size(), to);
}

// Where the ';' of the code stand, outside comments and strings.
QList<qsizetype> codeSemicolons(const QString& text)
{
    QList<qsizetype> at;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.mid(i, 2) == QLatin1String("//")) {
            i = text.indexOf(QLatin1Char('\n'), i);
        } else if (text.mid(i, 2) == QLatin1String("/*")) {
            i = text.indexOf(QLatin1String("*/"), i + 2) + 1;
        } else if (text.at(i) == QLatin1Char('"')) {
            i = text.indexOf(QLatin1Char('"'), i + 1);
        } else if (text.at(i) == QLatin1Char(';')) {
            at.append(i);
        }
        if (i < 0)
            break;
    }
    return at;
}

const QString kSlo = QStringLiteral("2.3/player0.slo");
const QString kVlo = QStringLiteral("2.3/player0.vlo");

} // namespace

// Each row changes 2.3's player0.slo or player0.vlo in one place and expects exactly one new
// finding, where the mistake is and in the author's terms.
class MutationTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void oneMistakeGivesOneFinding_data()
    {
        QTest::addColumn<bool>("inScript");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("expected");
        const QString longName(256, QLatin1Char('n'));
        struct Row {
            const char* name;
            bool inScript;
            QString from;
            QString to;
            QString expected;
        };
        const QList<Row> rows = {
            {"minus read as a number", true, "(countRebuildStruct - 1)", "(countRebuildStruct -1)",
             "error SLO 1421:40 'countRebuildStruct-1' is read as 'countRebuildStruct' followed by the "
             "number "
             "'-1': write 'countRebuildStruct - 1'"},
            {"percent", true, "(5*128), me);", "(5%128), me);",
             "error SLO 610:67 the game's language has no '%' operator: write a - (a / b) * b"},
            {"plus-assign", true, "baseX = droid.x;", "baseX += droid.x;",
             "error SLO 345:9 the game's language has no '+=': write baseX = baseX + ..."},
            {"for loop", true, "while(_count2 < (countRebuildStruct - 1))",
             "for(_count2 < (countRebuildStruct - 1))",
             "error SLO 1421:4 the game's language has no 'for' loop: use 'while (...) { ... }'"},
            {"switch", true, "while(_count2 < (countRebuildStruct - 1))", "switch(_count2)",
             "error SLO 1421:4 the game's language has no 'switch': use 'if' ... 'else if'"},
            {"string not closed", true, "\"help me\"", "\"help me",
             "error SLO 14:26 string not closed on its line: add the closing \""},
            {"comment not closed", true, "",
             "\n/"
             "* unfinished",
             "error SLO 4139:1 comment not closed: the game stops at the end of the file inside it; add */"},
            {"name too long", true, "", "\nprivate int " + longName + ";",
             "error SLO 4139:13 name longer than the game's 255 characters"},
            {"undeclared name", true, "baseX = droid.x;", "baseX = droidd.x;",
             "error SLO 345:11 undeclared name 'droidd': did you mean 'droid'?"},
            {"unknown function", true, "structureBuiltInRange(derrick", "structureBuiltInRang(derrick",
             "error SLO 610:16 unknown function 'structureBuiltInRang': did you mean "
             "'structureBuiltInRange'?"},
            {"argument count", true, "ref buildX, ref buildY,me);", "ref buildX, ref buildY);",
             "error SLO 658:20 'pickStructLocation' takes 4 arguments, not 3"},
            {"value where ref is needed", true, "(structChoice[count], ref buildX,",
             "(structChoice[count], buildX,",
             "error SLO 658:60 argument 2 of 'pickStructLocation' must be 'ref VARIABLE' of type int: the "
             "game writes into it"},
            {"ref where a value is needed", true, "droid.x, droid.y, (5*128), me);",
             "droid.x, droid.y, (5*128), ref me);",
             "error SLO 610:74 argument 5 of 'structureBuiltInRange' takes a value, not 'ref'"},
            {"builtin name reused", true, "", "\nprivate int mapWidth;",
             "error SLO 4139:13 'mapWidth' is already a game variable: choose another name"},
            {"duplicate global", true, "", "\nprivate int baseY;",
             "error SLO 4139:13 'baseY' is already declared as a global variable at line 100"},
            {"duplicate event", true, "", "\nevent conDroids(every, 10) { exit; }",
             "error SLO 4139:7 'conDroids' is already declared as an event at line 229"},
            {"unknown member", true, "baseX = droid.x;", "baseX = droid.xx;",
             "error SLO 345:17 DROID has no member 'xx': did you mean 'x'?"},
            {"callback parameter count", true, "(CALL_STRUCT_DESTROYED, me, ref structure)",
             "(CALL_STRUCT_DESTROYED, me)",
             "error SLO 191:32 callback 'CALL_STRUCT_DESTROYED' needs 2 parameters, not 1"},
            {"define twice with another body", true, "", "\n#define TILE 64",
             "warning SLO 4139:9 ignored: the first #define of 'TILE' at line 10 is used"},
            {"return in an event", true, "baseX = droid.x;", "return;",
             "error SLO 345:3 'return' inside an event: write 'exit;'"},
            {"value of another type", true, "baseX = droid.x;", "baseX = droid;",
             "error SLO 345:11 'baseX' is int; a value of type DROID does not fit"},
            {"condition not true or false", true, "while(_count2 < (countRebuildStruct - 1))",
             "while(_count2)",
             "error SLO 1421:10 the condition must be true or false, not int: compare it, e.g. x != 0"},
            {"int and float mixed", true, "(5*128), me);", "(5*1.5), me);",
             "error SLO 610:67 an int and a float do not mix: write (float) or (int) before one of them"},
            {"argument of another type", true, "(5*128), me);", "(5*128), TRUE);",
             "error SLO 610:74 argument 5 of 'structureBuiltInRange' must be int, not bool"},
            {"comparison across types", true, "if(boolResult == TRUE)", "if(boolResult == 1)",
             "error SLO 411:19 bool and int cannot be compared"},
            {"'and' with a number", true, "DORDER_RTB) and droidCanReach(droid, buildX, buildY)",
             "DORDER_RTB) and droid.x",
             "error SLO 417:69 'and' needs true or false on both sides, not int: compare it, e.g. x != 0"},
            {"bound name not declared", false, "\t// research branches", "\tmee int 1",
             "error VLO 9:2 'mee' is not a global variable of the script: did you mean 'me'?"},
            {"private bound", false, "\t// research branches", "\tbaseX int 1",
             "warning VLO 9:2 'baseX' is private: the game binds it anyway, but it is not meant to be set "
             "from "
             "the VLO"},
            {"type does not fit", false, "resLab\t\t\tSTRUCTURESTAT", "resLab\t\t\tWEAPON\t",
             "error VLO 48:11 'resLab' is declared STRUCTURESTAT; a WEAPON value does not fit"},
            {"type the loader rejects", false, "me\t\tint", "me\t\tFLOAT",
             "error VLO 13:6 the game's VLO loader does not accept type FLOAT"},
            {"value form", false, "resLab\t\t\tSTRUCTURESTAT\t\t\"A0ResearchFacility\"",
             "resLab\t\t\tSTRUCTURESTAT\t\t5",
             "error VLO 48:26 a STRUCTURESTAT value must be a quoted id, not 5"},
            {"index count", false, "numScouts[0]\tint", "numScouts[0][1]\tint",
             "error VLO 16:2 'numScouts' takes 1 index, not 2"},
            {"index out of range", false, "numScouts[1]\tint", "numScouts[2]\tint",
             "error VLO 22:2 index 2 is out of range: 'numScouts' has 2 elements in dimension 1 (0 to 1)"},
            {"bound twice", false, "\t// research branches", "\tme int 1",
             "warning VLO 13:2 'me' is already bound at line 9; the last binding wins"},
            {"public left unbound", false, "\ttileExpand\t\tint", "\t//tileExpand\t\tint",
             "warning SLO 87:15 public 'tileExpand' is not bound in the VLO: it starts as zero or empty"},
            {"stat left unbound", false, "\tresLab\t\t\tSTRUCTURESTAT", "\t//resLab\t\t\tSTRUCTURESTAT",
             "warning SLO 104:50 public 'resLab' is not bound in the VLO: it silently holds the first entry "
             "of the "
             "game's STRUCTURESTAT list"},
            {"VLO syntax", false, "me\t\tint", "me\t\tint =", "error VLO 13:10 stray character '='"},
            {"underscore in a VLO name", false, "\t// research branches", "\t_x int 1",
             "error VLO 9:2 a VLO name cannot start with '_': the game reads it as a stray character"},
        };
        for (const Row& row : rows)
            QTest::newRow(row.name) << row.inScript << row.from << row.to << row.expected;
    }

    void oneMistakeGivesOneFinding()
    {
        QFETCH(bool, inScript);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, expected);
        const QString slo = corpusText(kSlo);
        const QString vlo = corpusText(kVlo);
        const Findings before = checkFiles(slo, vlo);
        const Findings after =
            inScript ? checkFiles(mutated(slo, from, to), vlo) : checkFiles(slo, mutated(vlo, from, to));
        QCOMPARE(newFindings(before, after), QStringList{expected});
    }

    void mistakesFarApartAreBothFound()
    {
        const QString slo = corpusText(kSlo);
        QString twice = mutated(slo, "baseX = droid.x;", "baseX = droid.x");
        twice = mutated(twice, "(5*128), me);", "(5*128), me;");
        QCOMPARE(newFindings(checkFiles(slo, QString()), checkFiles(twice, QString())),
                 (QStringList{"error SLO 345:18 missing ';' after the assignment",
                              "error SLO 610:76 expected ')' to close the call, found ';'"}));
    }

    // A C 'for' loop is one error, and its body is still read as a while loop's.
    void aForLoopAndTheMistakesInItsBody()
    {
        const QString slo = corpusText(kSlo);
        QString changed = mutated(slo, "while(_count2 < (countRebuildStruct - 1))",
                                  "for(_count2 = _count; _count2 < countRebuildStruct; _count2++)");
        changed = mutated(changed, "rebuildStructY[_count2] = rebuildStructY[_count2 + 1];",
                          "rebuildStructY[_count2] = rebuildStructY[_count2 + 1]");
        changed = mutated(changed, "_count2++;", "_count2 = countRebuildStruct-1;");
        QCOMPARE(
            newFindings(checkFiles(slo, QString()), checkFiles(changed, QString())),
            (QStringList{"error SLO 1421:4 the game's language has no 'for' loop: use 'while (...) { ... }'",
                         "error SLO 1424:58 missing ';' after the assignment",
                         "error SLO 1427:33 'countRebuildStruct-1' is read as 'countRebuildStruct' followed "
                         "by the number '-1': write 'countRebuildStruct - 1'"}));
    }

    // A ';' lost anywhere in the game's script is one error on its line, never a cascade.
    void aLostSemicolonIsOneError()
    {
        const QString slo = corpusText(kSlo);
        const Findings before = checkFiles(slo, QString());
        const QList<qsizetype> semicolons = codeSemicolons(slo);
        QVERIFY(semicolons.size() > 1000);
        for (qsizetype n = 0; n < semicolons.size(); n += 3) {
            const qsizetype at = semicolons.at(n);
            const QStringList added = newFindings(before, checkFiles(QString(slo).remove(at, 1), QString()));
            const QString line =
                QStringLiteral("error SLO %1:").arg(slo.left(at).count(QLatin1Char('\n')) + 1);
            QVERIFY2(added.size() == 1 && added.first().startsWith(line),
                     qPrintable(added.join(QLatin1Char('\n'))));
        }
    }

    // Far deeper than any script: a finding where the nesting passes the limit, no overflow.
    void deepNestingIsAFindingNotACrash_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("expected");
        QTest::newRow("parentheses")
            << "n = " + QString(10000, QLatin1Char('(')) + "1" + QString(10000, QLatin1Char(')')) + ";"
            << "warning SLO 2:225 nesting deeper than 200 levels: the checker reads no deeper here";
        QTest::newRow("braces")
            << QStringLiteral("if (a) {").repeated(10000) + QString(10000, QLatin1Char('}'))
            << "warning SLO 2:1625 nesting deeper than 200 levels: the checker reads no deeper here";
    }

    void deepNestingIsAFindingNotACrash()
    {
        QFETCH(QString, body);
        QFETCH(QString, expected);
        const QString slo = "public int player, n; public bool a;\nevent e(every, 1) { " + body + " }\n";
        QCOMPARE(described(checkFiles(slo, QString())), QStringList{expected});
    }
};

QRB_TEST(MutationTest)
#include "tst_mutations.moc"
