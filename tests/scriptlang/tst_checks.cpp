// SPDX-License-Identifier: GPL-3.0-or-later
#include "checkertext.h"
#include "scriptlang/checker.h"
#include "support/testregistry.h"

#include <QRegularExpression>
#include <QTest>

using namespace scriptlang;

// Small scripts for the rules the game's own scripts do not exercise: each gives exactly these
// findings (the workbench's texts: the script and the VLO body the head is put before).
class CheckRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void smallTexts_data()
    {
        QTest::addColumn<QString>("slo");
        QTest::addColumn<QString>("vlo");
        QTest::addColumn<QStringList>("expected");
        const QString head = "public int player;\n";
        QTest::newRow("//* opens a line comment") << head + "//* not a block\nevent e(init) { exit; }"
                                                  << "" << QStringList();
        QTest::newRow("1. is an int and a dot")
            << head + "event e(init) { player = 1.; }"
            << "" << QStringList{"error SLO 2:27 expected ';' after the assignment, found '.'"};
        QTest::newRow("misspelt names: letter case, swapped letters; no hint when none is close; once a body")
            << head + "event e(init)\n{\n\tplayer = Random(plyaer) + qqq;\n\tplayer = qqq;\n}"
            << ""
            << QStringList{"error SLO 4:11 unknown function 'Random': did you mean 'random'?",
                           "error SLO 4:18 undeclared name 'plyaer': did you mean 'player'?",
                           "error SLO 4:28 undeclared name 'qqq'"};
        QTest::newRow("reading on: after a broken event head, a ';' missing at a line's end, '=' and '=='")
            << head + "event e(every 10)\n{\n\tplayer = 1\n\tif (player = 2) { exit; }\n\tplayer == 3;\n"
                      "\tplayer = qqq;\n}"
            << ""
            << QStringList{
                   "error SLO 2:15 expected ',' and the number of ticks, found '10'",
                   "error SLO 4:12 missing ';' after the assignment",
                   "error SLO 5:13 '=' assigns a value: to compare, write '=='",
                   "error SLO 6:9 '==' compares, and a comparison is no statement: to assign, write '='",
                   "error SLO 7:11 undeclared name 'qqq'"};
        QTest::newRow("an unclosed block is one error; the last else needs braces")
            << head + "event a(every, 10)\n{\n\tif (player > 1) {\n\t\tplayer = 2;\n\nevent b(init)\n{\n"
                      "\tif (player > 1) { exit; } else exit;\n}"
            << ""
            << QStringList{"error SLO 7:1 expected '}' to close the block opened at line 4, found 'event'",
                           "error SLO 9:33 the body of the last 'else' needs braces { }"};
        QTest::newRow("a value of the wrong form; a line not read leaves no unbound warning")
            << head + "public int count, total;"
            << "count INT \"3\"\ntotal INT yes"
            << QStringList{
                   "error VLO 1:11 an INT value must be a whole number, not \"3\"",
                   "error VLO 2:11 expected a value (a number, true/false or a quoted id), found 'yes'"};
        QTest::newRow("unknown triggers")
            << head + "trigger tick (every, 10);\nevent e(tikc) { exit; }\nevent f(later) { exit; }"
            << ""
            << QStringList{
                   "error SLO 3:9 unknown trigger 'tikc': did you mean 'tick'?",
                   "error SLO 4:9 unknown trigger 'later': declare it above with 'trigger later (...);'"};
        QTest::newRow("one error for a stray character; a backslash before a quote is no escape")
            << head + "private STRING s;\nevent e(init)\n{\n\tplayer = 1 @ 2;\n\ts = \"say \\\"hi\\\"\";\n"
                      "\ts = \"dir\\\" & \"x\";\n}"
            << ""
            << QStringList{
                   "error SLO 5:13 stray character '@'",
                   "error SLO 6:11 the game's strings have no escapes: \\\" ends the string; write ' for "
                   "a quote inside it"};
        QTest::newRow("a run of stray characters is one error, control characters shown as \\xNN")
            << head + "event e(init) { player = 1 @$\x01\x1b` 2; }"
            << "" << QStringList{"error SLO 2:28 5 stray characters '@$\\x01\\x1B`'"};
        QTest::newRow("numbers the game does not read")
            << head + "event e(init)\n{\n\tplayer = 0x1F;\n\tplayer = 2nd;\n\tif (player == 3and player < 4) "
                      "{ exit; }\n}"
            << ""
            << QStringList{
                   "error SLO 4:11 the game's language has no hexadecimal numbers: write 31",
                   "error SLO 5:11 '2nd' is neither a number nor a name: a name cannot start with a digit"};
        QTest::newRow("reading on: a ',' lost between names, a broken function head, no '{', an else alone")
            << head + "private int a b;\nfunction int twice(int x;\nevent e(init)\n\ta = twice(b);\n"
                      "\telse { exit; }\n}"
            << ""
            << QStringList{"error SLO 2:14 missing ',' between the names",
                           "error SLO 3:25 expected ')', found ';'",
                           "error SLO 5:2 expected '{' to open the body, found 'a'",
                           "error SLO 6:2 'else' without its 'if': is a '{' or '}' missing above?"};
        QTest::newRow("a string the game cannot hold whole only warns")
            << head + "private STRING s;\nevent e(init) { s = \"" + QString(256, QLatin1Char('a')) + "\"; }"
            << ""
            << QStringList{"warning SLO 3:21 string longer than the game's 255 characters: the game cannot "
                           "hold it all"};
        QTest::newRow("neither player nor me")
            << "public int count[2];"
            << ""
            << QStringList{
                   "error SLO 1:1 the script declares neither a public 'player' nor a public 'me': the "
                   "generated head binds 'player', so the game will refuse every playerN.vlo",
                   "warning SLO 1:12 public array 'count' has no element bound in the VLO: each element "
                   "starts as zero or empty"};
        QTest::newRow("player of another type")
            << "public bool player;"
            << ""
            << QStringList{
                   "error SLO 1:13 the generated head binds 'player' to the player's number, so it must be "
                   "a plain int"};
        QTest::newRow("event declared, never defined")
            << head + "event later;"
            << "" << QStringList{"error SLO 2:7 event 'later' is declared but never defined"};
        QTest::newRow("function without its return")
            << head + "function int f()\n{\n\tplayer = 1;\n}"
            << "" << QStringList{"error SLO 5:1 a function returning int must end with 'return VALUE;'"};
        QTest::newRow("definition unlike its declaration")
            << head + "function int f(int a);\nfunction int f(int b) { return b; }"
            << "" << QStringList{"error SLO 3:14 function 'f' does not match its declaration at line 2"};
        QTest::newRow("2.1 callbacks need ref")
            << head + "local int x;\ntrigger t(CALL_PLAYERLEFT, player);"
            << ""
            << QStringList{
                   "error SLO 2:1 'local' declarations belong at the start of an event or function",
                   "error SLO 3:28 argument 1 of 'CALL_PLAYERLEFT' must be 'ref VARIABLE' of type int: "
                   "the game writes into it"};
        QTest::newRow("array size out of range")
            << head + "public int a[255];"
            << "a[0] INT 1"
            << QStringList{"error SLO 2:14 array size 255 is out of the game's range 1 to 254"};
        QTest::newRow("array bound without an index")
            << head + "public int a[2];"
            << "a INT 1" << QStringList{"error VLO 1:1 'a' is an array: bind one element, e.g. a[0]"};
        QTest::newRow("bool takes true or false")
            << head + "public bool b;"
            << "b BOOL 1" << QStringList{"error VLO 1:8 a BOOL value must be true or false, not 1"};
        QTest::newRow("equivalent type fits") << head + "public COMPONENT c;"
                                              << "c WEAPON \"MG1Mk1\"" << QStringList();
        QTest::newRow("unknown VLO type word")
            << head + "public int n;"
            << "n NUMBER 1" << QStringList{"error VLO 1:3 'NUMBER' is not a VLO type word"};
        // Types: a cast, 'not' takes the whole comparison, '&' joins after the arithmetic, objects compare
        // with their base type and the null constants, and a script function's value is typed.
        QTest::newRow("types that fit")
            << head + "public bool b; private DROID d; private BASEOBJ o; private STRING s;\n"
                      "function float half(int n) { return (float)n / 2.0; }\n"
                      "event e(every, 10) { player = (int)1.5 + 2;\n"
                      "if (not player == 1 and !b) { s = \"n=\" & player - 1 & \"!\"; }\n"
                      "if (o == d or d != NULLOBJECT) { b = half(player) > 0.5; } }"
            << "b BOOL true" << QStringList();
        QTest::newRow("a function's value of another type")
            << head + "function bool f() { return player + 1; }"
            << ""
            << QStringList{"error SLO 2:28 this function returns bool; a value of type int does not fit"};
    }

    // What the game loads gives no error; beside it in each text, the form the game refuses.
    void gameRules_data()
    {
        QTest::addColumn<QString>("slo");
        QTest::addColumn<QStringList>("expected");
        const QString head = "public int player;\n";
        const QString body = "event e(every, 10)\n{\n"; // lines 3 and 4 after one more head line
        QTest::newRow("an event runs as a statement, without arguments or value")
            << head + "event later;\n" + body +
                   "\tlater();\n\tlater(1);\n\tplayer = later();\n}\nevent later(every, 20) { exit; }"
            << QStringList{"error SLO 6:2 an event runs without arguments: write 'later();'",
                           "error SLO 7:11 event 'later' gives no value: run it as a statement of its own, "
                           "'later();'"};
        QTest::newRow("a repeated #define: the first holds, a warning only for another body")
            << head + "#define TILE 128\n#define TILE 128 // the same\n#define TILE 64\n"
                      "event e(init) { player = TILE; }"
            << QStringList{"warning SLO 4:9 ignored: the first #define of 'TILE' at line 2 is used"};
        QTest::newRow("a definition keeps its declaration's type, also for return")
            << head + "private FEATURE oil; private STRUCTURE base;\nfunction FEATURE pick(STRING why);\n"
                      "function int count();\nfunction STRUCTURE pick(string why) { return oil; }\n"
                      "function void count() { player = 1; }\nfunction FEATURE near();\n"
                      "function FEATURE near() { return base; }"
            << QStringList{
                   "warning SLO 5:10 function 'pick' is declared at line 3 to return FEATURE: the game "
                   "keeps that type",
                   "warning SLO 6:10 function 'count' is declared at line 4 to return int: the game keeps "
                   "that type",
                   "error SLO 8:34 this function returns FEATURE; a value of type STRUCTURE does not fit"};
        QTest::newRow("members follow calls and array elements")
            << head + "private BASEOBJ o; private DROID ds[2];\nfunction DROID first() { return ds[0]; }\n" +
                   body +
                   "\tplayer = objToDroid(o).droidType + first().health + ds[player].x + random(5).x;\n}"
            << QStringList{"error SLO 6:79 'random' is of type int, which has no members"};
        QTest::newRow("a string takes any basic value; a game value only warns")
            << head + "private STRING s; private DROID d;\n" + body +
                   "\ts = player + 1;\n\ts = d;\n\tconsole(player); console(1.5); console(true);\n"
                   "\tconsole(d);\n}"
            << QStringList{"warning SLO 6:6 's' is a string; a DROID value becomes one only when the script "
                           "runs, and may fail then",
                           "warning SLO 8:10 argument 1 of 'console' is a string; a DROID value becomes one "
                           "only when the script runs, and may fail then"};
        QTest::newRow("only the writable game variables can be set; members and ++ of a DROID cannot")
            << head + "private DROID d;\n" + body +
                   "\tgameLevel = 2; extraVictoryFlag = true; player++;\n\tmapWidth = 1;\n\td.x = 3;\n"
                   "\td++;\n}"
            << QStringList{"error SLO 6:2 'mapWidth' is a game variable that scripts can only read; they can "
                           "set extraFailFlag, extraVictoryFlag, gameLevel, inTutorial",
                           "error SLO 7:4 member 'x' cannot be set: the game only lets scripts read it",
                           "error SLO 8:3 '++' works on int variables, not on DROID"};
        QTest::newRow("a void function gives no value")
            << head + "function void reset() { player = 0; }\n" + body +
                   "\treset();\n\tplayer = reset();\n\tplayer = traceOn();\n}"
            << QStringList{"error SLO 6:11 'reset' is void and gives no value",
                           "warning SLO 7:11 'traceOn' is void and gives no value"};
        QTest::newRow("a #define name of 31 characters works; 32 never matches")
            << head +
                   "#define ABCDEFGHIJKLMNOPQRSTUVWXYZABCDE 1\n#define ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEF 2\n"
                   "event e(init) { player = ABCDEFGHIJKLMNOPQRSTUVWXYZABCDE; }"
            << QStringList{"error SLO 3:9 #define name 'ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEF' has 32 characters: "
                           "the game keeps only the first 31, so its uses never match it"};
        QTest::newRow("a #define cannot take a name declared above it")
            << head + "#define LATER 2\nevent e(init) { player = LATER; }\n#define player 3\n"
            << QStringList{"error SLO 4:9 'player' is already declared as a global variable at line 1: a "
                           "#define cannot take its name"};
        QTest::newRow("a local or parameter reuses a global variable's name only")
            << head + "function void helper() { player = 1; }\ntrigger tick(every, 5);\n"
                      "function int twice(int player) { local int tick; return player * 2; }\n"
                      "event e(init) { local int helper, x; x = twice(1); }"
            << QStringList{"error SLO 4:44 'tick' is already declared as a trigger at line 3: only a global "
                           "variable's name can be reused here",
                           "error SLO 5:27 'helper' is already declared as a function at line 2: only a "
                           "global variable's name can be reused here"};
        QTest::newRow("150 #define lines, repeats counted")
            << head + QStringLiteral("#define ONE 1\n").repeated(150) + "#define TWO 2\n"
            << QStringList{"error SLO 152:9 more than 150 #define lines: the game's table holds no more"};
        QTest::newRow("game values compare one way: the base type on the left")
            << head + "private BASEOBJ o; private DROID d;\n" + body +
                   "\tif (o == d) { exit; }\n\tif (d == o) { exit; }\n}"
            << QStringList{"error SLO 6:8 DROID == BASEOBJ is refused by the game: write the BASEOBJ on the "
                           "left"};
    }

    void gameRules()
    {
        QFETCH(QString, slo);
        QFETCH(QStringList, expected);
        QCOMPARE(described(checkProject(slo, QString())), expected);
    }

    void smallTexts()
    {
        QFETCH(QString, slo);
        QFETCH(QString, vlo);
        QFETCH(QStringList, expected);
        QCOMPARE(described(checkProject(slo, vlo)), expected);
    }

    void aWholeVloFileNamesAScript()
    {
        const QString slo = "public int player;";
        QCOMPARE(described(checkFiles(slo, "script \"player0.txt\"\nrun\n{\n\tplayer INT 0\n}\n")),
                 QStringList{"error VLO 1:8 the script's name must end in .slo"});
        QCOMPARE(described(checkFiles(slo, "script \"player0.slo\"\nrun\n{\n\tplayer INT 0\n")),
                 QStringList{"error VLO 5:1 expected '}' to close the run block, found the end of the text"});
        // Without its '{' the block is still read: one error, the binding counted.
        QCOMPARE(described(checkFiles(slo, "script \"player0.slo\"\nrun\n\tplayer INT 0 @\n}\n")),
                 (QStringList{"error VLO 3:2 expected '{' before the first binding, found 'player'",
                              "error VLO 3:15 stray character '@'"}));
    }

    // A VLO text that still holds the head of a playerN.vlo: one error for the head, and the
    // bindings between checked as usual.
    void aPastedHeadIsOneError()
    {
        const QString head = QStringLiteral("the head (script \"playerN.slo\", run, {) and the final '}' are "
                                            "generated by EXPORT .VLO for each player: leave them out of "
                                            "the VLO text");
        const QStringList game = described(checkProject(corpusText(QStringLiteral("2.3/player0.slo")),
                                                        corpusText(QStringLiteral("2.3/player0.vlo"))));
        QCOMPARE(game.filter(QRegularExpression(QStringLiteral("^error"))),
                 QStringList{QStringLiteral("error VLO 6:1 ") + head});
        // The head on one line after a binding, a wrong value inside, the final brace with a comment.
        QCOMPARE(
            described(checkProject(QStringLiteral("public int player, count, total;"),
                                   QStringLiteral("count INT 1\n  script \"player0.slo\" run {\n"
                                                  "total INT x\n} // end"))),
            (QStringList{
                QStringLiteral("error VLO 2:3 ") + head,
                QStringLiteral(
                    "error VLO 3:11 expected a value (a number, true/false or a quoted id), found 'x'")}));
    }
};

QRB_TEST(CheckRulesTest)
#include "tst_checks.moc"
