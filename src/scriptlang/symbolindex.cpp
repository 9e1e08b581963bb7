// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/symbolindex.h"

#include "scriptlang/lexer.h"
#include "scriptlang/names.h"
#include "scriptlang/vloparser.h"

#include <QSet>
#include <algorithm>

namespace scriptlang {

bool isNameStart(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_';
}

bool isNameChar(QChar c)
{
    return isNameStart(c) || (c.unicode() >= '0' && c.unicode() <= '9');
}

QString describe(NameKind kind)
{
    switch (kind) {
    case NameKind::Global:
        return QStringLiteral("global variable");
    case NameKind::Local:
        return QStringLiteral("local variable");
    case NameKind::Parameter:
        return QStringLiteral("parameter");
    case NameKind::Trigger:
        return QStringLiteral("trigger");
    case NameKind::Event:
        return QStringLiteral("event");
    case NameKind::Function:
        return QStringLiteral("function");
    case NameKind::Macro:
        return QStringLiteral("#define");
    }
    return QString();
}

namespace {

// A token with its offset in the script. `own` is false for a token that came from a #define
// body: the lexer gives it the place where the macro's name was used.
struct Tk {
    Tok kind = Tok::End;
    QStringView text;
    int offset = 0;
    int length = 0;
    int line = 1;
    int column = 1;
    bool own = true;
};

// Keywords by their text, whichever token kind the lexer gives them.
template <qsizetype N> bool isWord(const Tk& t, const char (&word)[N])
{
    return t.text.size() == N - 1 && t.kind != Tok::String && t.text == QLatin1StringView(word, N - 1);
}

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

// The type a type word names (int, INT, DROID ...); empty for any other token.
QString typeOf(const Tk& t)
{
    return t.kind == Tok::TypeName || t.kind == Tok::Ident ? nameIndex().typeOfWord.value(t.text) : QString();
}

// A name the script may declare or use, written where it stands: the lexer gives the
// language's own words kinds of their own.
bool isName(const Tk& t)
{
    return t.kind == Tok::Ident && t.own;
}

ScriptSymbol ofKind(NameKind kind)
{
    ScriptSymbol symbol;
    symbol.kind = kind;
    return symbol;
}

} // namespace

class IndexBuilder {
public:
    explicit IndexBuilder(SymbolIndex& index) : m(index) {}

    void run(VloForm form)
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

private:
    struct PendingUse {
        QStringView name;
        TextRange range;
        int scope;
    };

    static TextRange rangeOf(const Tk& t) { return TextRange{t.offset, t.length, t.line, t.column}; }
    TextRange rangeAt(int offset, int length) const { return m.m_sloLines.range(offset, length); }

    // ---- tokens, and what lies between them ----

    void readTokens()
    {
        Findings ignored;
        Lexer lexer(m.m_slo, ignored);
        m_tokens = lexer.tokenize();
        if (!m_tokens.isEmpty() && m_tokens.last().is(Tok::End))
            m_tokens.removeLast();
        int gapFrom = 0;
        for (qsizetype i = 0; i < m_tokens.size(); ++i) {
            const Tk t = tokenAt(i);
            if (!t.own)
                continue;
            scanGap(gapFrom, t.offset);
            gapFrom = t.offset + t.length;
            if (t.kind == Tok::String)
                m.m_quiet.append({t.offset, gapFrom});
        }
        scanGap(gapFrom, int(m.m_slo.size()));
    }

    // The lexer's token with its offset, and whether it stands where it was written.
    Tk tokenAt(qsizetype i) const
    {
        if (i < 0 || i >= m_tokens.size())
            return Tk{};
        const Token& t = m_tokens.at(i);
        const qsizetype at = t.text.data() - m.m_slo.constData();
        const int place = m.m_sloLines.offsetOf(t.line, t.column);
        const bool own = at >= 0 && at <= m.m_slo.size() && at == place;
        return Tk{t.kind, t.text, place, t.length, t.line, t.column, own};
    }

    // Between two tokens lie blanks, comments, # lines and the names of #define macros in use
    // (the lexer has put their bodies in their place).
    void scanGap(int from, int to)
    {
        const QString& s = m.m_slo;
        int p = from;
        while (p < to) {
            const QChar c = s[p];
            if (c == u'/' && p + 1 < to && s[p + 1] == u'/') {
                const int end = lineEnd(p, to);
                m.m_quiet.append({p, end});
                p = end;
            } else if (c == u'/' && p + 1 < to && s[p + 1] == u'*') {
                const qsizetype close = s.indexOf(QLatin1StringView("*/"), p + 2);
                const int end = close < 0 || close + 2 > to ? to : int(close + 2);
                m.m_quiet.append({p, end});
                p = end;
            } else if (c == u'#') {
                const int end = lineEnd(p, to);
                directive(p, end);
                m.m_quiet.append({p, end});
                p = end;
            } else if (isNameStart(c)) {
                int end = p + 1;
                while (end < to && isNameChar(s[end]))
                    ++end;
                macroUse(QStringView(s).mid(p, end - p), p);
                p = end;
            } else {
                ++p;
            }
        }
    }

    int lineEnd(int from, int to) const
    {
        const qsizetype end = m.m_slo.indexOf(u'\n', from);
        return end < 0 || end > to ? to : int(end);
    }

    void directive(int hash, int end)
    {
        const QString& s = m.m_slo;
        int p = hash + 1;
        const int wordStart = p;
        while (p < end && isNameChar(s[p]))
            ++p;
        if (QStringView(s).mid(wordStart, p - wordStart) != QLatin1StringView("define"))
            return;
        while (p < end && (s[p] == u' ' || s[p] == u'\t'))
            ++p;
        const int nameStart = p;
        while (p < end && isNameChar(s[p]))
            ++p;
        if (p == nameStart || !isNameStart(s[nameStart]))
            return;
        const QStringView name = QStringView(s).mid(nameStart, p - nameStart);
        const auto known = m_macros.constFind(name);
        if (known != m_macros.cend()) {
            // The game keeps the first #define of a name; a later one is one more place to rename.
            addOccurrence(*known, OccurrenceRole::Declaration, rangeAt(nameStart, int(name.size())));
        } else {
            ScriptSymbol macro;
            macro.name = name.toString();
            macro.kind = NameKind::Macro;
            macro.detail = QStringView(s).mid(p, end - p).trimmed().toString();
            const int symbol =
                addSymbol(macro, rangeAt(nameStart, int(name.size())), OccurrenceRole::Declaration);
            m_macros.insert(name, symbol);
            if (!m.m_scriptWideByName.contains(name)) {
                m.m_scriptWideByName.insert(name, symbol);
                m.m_scriptWide.append(symbol);
            }
        }
        macroBodyUses(p, end);
    }

    // Names in a #define body: other macros, and the script's names as seen from the top level.
    void macroBodyUses(int from, int to)
    {
        const QString& s = m.m_slo;
        int p = from;
        while (p < to) {
            const QChar c = s[p];
            if (c == u'"') {
                const qsizetype close = s.indexOf(u'"', p + 1);
                p = close < 0 || close >= to ? to : int(close + 1);
            } else if (c == u'/' && p + 1 < to && (s[p + 1] == u'/' || s[p + 1] == u'*')) {
                return;
            } else if (isNameStart(c)) {
                int end = p + 1;
                while (end < to && isNameChar(s[end]))
                    ++end;
                const QStringView name = QStringView(s).mid(p, end - p);
                if (p > from && s[p - 1] == u'.') {
                    // a member
                } else if (const auto macro = m_macros.constFind(name); macro != m_macros.cend()) {
                    addOccurrence(*macro, OccurrenceRole::Use, rangeAt(p, int(name.size())));
                } else {
                    m_pending.append({name, rangeAt(p, int(name.size())), -1});
                }
                p = end;
            } else if (c.unicode() >= '0' && c.unicode() <= '9') {
                while (p < to && isNameChar(s[p]))
                    ++p;
            } else {
                ++p;
            }
        }
    }

    void macroUse(QStringView name, int offset)
    {
        const auto macro = m_macros.constFind(name);
        if (macro != m_macros.cend())
            addOccurrence(*macro, OccurrenceRole::Use, rangeAt(offset, int(name.size())));
    }

    // ---- symbols and occurrences ----

    int addSymbol(ScriptSymbol symbol, const TextRange& range, OccurrenceRole role)
    {
        symbol.declaration = range;
        symbol.definition = range;
        const int index = int(m.m_symbols.size());
        m.m_symbols.append(std::move(symbol));
        addOccurrence(index, role, range);
        return index;
    }

    void addOccurrence(int symbol, OccurrenceRole role, const TextRange& range)
    {
        m.m_occurrences.append(Occurrence{symbol, TextKind::Slo, role, range});
    }

    // A script-wide name: a second declaration of a known one is one more place of it.
    int declareScriptWide(const Tk& name, ScriptSymbol symbol, OccurrenceRole role)
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

    int declareInScope(const Tk& name, ScriptSymbol symbol, int scope)
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

    int openScope(int owner, int start)
    {
        m.m_scopes.append(BodyScope{owner, start, int(m.m_slo.size())});
        m.m_scopeNames.append(QList<int>());
        return int(m.m_scopes.size() - 1);
    }

    void closeScope(int end)
    {
        m.m_scopes[m_scope].end = end;
        m_scope = -1;
        m_depth = 0;
    }

    // ---- reading ----

    Tk peek(int ahead = 0) const { return tokenAt(m_pos + ahead); }

    bool accept(Tok kind)
    {
        if (peek().kind != kind)
            return false;
        ++m_pos;
        return true;
    }

    // The name at the reading place, unless it is a member after '.'.
    void use(int scope)
    {
        const Tk& t = peek();
        if (peek(-1).kind != Tok::Dot)
            m_pending.append({t.text, rangeOf(t), scope});
    }

    // Where the token at the reading place starts; the end of the text after the last.
    int here() const { return peek().kind == Tok::End ? int(m.m_slo.size()) : peek().offset; }

    void topLevel()
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

    // `TYPE a, b[4][TECHS], c;` after public, private or local.
    void variables(NameKind kind, bool isPublic, int scope)
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

    QString arraySuffix(int scope)
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

    // `( CONDITION )` of a trigger or event: its names are uses; returns the text between.
    QString condition()
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

    void trigger()
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

    void event()
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

    // The head of an event or function with a body: its declaration when it is the first.
    int defineScriptWide(const Tk& name, NameKind kind)
    {
        const auto known = m.m_scriptWideByName.constFind(name.text);
        if (known != m.m_scriptWideByName.cend() && m.m_symbols.at(*known).kind == kind) {
            addOccurrence(*known, OccurrenceRole::Definition, rangeOf(name));
            m.m_symbols[*known].definition = rangeOf(name);
            return *known;
        }
        return declareScriptWide(name, ofKind(kind), OccurrenceRole::Definition);
    }

    void function()
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
        const int index =
            body ? defineScriptWide(name, NameKind::Function)
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

    // A parameter name: one of the prototype's when the definition repeats it in its place.
    int parameterOf(int prototype, int position, int scope)
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

    void bodyToken()
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

    // ---- after the pass ----

    void resolveUses()
    {
        for (const PendingUse& u : std::as_const(m_pending)) {
            const int symbol = m.resolve(u.name, u.scope);
            if (symbol >= 0)
                addOccurrence(symbol, OccurrenceRole::Use, u.range);
        }
    }

    void bindVlo(VloForm form)
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

    void finish()
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

    SymbolIndex& m;
    QList<Token> m_tokens;
    qsizetype m_pos = 0;
    int m_scope = -1; // the body being read
    int m_depth = 0;  // its braces
    QHash<NameKey, int> m_macros;
    QList<PendingUse> m_pending;
    QSet<int> m_definedFunctions;
    QHash<int, int> m_position; // parameter -> its place in the head
};

SymbolIndex SymbolIndex::build(const QString& slo, const QString& vlo, VloForm form)
{
    SymbolIndex index;
    index.m_slo = slo;
    index.m_vlo = vlo;
    index.m_sloLines = LineStarts(slo);
    index.m_vloLines = LineStarts(vlo);
    IndexBuilder(index).run(form);
    return index;
}

int SymbolIndex::scopeAt(int sloOffset) const
{
    // Bodies do not overlap and come in text order.
    const auto after = std::upper_bound(m_scopes.cbegin(), m_scopes.cend(), sloOffset,
                                        [](int offset, const BodyScope& s) { return offset < s.start; });
    if (after == m_scopes.cbegin())
        return -1;
    const auto scope = after - 1;
    return sloOffset < scope->end || (sloOffset == scope->end && scope->end == m_slo.size())
               ? int(scope - m_scopes.cbegin())
               : -1;
}

int SymbolIndex::resolve(QStringView name, int scope) const
{
    if (scope >= 0 && scope < m_scopeNames.size()) {
        for (int symbol : m_scopeNames.at(scope)) {
            if (m_symbols.at(symbol).name == name)
                return symbol;
        }
    }
    return m_scriptWideByName.value(name, -1);
}

int SymbolIndex::occurrenceAt(TextKind text, int offset) const
{
    const auto first = std::lower_bound(m_occurrences.cbegin(), m_occurrences.cend(), text,
                                        [](const Occurrence& o, TextKind t) { return o.text < t; });
    // The last occurrence of the text that starts at or before the offset.
    const auto after =
        std::upper_bound(first, m_occurrences.cend(), std::pair(text, offset),
                         [](const std::pair<TextKind, int>& place, const Occurrence& o) {
                             return std::pair(place.first, place.second) < std::pair(o.text, o.range.offset);
                         });
    if (after == first)
        return -1;
    const auto found = after - 1;
    return found->range.touches(offset) ? int(found - m_occurrences.cbegin()) : -1;
}

bool SymbolIndex::inCommentOrString(int sloOffset) const
{
    const auto after =
        std::upper_bound(m_quiet.cbegin(), m_quiet.cend(), sloOffset,
                         [](int offset, const std::pair<int, int>& r) { return offset < r.first; });
    if (after == m_quiet.cbegin())
        return false;
    const auto& range = *(after - 1);
    // Inside a comment or a string; at the end of a line comment or an unclosed one, still in it.
    if (sloOffset > range.first && sloOffset < range.second)
        return true;
    if (sloOffset == range.second && sloOffset > range.first) {
        const QChar first = m_slo[range.first];
        const QChar last = m_slo[range.second - 1];
        const bool lineComment = first == u'/' && m_slo[range.first + 1] == u'/';
        const bool closed = (first == u'"' && last == u'"' && range.second - range.first > 1) ||
                            (first == u'/' && m_slo[range.first + 1] == u'*' && last == u'/' &&
                             range.second - range.first > 3);
        return lineComment || first == u'#' || !closed;
    }
    return false;
}

TextRange wordAt(const QString& text, const LineStarts& lines, int offset, bool vloWords)
{
    auto inWord = [&](QChar c) { return isNameChar(c) || (vloWords && c == u'-'); };
    int start = qBound(0, offset, int(text.size()));
    int end = start;
    while (start > 0 && inWord(text[start - 1]))
        --start;
    while (end < text.size() && inWord(text[end]))
        ++end;
    // A word starts with a letter (or '_'): digits before it are a number.
    while (start < end && !isNameStart(text[start]))
        ++start;
    if (start >= end)
        return lines.range(offset, 0);
    return lines.range(start, end - start);
}

} // namespace scriptlang
