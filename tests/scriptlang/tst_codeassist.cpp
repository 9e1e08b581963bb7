// SPDX-License-Identifier: GPL-3.0-or-later
#include "checkertext.h"
#include "scriptlang/completion.h"
#include "scriptlang/helpentries.h"
#include "scriptlang/hoverinfo.h"
#include "scriptlang/outline.h"
#include "scriptlang/signaturehelp.h"
#include "support/testregistry.h"

#include <QTest>

using namespace scriptlang;

namespace {

QStringList rows(const QList<Completion>& items, int count)
{
    QStringList result;
    for (const Completion& c : items.mid(0, count))
        result.append(c.name + u'|' + describe(c.kind) + u'|' + c.type + u'|' + c.detail);
    return result;
}

QStringList names(const QList<Completion>& items)
{
    QStringList result;
    for (const Completion& c : items)
        result.append(c.name);
    return result;
}

// The place just after `before` in the text.
int after(const QString& text, const QString& before)
{
    const qsizetype at = text.indexOf(before);
    if (at < 0)
        qFatal("not in the text: %s", qPrintable(before));
    return int(at + before.size());
}

} // namespace

class CodeAssistTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The members of a member and of a call's result; the capitals of a builtin's name typed in
    // the game's 2.3 AI. (A body's locals first and the members after a dot are checked through
    // the language server.)
    void completesChainsAndCapitals()
    {
        SymbolIndex chained =
            SymbolIndex::build(QStringLiteral("public DROID d;\nevent e(every, 1) { d.weapon.lo"
                                              "  objToStructure(d).st }"),
                               QString());
        QCOMPARE(
            names(completionsAt(chained, TextKind::Slo, after(chained.text(TextKind::Slo), ".lo")).items),
            (QStringList{"longHit", "longRange"}));
        QCOMPARE(
            names(completionsAt(chained, TextKind::Slo, after(chained.text(TextKind::Slo), ").st")).items),
            (QStringList{"stat", "stattype"}));

        QString slo = corpusText(QStringLiteral("2.3/player0.slo"));
        const int typed = after(slo, QStringLiteral("\t_maxBuilders = 1;\n"));
        slo.insert(typed, QStringLiteral("iES"));
        const CompletionList capitals =
            completionsAt(SymbolIndex::build(slo, QString()), TextKind::Slo, typed + 3);
        QCOMPARE(capitals.typedText, QStringLiteral("iES"));
        QCOMPARE(rows(capitals.items, 2),
                 (QStringList{
                     "initEnumStruct|builtin function|VOID|(BOOL all, STRUCTURESTAT kind, INT player, INT "
                     "seenBy)",
                     "initEnumStructB|builtin function|VOID|(BOOL, STRUCTURESTAT, INT, INT, INT)"}));
    }

    // In the variable list: the script's globals with their types at a line's start, then the
    // VLO type words, those that fit the global first.
    void completesTheVariableList()
    {
        const SymbolIndex index = SymbolIndex::build(
            QStringLiteral("public int player, power;\nprivate WEAPON gun;\npublic COMPONENT part[2];\n"),
            QStringLiteral("po\npart[1] WE\npower\t"));
        QCOMPARE(rows(completionsAt(index, TextKind::Vlo, 2).items, 3), QStringList{"power|global|INT|"});
        QCOMPARE(rows(completionsAt(index, TextKind::Vlo, 0).items, 4),
                 (QStringList{"part|global|COMPONENT|[2]", "player|global|INT|", "power|global|INT|",
                              "gun|global|WEAPON|"}));
        QCOMPARE(rows(completionsAt(index, TextKind::Vlo, 13).items, 1),
                 QStringList{"WEAPON|VLO type|WEAPON|"});
        const QStringList fitting = names(completionsAt(index, TextKind::Vlo, 20).items.mid(0, 4));
        QCOMPARE(fitting, (QStringList{"INT", "int", "BODY", "BOOL"}));
    }

    // Typing a call: the parameter at the caret, through nested calls, strings and a callback
    // in an event's head; a function of the script with its own parameter names.
    void followsTheCallBeingTyped()
    {
        const QString slo = QStringLiteral("public DROID d;\n"
                                           "function int twice(int n, BOOL loud) { return n; }\n"
                                           "event e(CALL_NEWDROID, player, ref d, ref f\n"
                                           "{\n"
                                           "  orderDroidLoc(d, DORDER_SCOUT, max(1, twice(2, \"a, b\"\n");
        const SymbolIndex index = SymbolIndex::build(slo, QString());
        // The label and the parameter at the caret.
        const auto at = [&](const QString& before) {
            const std::optional<Signature> found = signatureAt(index, slo, after(slo, before));
            return found ? found->label() + u'@' + found->parameters.value(found->active).label()
                         : QStringLiteral("(nothing)");
        };
        QCOMPARE(at(QStringLiteral("\"a, b\"")), QStringLiteral("twice(INT n, BOOL loud) : INT@BOOL loud"));
        QCOMPARE(at(QStringLiteral("max(1, ")), QStringLiteral("max(INT a, INT b) : INT@INT b"));
        QCOMPARE(at(QStringLiteral("DORDER_SCOUT")),
                 QStringLiteral("orderDroidLoc(DROID droid, INT order, INT x, INT y)@INT order"));
        QCOMPARE(at(QStringLiteral("ref d")),
                 QStringLiteral(
                     "CALL_NEWDROID(INT player, ref DROID droid, ref STRUCTURE factory)@ref DROID droid"));
        QCOMPARE(at(QStringLiteral("{\n")), QStringLiteral("(nothing)")); // a '{' ends the head
        const std::optional<Signature> twice = signatureAt(index, slo, after(slo, "\"a, b\""));
        QCOMPARE(twice->parameterSpan(1), std::pair(13, 9));
    }

    void tellsWhatANameIs()
    {
        const QString slo =
            QStringLiteral("#define LIMIT 10\n"
                           "public DROID d[LIMIT];\n"
                           "event e(every, 20) { local int n; // a line that ends with a dot.\n"
                           "random(LIMIT); n = 1; d[0].order = n; }\n");
        const QString vlo = QStringLiteral("d[0] DROID 7 // an int\n");
        const SymbolIndex index = SymbolIndex::build(slo, vlo);
        const auto hover = [&](const char* at, TextKind text = TextKind::Slo) {
            const QString& source = text == TextKind::Slo ? slo : vlo;
            const std::optional<Hover> found = hoverAt(index, text, int(source.indexOf(at)) + 1);
            return found ? found->text() : QStringLiteral("(nothing)");
        };
        QCOMPARE(hover("d[0]"), QStringLiteral("global variable: public DROID d[LIMIT]\ndeclared at line 2"));
        QCOMPARE(hover("n ="), QStringLiteral("local variable: INT n in event e\ndeclared at line 3"));
        QCOMPARE(hover("LIMIT);"), QStringLiteral("#define: LIMIT 10\ndeclared at line 1"));
        QCOMPARE(hover("e(every"), QStringLiteral("event: e (every, 20)\ndeclared at line 3"));
        QCOMPARE(hover("order ="), QStringLiteral("member of DROID: INT order"));
        QCOMPARE(hoverAt(index, TextKind::Slo, int(slo.indexOf("every"))), std::nullopt);
        // In the VLO: the bound global, the type word, nothing in a comment.
        QCOMPARE(hover("d[0]", TextKind::Vlo), hover("d[0]"));
        QCOMPARE(hover("DROID", TextKind::Vlo), QStringLiteral("type: DROID\nin a VLO: integer object id"));
        QCOMPARE(hover("int", TextKind::Vlo), QStringLiteral("(nothing)"));
        // A help text's entry: its head, its parameter names and the lines below.
        const std::optional<HelpEntry> entry =
            findHelpEntry(QStringLiteral("min(INT a, INT b) : INT, max(INT c, INT d) : INT\n    Bounds.\n"
                                         "    Both.\nNext\n"),
                          QStringLiteral("max"));
        QCOMPARE(entry->parameterNames, (QStringList{"c", "d"}));
        QCOMPARE(entry->description, QStringLiteral("Bounds. Both."));
    }

    // Each entry's detail; a function at its head with the body, not its prototype. (The order
    // and the filter's matches are checked through the outline window.)
    void outlinesTheScript()
    {
        const QString slo = corpusText(QStringLiteral("2.3/player0.slo"));
        const QList<OutlineEntry> all = outline(SymbolIndex::build(slo, QString()));
        QStringList found;
        for (const OutlineEntry& e : QList<OutlineEntry>{all.first()} + filterOutline(all, u"bDT") +
                                         filterOutline(all, u"friendlyPlayer"))
            found.append(QStringLiteral("%1|%2|%3").arg(e.name, e.detail).arg(e.range.line));
        QCOMPARE(found, (QStringList{"me|public INT|86", "buildDerrickTr|every, 80|182",
                                     "buildOilDefenseOrRetreatTr|every, 120|183",
                                     "friendlyPlayer|BOOL (INT _playerToCheck)|3797"}));
    }
};

QRB_TEST(CodeAssistTest)
#include "tst_codeassist.moc"
