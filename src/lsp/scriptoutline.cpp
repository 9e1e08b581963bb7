// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/scriptoutline.h"

#include <algorithm>

namespace lsp {

namespace {

enum class TokKind { Word, Number, String, Punct, Directive };

struct Tok {
    TokKind kind = TokKind::Punct;
    qsizetype offset = 0;
    qsizetype length = 0;
};

bool isWordStart(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
}

bool isWordChar(QChar c)
{
    return isWordStart(c) || (c >= u'0' && c <= u'9');
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The script's tokens; comments are left out, a `#` line is one Directive token.
QList<Tok> tokenize(const QString& text)
{
    QList<Tok> toks;
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto lineEnd = [&](qsizetype from) {
        const qsizetype end = text.indexOf(u'\n', from);
        return end < 0 ? n : end;
    };
    while (i < n) {
        const QChar c = text.at(i);
        if (c == u'/' && i + 1 < n && text.at(i + 1) == u'/') {
            i = lineEnd(i);
        } else if (c == u'/' && i + 1 < n && text.at(i + 1) == u'*') {
            const qsizetype end = text.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
        } else if (c.isSpace()) {
            ++i;
        } else if (c == u'#') {
            const qsizetype end = lineEnd(i);
            toks.append(Tok{TokKind::Directive, i, end - i});
            i = end;
        } else if (c == u'"') {
            qsizetype end = i + 1;
            while (end < n && text.at(end) != u'"' && text.at(end) != u'\n')
                ++end;
            end = end < n && text.at(end) == u'"' ? end + 1 : end;
            toks.append(Tok{TokKind::String, i, end - i});
            i = end;
        } else if (isWordStart(c)) {
            qsizetype end = i + 1;
            while (end < n && isWordChar(text.at(end)))
                ++end;
            toks.append(Tok{TokKind::Word, i, end - i});
            i = end;
        } else if (isDigit(c) || (c == u'.' && i + 1 < n && isDigit(text.at(i + 1)))) {
            qsizetype end = i + 1;
            while (end < n && (isDigit(text.at(end)) || text.at(end) == u'.'))
                ++end;
            toks.append(Tok{TokKind::Number, i, end - i});
            i = end;
        } else {
            toks.append(Tok{TokKind::Punct, i, 1});
            ++i;
        }
    }
    return toks;
}

QString simplified(QStringView text)
{
    return text.toString().simplified();
}

class OutlineReader {
public:
    OutlineReader(const QString& text) : m_text(text), m_toks(tokenize(text)) {}

    ScriptOutline read()
    {
        while (m_i < m_toks.size()) {
            const Tok& t = m_toks.at(m_i);
            if (t.kind == TokKind::Directive) {
                macro(t);
                ++m_i;
            } else if (isPunct(m_i, u'{')) {
                m_i = blockEnd(m_i);
            } else if (isWord(m_i, "public") || isWord(m_i, "private")) {
                variables(DeclarationKind::Global, -1);
            } else if (isWord(m_i, "trigger")) {
                trigger();
            } else if (isWord(m_i, "event")) {
                event();
            } else if (isWord(m_i, "function")) {
                function();
            } else {
                ++m_i;
            }
        }
        return std::move(m_out);
    }

private:
    QStringView textOf(qsizetype i) const
    {
        const Tok& t = m_toks.at(i);
        return QStringView(m_text).sliced(t.offset, t.length);
    }
    bool isWord(qsizetype i, const char* word) const
    {
        return i < m_toks.size() && m_toks.at(i).kind == TokKind::Word && textOf(i) == QLatin1String(word);
    }
    bool isName(qsizetype i) const { return i < m_toks.size() && m_toks.at(i).kind == TokKind::Word; }
    bool isPunct(qsizetype i, char16_t c) const
    {
        return i < m_toks.size() && m_toks.at(i).kind == TokKind::Punct &&
               m_text.at(m_toks.at(i).offset) == c;
    }
    qsizetype endOf(qsizetype i) const
    {
        const Tok& t = m_toks.at(qMin(i, m_toks.size() - 1));
        return t.offset + t.length;
    }

    // The index after the bracket that closes the one at `open`.
    qsizetype blockEnd(qsizetype open) const
    {
        const QChar opening = m_text.at(m_toks.at(open).offset);
        const char16_t closing = opening == u'{' ? u'}' : opening == u'(' ? u')' : u']';
        int depth = 0;
        for (qsizetype i = open; i < m_toks.size(); ++i) {
            if (isPunct(i, opening.unicode()))
                ++depth;
            else if (isPunct(i, closing) && --depth == 0)
                return i + 1;
        }
        return m_toks.size();
    }

    Declaration& add(DeclarationKind kind, qsizetype nameToken, qsizetype start)
    {
        Declaration d;
        d.kind = kind;
        d.name = textOf(nameToken).toString();
        d.nameOffset = m_toks.at(nameToken).offset;
        d.start = start;
        d.end = endOf(nameToken);
        m_out.declarations.append(d);
        return m_out.declarations.last();
    }

    void macro(const Tok& t)
    {
        const QString line = m_text.mid(t.offset, t.length);
        qsizetype i = 1;
        while (i < line.size() && (line.at(i) == u' ' || line.at(i) == u'\t'))
            ++i;
        if (!QStringView(line).sliced(i).startsWith(QLatin1String("define")))
            return;
        i += 6;
        while (i < line.size() && (line.at(i) == u' ' || line.at(i) == u'\t'))
            ++i;
        qsizetype end = i;
        while (end < line.size() && isWordChar(line.at(end)))
            ++end;
        if (end == i || !isWordStart(line.at(i)))
            return;
        Declaration d;
        d.kind = DeclarationKind::Macro;
        d.name = line.mid(i, end - i);
        d.detail = simplified(QStringView(line).sliced(end));
        d.nameOffset = t.offset + i;
        d.start = t.offset;
        d.end = t.offset + t.length - (line.endsWith(u'\r') ? 1 : 0);
        m_out.declarations.append(d);
    }

    // `public TYPE a, b[4];` (from the keyword) or `local TYPE a;`.
    void variables(DeclarationKind kind, int scope)
    {
        const qsizetype start = m_toks.at(m_i).offset;
        const bool isPublic = isWord(m_i, "public");
        ++m_i;
        if (!isName(m_i))
            return;
        const QString type = textOf(m_i++).toString();
        const qsizetype first = m_out.declarations.size();
        while (isName(m_i)) {
            const qsizetype nameToken = m_i++;
            QString sizes;
            while (isPunct(m_i, u'[')) {
                const qsizetype close = blockEnd(m_i);
                sizes += QLatin1Char('[') +
                         simplified(QStringView(m_text).sliced(endOf(m_i),
                                                               m_toks.at(close - 1).offset - endOf(m_i))) +
                         QLatin1Char(']');
                m_i = close;
            }
            Declaration& d = add(kind, nameToken, start);
            d.type = type;
            d.detail = sizes;
            d.isPublic = isPublic;
            d.scope = scope;
            if (!isPunct(m_i, u','))
                break;
            ++m_i;
        }
        const qsizetype end = isPunct(m_i, u';') ? endOf(m_i++) : endOf(m_i - 1);
        for (qsizetype d = first; d < m_out.declarations.size(); ++d)
            m_out.declarations[d].end = end;
    }

    // The text between the parenthesis at m_i and its partner, simplified; m_i moves past it.
    QString parenthesised()
    {
        if (!isPunct(m_i, u'('))
            return QString();
        const qsizetype close = blockEnd(m_i);
        const qsizetype from = endOf(m_i);
        const qsizetype to = close <= m_toks.size() && isPunct(close - 1, u')') ? m_toks.at(close - 1).offset
                                                                                : endOf(close - 1);
        m_i = close;
        return simplified(QStringView(m_text).sliced(from, qMax<qsizetype>(0, to - from)));
    }

    void trigger()
    {
        const qsizetype start = m_toks.at(m_i++).offset;
        if (!isName(m_i))
            return;
        const qsizetype nameToken = m_i++;
        const QString detail = parenthesised();
        const qsizetype end = isPunct(m_i, u';') ? endOf(m_i++) : endOf(m_i - 1);
        Declaration& d = add(DeclarationKind::Trigger, nameToken, start);
        d.detail = detail;
        d.end = end;
    }

    // A body at m_i, if any: its locals are read, and the owner's scope and end are set.
    void body(qsizetype owner)
    {
        if (isPunct(m_i, u';')) {
            m_out.declarations[owner].defined = false;
            m_out.declarations[owner].end = endOf(m_i++);
            return;
        }
        if (!isPunct(m_i, u'{')) {
            m_out.declarations[owner].defined = false;
            return;
        }
        const qsizetype close = blockEnd(m_i);
        if (m_out.declarations[owner].kind == DeclarationKind::Event)
            m_out.declarations[owner].scopeStart = m_toks.at(m_i).offset;
        ++m_i;
        while (m_i < close) {
            if (isWord(m_i, "local"))
                variables(DeclarationKind::Local, int(owner));
            else
                ++m_i;
        }
        m_i = close;
        Declaration& d = m_out.declarations[owner];
        d.end = endOf(close - 1);
        d.scopeEnd = d.end;
    }

    void event()
    {
        const qsizetype start = m_toks.at(m_i++).offset;
        if (!isName(m_i))
            return;
        const qsizetype nameToken = m_i++;
        const QString detail = parenthesised();
        const qsizetype owner = m_out.declarations.size();
        add(DeclarationKind::Event, nameToken, start).detail = detail;
        body(owner);
    }

    void function()
    {
        const qsizetype start = m_toks.at(m_i++).offset;
        if (!isName(m_i) || !isName(m_i + 1))
            return;
        const QString type = textOf(m_i++).toString();
        const qsizetype nameToken = m_i++;
        const qsizetype owner = m_out.declarations.size();
        Declaration& f = add(DeclarationKind::Function, nameToken, start);
        f.type = type;
        if (!isPunct(m_i, u'('))
            return;
        const qsizetype close = blockEnd(m_i);
        m_out.declarations[owner].scopeStart = m_toks.at(m_i).offset;
        QStringList params;
        for (++m_i; m_i < close;) {
            const bool byRef = isWord(m_i, "ref");
            if (byRef)
                ++m_i;
            if (isName(m_i) && isName(m_i + 1) && m_i + 1 < close) {
                Declaration& p = add(DeclarationKind::Parameter, m_i + 1, m_toks.at(m_i).offset);
                p.type = textOf(m_i).toString();
                p.scope = int(owner);
                params.append((byRef ? QStringLiteral("ref ") : QString()) + p.type + QLatin1Char(' ') +
                              p.name);
                m_i += 2;
            }
            while (m_i < close && !isPunct(m_i, u','))
                ++m_i;
            ++m_i;
        }
        m_i = close;
        Declaration& d = m_out.declarations[owner];
        d.detail = QLatin1Char('(') + params.join(QStringLiteral(", ")) + QLatin1Char(')');
        d.end = endOf(close - 1);
        d.scopeEnd = d.end;
        body(owner);
    }

    const QString& m_text;
    QList<Tok> m_toks;
    qsizetype m_i = 0;
    ScriptOutline m_out;
};

} // namespace

const Declaration* ScriptOutline::resolve(QStringView name, qsizetype offset) const
{
    for (qsizetype owner = 0; owner < declarations.size(); ++owner) {
        const Declaration& o = declarations.at(owner);
        if ((o.kind != DeclarationKind::Event && o.kind != DeclarationKind::Function) ||
            offset < o.scopeStart || offset >= o.scopeEnd)
            continue;
        for (const Declaration& d : declarations) {
            if (d.scope == owner && d.name == name)
                return &d;
        }
    }
    const Declaration* found = nullptr;
    for (const Declaration& d : declarations) {
        if (d.scope >= 0 || d.name != name)
            continue;
        if (d.defined)
            return &d;
        if (!found)
            found = &d;
    }
    return found;
}

ScriptOutline outlineScript(const QString& text)
{
    return OutlineReader(text).read();
}

bool wordAt(const QString& text, qsizetype offset, Word& word)
{
    const QList<Tok> toks = tokenize(text);
    // The token at the offset, or one that ends there: a word wins over punctuation, as the caret
    // just after a name (before its `)` or `,`) still means the name.
    const auto after = std::upper_bound(toks.cbegin(), toks.cend(), offset,
                                        [](qsizetype at, const Tok& t) { return at < t.offset; });
    QList<QList<Tok>::const_iterator> touching;
    if (after != toks.cbegin() && offset <= (after - 1)->offset + (after - 1)->length) {
        touching.append(after - 1);
        if ((after - 1)->offset == offset && after - 1 != toks.cbegin() &&
            (after - 2)->offset + (after - 2)->length == offset)
            touching.append(after - 2);
    }
    for (const auto it : touching) {
        if (it->kind != TokKind::Word)
            continue;
        const bool afterDot =
            it != toks.cbegin() && (it - 1)->kind == TokKind::Punct && text.at((it - 1)->offset) == u'.';
        word = Word{it->offset, it->length, afterDot};
        return true;
    }
    return false;
}

} // namespace lsp
