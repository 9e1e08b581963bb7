// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/hover.h"

#include "lsp/helpentries.h"
#include "lsp/scriptoutline.h"
#include "scriptlang/builtins.h"

#include <QFileInfo>
#include <QJsonObject>

namespace lsp {

namespace {

using scriptlang::builtins;

// What a hover says: a title, a line of code and notes below it.
struct HoverText {
    QString title;
    QString code;
    QString notes;
};

QString params(const QList<scriptlang::BuiltinParam>& list)
{
    QStringList words;
    for (const scriptlang::BuiltinParam& p : list)
        words.append(p.byRef ? QStringLiteral("ref ") + p.type : p.type);
    return words.join(QStringLiteral(", "));
}

QString render(const HoverText& h, bool markdown)
{
    if (!markdown)
        return h.title + QLatin1Char('\n') + h.code +
               (h.notes.isEmpty() ? QString() : QStringLiteral("\n\n") + h.notes);
    return QStringLiteral("### %1\n\n```slo\n%2\n```").arg(h.title, h.code) +
           (h.notes.isEmpty() ? QString() : QStringLiteral("\n\n---\n\n") + h.notes);
}

QString helpNotes(const QString& name, bool markdown)
{
    const QString entry = helpEntry(name);
    if (entry.isEmpty() || !markdown)
        return entry;
    const qsizetype newline = entry.indexOf(u'\n');
    return QLatin1Char('`') + entry.left(newline) + QStringLiteral("`\n\n") + entry.mid(newline + 1);
}

QString quoted(const QString& name, bool markdown)
{
    return markdown ? QLatin1Char('`') + name + QLatin1Char('`') : name;
}

bool builtinText(const QString& name, const Word& word, bool markdown, HoverText& h)
{
    const scriptlang::Builtins& b = builtins();
    if (word.afterDot) {
        QStringList owners;
        QString type;
        bool writable = false;
        for (const scriptlang::BuiltinVariable& m : b.members) {
            if (m.name == name) {
                owners.append(m.memberOf);
                type = m.type;
                writable = writable || m.writable;
            }
        }
        if (owners.isEmpty())
            return false;
        h = {QStringLiteral("member ") + quoted(name, markdown), QStringLiteral("%1 : %2").arg(name, type),
             QStringLiteral("of %1%2").arg(owners.join(QStringLiteral(", ")),
                                           writable ? QStringLiteral("; writable")
                                                    : QStringLiteral("; read-only"))};
        return true;
    }
    if (const auto f = b.functions.constFind(name); f != b.functions.cend()) {
        const QString result =
            f->returnType == QLatin1String("VOID") ? QString() : QStringLiteral(" : ") + f->returnType;
        h = {QStringLiteral("builtin function ") + quoted(name, markdown),
             QStringLiteral("%1(%2)%3").arg(name, params(f->params), result), helpNotes(name, markdown)};
        return true;
    }
    if (const auto c = b.callbacks.constFind(name); c != b.callbacks.cend()) {
        h = {QStringLiteral("callback ") + quoted(name, markdown),
             c->params.isEmpty() ? name : name + QStringLiteral(", ") + params(c->params),
             helpNotes(name, markdown)};
        return true;
    }
    if (const auto c = b.constants.constFind(name); c != b.constants.cend()) {
        h = {QStringLiteral("constant ") + quoted(name, markdown),
             QStringLiteral("%1 : %2").arg(name, c->type), QString()};
        return true;
    }
    if (const auto v = b.externals.constFind(name); v != b.externals.cend()) {
        h = {QStringLiteral("game variable ") + quoted(name, markdown),
             QStringLiteral("%1 : %2").arg(name, v->type),
             v->writable ? QStringLiteral("writable") : QStringLiteral("read-only")};
        return true;
    }
    for (const scriptlang::BuiltinType& t : b.types) {
        if (!t.scriptWords.contains(name) && !t.vloWords.contains(name))
            continue;
        QStringList notes{QStringLiteral("%1 type").arg(t.kind)};
        if (!t.equivalents.isEmpty())
            notes.append(QStringLiteral("also takes %1").arg(t.equivalents.join(QStringLiteral(", "))));
        notes.append(t.vloWords.isEmpty()
                         ? QStringLiteral("not bound from a VLO")
                         : QStringLiteral("in a VLO: %1 %2").arg(t.vloWords.last(), t.vloValueForm));
        h = {QStringLiteral("type ") + quoted(t.name, markdown), t.name, notes.join(QStringLiteral("; "))};
        return true;
    }
    return false;
}

QString declarationCode(const Declaration& d)
{
    switch (d.kind) {
    case DeclarationKind::Global:
        return QStringLiteral("%1 %2 %3%4")
            .arg(d.isPublic ? QStringLiteral("public") : QStringLiteral("private"), d.type, d.name, d.detail);
    case DeclarationKind::Local:
        return QStringLiteral("local %1 %2%3").arg(d.type, d.name, d.detail);
    case DeclarationKind::Parameter:
        return QStringLiteral("%1 %2").arg(d.type, d.name);
    case DeclarationKind::Trigger:
        return QStringLiteral("trigger %1(%2)").arg(d.name, d.detail);
    case DeclarationKind::Event:
        return QStringLiteral("event %1(%2)").arg(d.name, d.detail);
    case DeclarationKind::Function:
        return QStringLiteral("function %1 %2%3").arg(d.type, d.name, d.detail);
    case DeclarationKind::Macro:
        return QStringLiteral("#define %1 %2").arg(d.name, d.detail);
    }
    return QString();
}

QString kindName(DeclarationKind kind)
{
    switch (kind) {
    case DeclarationKind::Global:
        return QStringLiteral("global variable");
    case DeclarationKind::Local:
        return QStringLiteral("local variable");
    case DeclarationKind::Parameter:
        return QStringLiteral("parameter");
    case DeclarationKind::Trigger:
        return QStringLiteral("trigger");
    case DeclarationKind::Event:
        return QStringLiteral("event");
    case DeclarationKind::Function:
        return QStringLiteral("function");
    case DeclarationKind::Macro:
        return QStringLiteral("macro");
    }
    return QString();
}

HoverText declarationText(const ScriptOutline& outline, const Declaration& d, const QString& scriptText,
                          const QString& fileName, bool markdown)
{
    const int line = LineIndex(scriptText).position(d.nameOffset).line + 1;
    QString where = QStringLiteral("declared at line %1").arg(line);
    if (d.scope >= 0)
        where =
            QStringLiteral("in %1, ").arg(quoted(outline.declarations.at(d.scope).name, markdown)) + where;
    if (!fileName.isEmpty())
        where += QStringLiteral(" of ") + fileName;
    return HoverText{kindName(d.kind) + QLatin1Char(' ') + quoted(d.name, markdown), declarationCode(d),
                     where};
}

QJsonValue hoverJson(const HoverText& h, const LineIndex& lines, const Word& word, bool markdown)
{
    return QJsonObject{{QStringLiteral("contents"),
                        QJsonObject{{QStringLiteral("kind"),
                                     markdown ? QStringLiteral("markdown") : QStringLiteral("plaintext")},
                                    {QStringLiteral("value"), render(h, markdown)}}},
                       {QStringLiteral("range"), rangeJson(lines, word.offset, word.offset + word.length)}};
}

} // namespace

QJsonValue hover(Workspace& workspace, const TextDocument& document, const Position& position, bool markdown)
{
    const LineIndex lines(document.text);
    const qsizetype offset = lines.offset(position);
    Word word;
    if (offset < 0 || document.kind == DocumentKind::Other || !wordAt(document.text, offset, word))
        return QJsonValue::Null;
    const QString name = document.text.mid(word.offset, word.length);
    HoverText h;
    if (isScript(document.kind)) {
        const ScriptOutline outline = outlineScript(document.text);
        const Declaration* d = word.afterDot ? nullptr : outline.resolve(name, word.offset);
        if (d)
            return hoverJson(declarationText(outline, *d, document.text, QString(), markdown), lines, word,
                             markdown);
    } else {
        const ScriptGroup group = workspace.groupOf(document);
        if (group.script) {
            const ScriptOutline outline = outlineScript(group.script->text);
            for (const Declaration& d : outline.declarations) {
                if (d.kind == DeclarationKind::Global && d.name == name) {
                    const QString file = QFileInfo(group.script->path).fileName();
                    return hoverJson(declarationText(outline, d, group.script->text, file, markdown), lines,
                                     word, markdown);
                }
            }
        }
    }
    if (builtinText(name, word, markdown, h))
        return hoverJson(h, lines, word, markdown);
    return QJsonValue::Null;
}

} // namespace lsp
