// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/renameplan.h"

#include "scriptlang/lexer.h"
#include "scriptlang/names.h"

namespace scriptlang {

namespace {

QString quoted(const QString& name)
{
    return QLatin1Char('\'') + name + QLatin1Char('\'');
}

QString declaredAt(const SymbolIndex& index, int symbol)
{
    const ScriptSymbol& s = index.symbol(symbol);
    return QStringLiteral("%1 %2 at line %3")
        .arg(s.kind == NameKind::Event ? QStringLiteral("an") : QStringLiteral("a"), describe(s.kind))
        .arg(s.declaration.line);
}

QString bodyName(const SymbolIndex& index, int scope)
{
    const int owner = index.scopes().at(scope).owner;
    return owner < 0 ? QStringLiteral("a body")
                     : describe(index.symbol(owner).kind) + u' ' + index.symbol(owner).name;
}

bool usedIn(const SymbolIndex& index, int symbol, int scope)
{
    const BodyScope& body = index.scopes().at(scope);
    for (int o : index.occurrencesOf(symbol)) {
        const Occurrence& occurrence = index.occurrences().at(o);
        if (occurrence.text == TextKind::Slo && occurrence.range.offset >= body.start &&
            occurrence.range.offset < body.end)
            return true;
    }
    return false;
}

QString nameProblem(const QString& name, NameKind kind, bool boundInVlo)
{
    bool valid = !name.isEmpty() && isNameStart(name.front());
    for (QChar c : name)
        valid = valid && isNameChar(c);
    if (!valid)
        return QStringLiteral(
                   "%1 is not a name: a name starts with a letter or '_' and goes on with letters, "
                   "digits and '_'.")
            .arg(quoted(name));
    if (const BuiltinName builtin = nameIndex().kind(name); builtin != BuiltinName::None)
        return QStringLiteral("%1 is %2 of the game's language: choose another name.")
            .arg(quoted(name), describe(builtin));
    const int longest = kind == NameKind::Macro ? kMaxMacroNameLength : kMaxNameLength;
    if (name.size() > longest)
        return QStringLiteral("%1 is longer than the %2 characters the game keeps of a %3.")
            .arg(quoted(name))
            .arg(longest)
            .arg(kind == NameKind::Macro ? QStringLiteral("#define name") : QStringLiteral("name"));
    if (boundInVlo && name.front() == u'_')
        return QStringLiteral("the VLO binds this variable, and a VLO name cannot start with '_'.");
    return QString();
}

// A name visible where the renamed one is, or one that would hide it where it is used.
QString clash(const SymbolIndex& index, int symbol, const QString& name)
{
    const ScriptSymbol& s = index.symbol(symbol);
    const int wide = index.resolve(name, -1);
    if (s.scope >= 0) {
        for (int other : index.namesOf(s.scope)) {
            if (other != symbol && index.symbol(other).name == name)
                return QStringLiteral("%1 is already declared in %2 as %3.")
                    .arg(quoted(name), bodyName(index, s.scope), declaredAt(index, other));
        }
        // Locals may hide globals, but nothing else the script declares.
        if (wide >= 0 && index.symbol(wide).kind != NameKind::Global)
            return QStringLiteral("%1 is already declared as %2.").arg(quoted(name), declaredAt(index, wide));
        if (wide >= 0 && usedIn(index, wide, s.scope))
            return QStringLiteral("%1 is a global variable used in %2: the renamed %3 would hide it there.")
                .arg(quoted(name), bodyName(index, s.scope), describe(s.kind));
        return QString();
    }
    if (wide >= 0 && wide != symbol)
        return QStringLiteral("%1 is already declared as %2.").arg(quoted(name), declaredAt(index, wide));
    for (qsizetype scope = 0; scope < index.scopes().size(); ++scope) {
        for (int other : index.namesOf(int(scope))) {
            if (index.symbol(other).name == name && usedIn(index, symbol, int(scope)))
                return QStringLiteral(
                           "%1 is %2 in %3, where %4 is used: there the new name would mean the %5.")
                    .arg(quoted(name), declaredAt(index, other), bodyName(index, int(scope)), quoted(s.name),
                         describe(index.symbol(other).kind));
        }
    }
    return QString();
}

} // namespace

RenameTarget renameTargetAt(const SymbolIndex& index, TextKind text, int offset)
{
    RenameTarget target;
    const int found = index.occurrenceAt(text, offset);
    if (found >= 0) {
        const Occurrence& o = index.occurrences().at(found);
        target.symbol = o.symbol;
        target.range = o.range;
        target.name = index.symbol(o.symbol).name;
        return target;
    }
    const TextRange word = wordAt(index.text(text), index.lines(text), offset, text == TextKind::Vlo);
    const QString name = index.text(text).mid(word.offset, word.length);
    const BuiltinName builtin = text == TextKind::Slo ? nameIndex().kind(name) : BuiltinName::None;
    if (builtin != BuiltinName::None)
        target.refusal = QStringLiteral("%1 is %2 of the game's language: only names the script declares can "
                                        "be renamed.")
                             .arg(quoted(name), describe(builtin));
    else
        target.refusal = QStringLiteral("Put the caret on a name the script declares.");
    return target;
}

RenamePlan planRename(const SymbolIndex& index, TextKind text, int offset, const QString& newName)
{
    RenamePlan plan;
    const RenameTarget target = renameTargetAt(index, text, offset);
    if (target.symbol < 0) {
        plan.refusal = target.refusal;
        return plan;
    }
    if (newName == target.name)
        return plan;
    const ScriptSymbol& s = index.symbol(target.symbol);
    bool bound = false;
    for (int o : index.occurrencesOf(target.symbol))
        bound = bound || index.occurrences().at(o).text == TextKind::Vlo;
    plan.refusal = nameProblem(newName, s.kind, bound);
    if (plan.refusal.isEmpty())
        plan.refusal = clash(index, target.symbol, newName);
    if (!plan.refusal.isEmpty())
        return plan;
    for (int o : index.occurrencesOf(target.symbol)) {
        const Occurrence& occurrence = index.occurrences().at(o);
        plan.edits.append(
            TextEdit{occurrence.text, occurrence.range.offset, occurrence.range.length, newName});
    }
    return plan;
}

} // namespace scriptlang
