// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/indexbuilder.h"

#include "scriptlang/names.h"
#include "scriptlang/vloparser.h"

#include <algorithm>

namespace scriptlang {

namespace indexing {

bool startsTopLevel(const Tk& t)
{
    if (t.text.isEmpty())
        return false;
    switch (t.text.front().unicode()) {
    case 'e':
        return isWord(t, "event");
    case 'f':
        return isWord(t, "function");
    case 't':
        return isWord(t, "trigger");
    case 'p':
        return isWord(t, "public") || isWord(t, "private");
    default:
        return false;
    }
}

QString typeOf(const Tk& t)
{
    return t.kind == Tok::TypeName || t.kind == Tok::Ident ? nameIndex().typeOfWord.value(t.text) : QString();
}

ScriptSymbol ofKind(NameKind kind)
{
    ScriptSymbol symbol;
    symbol.kind = kind;
    return symbol;
}

} // namespace indexing

using namespace indexing;

void IndexBuilder::run(VloForm form)
{
    readTokens();
    while (m_pos < m_tokens.size()) {
        const qsizetype before = m_pos;
        if (m_scope >= 0)
            bodyToken();
        else
            topLevel();
        if (m_pos == before)
            ++m_pos;
    }
    if (m_scope >= 0)
        closeScope(int(m.m_slo.size()));
    resolveUses();
    bindVlo(form);
    finish();
}

int IndexBuilder::addSymbol(ScriptSymbol symbol, const TextRange& range, OccurrenceRole role)
{
    symbol.declaration = range;
    symbol.definition = range;
    const int index = int(m.m_symbols.size());
    m.m_symbols.append(std::move(symbol));
    addOccurrence(index, role, range);
    return index;
}

void IndexBuilder::addOccurrence(int symbol, OccurrenceRole role, const TextRange& range)
{
    m.m_occurrences.append(Occurrence{symbol, TextKind::Slo, role, range});
}

int IndexBuilder::declareScriptWide(const Tk& name, ScriptSymbol symbol, OccurrenceRole role)
{
    const auto known = m.m_scriptWideByName.constFind(name.text);
    if (known != m.m_scriptWideByName.cend()) {
        addOccurrence(*known, role, rangeOf(name));
        return *known;
    }
    symbol.name = name.text.toString();
    const int index = addSymbol(std::move(symbol), rangeOf(name), role);
    m.m_scriptWideByName.insert(name.text, index);
    m.m_scriptWide.append(index);
    return index;
}

int IndexBuilder::declareInScope(const Tk& name, ScriptSymbol symbol, int scope)
{
    for (int known : std::as_const(m.m_scopeNames[scope])) {
        if (m.m_symbols.at(known).name == name.text) {
            addOccurrence(known, OccurrenceRole::Declaration, rangeOf(name));
            return known;
        }
    }
    symbol.name = name.text.toString();
    symbol.scope = scope;
    const int index = addSymbol(std::move(symbol), rangeOf(name), OccurrenceRole::Declaration);
    m.m_scopeNames[scope].append(index);
    return index;
}

int IndexBuilder::openScope(int owner, int start)
{
    m.m_scopes.append(BodyScope{owner, start, int(m.m_slo.size())});
    m.m_scopeNames.append(QList<int>());
    return int(m.m_scopes.size() - 1);
}

void IndexBuilder::closeScope(int end)
{
    m.m_scopes[m_scope].end = end;
    m_scope = -1;
    m_depth = 0;
}

bool IndexBuilder::accept(Tok kind)
{
    if (peek().kind != kind)
        return false;
    ++m_pos;
    return true;
}

void IndexBuilder::use(int scope)
{
    const Tk& t = peek();
    if (peek(-1).kind != Tok::Dot)
        m_pending.append({t.text, rangeOf(t), scope});
}

void IndexBuilder::topLevel()
{
    const Tk& t = peek();
    if (isWord(t, "public") || isWord(t, "private")) {
        ++m_pos;
        variables(NameKind::Global, isWord(t, "public"), -1);
    } else if (isWord(t, "trigger")) {
        ++m_pos;
        trigger();
    } else if (isWord(t, "event")) {
        ++m_pos;
        event();
    } else if (isWord(t, "function")) {
        ++m_pos;
        function();
    } else if (t.kind == Tok::LBrace) {
        ++m_pos;
        m_scope = openScope(-1, t.offset); // a body whose head is lost
        m_depth = 1;
    } else {
        if (isName(t))
            use(-1);
        ++m_pos;
    }
}

void IndexBuilder::variables(NameKind kind, bool isPublic, int scope)
{
    ScriptSymbol symbol;
    symbol.kind = kind;
    symbol.isPublic = isPublic;
    const Tk& typeToken = peek();
    if (isWord(typeToken, "trigger") || isWord(typeToken, "event"))
        symbol.type = typeToken.text.toString().toUpper();
    else
        symbol.type = typeOf(typeToken);
    if (!symbol.type.isEmpty())
        ++m_pos;
    while (isName(peek())) {
        const Tk& name = peek();
        ++m_pos;
        symbol.arraySuffix = arraySuffix(scope);
        if (kind == NameKind::Global)
            declareScriptWide(name, symbol, OccurrenceRole::Declaration);
        else
            declareInScope(name, symbol, scope);
        if (!accept(Tok::Comma))
            break;
    }
    accept(Tok::Semicolon);
}

QString IndexBuilder::arraySuffix(int scope)
{
    if (peek().kind != Tok::LBracket)
        return QString();
    const int start = peek().offset;
    int end = start;
    while (peek().kind == Tok::LBracket) {
        ++m_pos;
        while (peek().kind != Tok::RBracket && peek().kind != Tok::End && peek().kind != Tok::Semicolon &&
               !startsTopLevel(peek())) {
            if (isName(peek()))
                use(scope);
            ++m_pos;
        }
        if (peek().kind != Tok::RBracket)
            break;
        end = peek().offset + 1;
        ++m_pos;
    }
    return end > start ? m.m_slo.mid(start, end - start) : QString();
}

QString IndexBuilder::condition()
{
    if (peek().kind != Tok::LParen)
        return QString();
    const int start = peek().offset + 1;
    int end = start;
    int depth = 0;
    while (peek().kind != Tok::End) {
        const Tk& t = peek();
        if (t.kind == Tok::LParen) {
            ++depth;
        } else if (t.kind == Tok::RParen && --depth == 0) {
            end = t.offset;
            ++m_pos;
            break;
        } else if (t.kind == Tok::Semicolon || t.kind == Tok::LBrace || startsTopLevel(t)) {
            break;
        } else if (isName(t)) {
            use(-1);
        }
        end = t.offset + t.length;
        ++m_pos;
    }
    return QStringView(m.m_slo).mid(start, qMax(0, end - start)).trimmed().toString().simplified();
}

void IndexBuilder::trigger()
{
    if (!isName(peek()))
        return;
    const Tk& name = peek();
    ++m_pos;
    const int index = declareScriptWide(name, ofKind(NameKind::Trigger), OccurrenceRole::Declaration);
    const QString detail = condition();
    if (m.m_symbols[index].kind == NameKind::Trigger && m.m_symbols[index].detail.isEmpty())
        m.m_symbols[index].detail = detail;
    accept(Tok::Semicolon);
}

void IndexBuilder::event()
{
    if (!isName(peek()))
        return;
    const Tk& name = peek();
    ++m_pos;
    if (accept(Tok::Semicolon)) {
        declareScriptWide(name, ofKind(NameKind::Event), OccurrenceRole::Declaration);
        return;
    }
    const int index = defineScriptWide(name, NameKind::Event);
    const QString detail = condition();
    if (!detail.isEmpty() || m.m_symbols[index].detail.isEmpty())
        m.m_symbols[index].detail = detail;
    if (peek().kind == Tok::LBrace) {
        m_scope = openScope(index, peek().offset);
        m_depth = 1;
        ++m_pos;
    }
}

int IndexBuilder::defineScriptWide(const Tk& name, NameKind kind)
{
    const auto known = m.m_scriptWideByName.constFind(name.text);
    if (known != m.m_scriptWideByName.cend() && m.m_symbols.at(*known).kind == kind) {
        addOccurrence(*known, OccurrenceRole::Definition, rangeOf(name));
        m.m_symbols[*known].definition = rangeOf(name);
        return *known;
    }
    return declareScriptWide(name, ofKind(kind), OccurrenceRole::Definition);
}

void IndexBuilder::function()
{
    const QString returnType = typeOf(peek());
    if (!returnType.isEmpty())
        ++m_pos;
    if (!isName(peek()))
        return;
    const Tk& name = peek();
    ++m_pos;
    const auto known = m.m_scriptWideByName.constFind(name.text);
    const int prototype = known != m.m_scriptWideByName.cend() &&
                                  m.m_symbols.at(*known).kind == NameKind::Function &&
                                  !m_definedFunctions.contains(*known)
                              ? *known
                              : -1;
    const int scope = openScope(-1, peek().offset);
    QList<ParameterInfo> parameters;
    QList<int> parameterSymbols;
    if (accept(Tok::LParen)) {
        while (peek().kind != Tok::End) {
            ParameterInfo parameter;
            if (!typeOf(peek()).isEmpty()) {
                parameter.typeWord = peek().text.toString();
                ++m_pos;
            }
            if (isName(peek())) {
                parameter.name = peek().text.toString();
                parameterSymbols.append(parameterOf(prototype, int(parameters.size()), scope));
                ++m_pos;
            }
            parameters.append(parameter);
            if (!accept(Tok::Comma))
                break;
        }
        accept(Tok::RParen);
    }
    const bool body = peek().kind == Tok::LBrace;
    const int index = body ? defineScriptWide(name, NameKind::Function)
                           : declareScriptWide(name, ofKind(NameKind::Function), OccurrenceRole::Declaration);
    m.m_scopes[scope].owner = index;
    ScriptSymbol& f = m.m_symbols[index];
    if (f.kind == NameKind::Function && (prototype < 0 || f.type.isEmpty())) {
        // The game goes by the first head's return type.
        f.type = returnType;
        f.parameters = parameters;
    }
    if (!body) {
        m.m_scopes[scope].end = here();
        accept(Tok::Semicolon);
        return;
    }
    m_definedFunctions.insert(index);
    m_scope = scope;
    m_depth = 1;
    ++m_pos;
}

int IndexBuilder::parameterOf(int prototype, int position, int scope)
{
    const Tk& name = peek();
    if (prototype >= 0) {
        for (const QList<int>& names : std::as_const(m.m_scopeNames)) {
            for (int known : names) {
                const ScriptSymbol& p = m.m_symbols.at(known);
                if (p.kind != NameKind::Parameter || p.name != name.text ||
                    m.m_scopes.at(p.scope).owner != prototype || m_position.value(known) != position)
                    continue;
                m.m_scopeNames[p.scope].removeOne(known);
                m.m_symbols[known].scope = scope;
                m.m_scopeNames[scope].append(known);
                m.m_symbols[known].definition = rangeOf(name);
                addOccurrence(known, OccurrenceRole::Definition, rangeOf(name));
                return known;
            }
        }
    }
    ScriptSymbol parameter;
    parameter.kind = NameKind::Parameter;
    parameter.type = typeOf(peek(-1));
    const int index = declareInScope(name, parameter, scope);
    m_position.insert(index, position);
    return index;
}

void IndexBuilder::bodyToken()
{
    const Tk& t = peek();
    if (t.own && startsTopLevel(t)) {
        // The body was not closed: it ends where the next declaration starts.
        closeScope(t.offset);
        return;
    }
    if (isName(t))
        use(m_scope);
    ++m_pos;
    if (t.kind == Tok::LBrace)
        ++m_depth;
    else if (t.kind == Tok::RBrace && --m_depth == 0)
        closeScope(t.offset + 1);
    else if (isWord(t, "local"))
        variables(NameKind::Local, false, m_scope);
}

void IndexBuilder::resolveUses()
{
    for (const PendingUse& u : std::as_const(m_pending)) {
        const int symbol = m.resolve(u.name, u.scope);
        if (symbol >= 0)
            addOccurrence(symbol, OccurrenceRole::Use, u.range);
    }
}

void IndexBuilder::bindVlo(VloForm form)
{
    Findings ignored;
    const VloText vlo = parseVlo(m.m_vlo, form == VloForm::WholeFile, ignored);
    for (const VloBinding& b : vlo.bindings) {
        const int symbol = m.resolve(b.name, -1);
        if (symbol < 0 || m.m_symbols.at(symbol).kind != NameKind::Global)
            continue;
        m.m_occurrences.append(Occurrence{symbol, TextKind::Vlo, OccurrenceRole::Binding,
                                          m.m_vloLines.rangeAt(b.line, b.column, int(b.name.size()))});
    }
}

void IndexBuilder::finish()
{
    std::stable_sort(m.m_occurrences.begin(), m.m_occurrences.end(),
                     [](const Occurrence& a, const Occurrence& b) {
                         return std::pair(a.text, a.range.offset) < std::pair(b.text, b.range.offset);
                     });
    std::sort(m.m_quiet.begin(), m.m_quiet.end());
    m.m_bySymbol.resize(m.m_symbols.size());
    for (qsizetype i = 0; i < m.m_occurrences.size(); ++i)
        m.m_bySymbol[m.m_occurrences.at(i).symbol].append(int(i));
}

} // namespace scriptlang
