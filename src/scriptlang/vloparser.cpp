// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/vloparser.h"

namespace scriptlang {

namespace {

// Bad: a word the game cannot read, already reported.
enum class VTok { End, Word, Int, String, LBrace, RBrace, LBracket, RBracket, Bad };

struct VToken {
    VTok kind = VTok::End;
    QStringView text;
    int line = 1;
    int column = 1;
};

struct SyntaxError {};

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}
bool isLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
}

class VloReader {
public:
    VloReader(const QString& text, Findings& findings) : m_findings(findings) { tokenize(text); }

    VloText read(bool wholeFile)
    {
        while (!peek().is(VTok::End)) {
            const qsizetype before = m_pos;
            try {
                if (wholeFile)
                    entry();
                else
                    binding();
            } catch (const SyntaxError&) {
                syncLine();
            }
            if (m_pos == before)
                ++m_pos;
        }
        return std::move(m_result);
    }

private:
    struct Tk : VToken {
        bool is(VTok k) const { return kind == k; }
    };

    void report(int line, int column, int length, const QString& message)
    {
        m_findings.append(Finding{Severity::Error, TextKind::Vlo, line, column, qMax(1, length), message});
    }

    void tokenize(const QString& text)
    {
        const QChar* d = text.constData();
        const qsizetype n = text.size();
        qsizetype pos = 0;
        qsizetype lineStart = 0;
        int line = 1;
        auto push = [&](VTok kind, qsizetype start, qsizetype end) {
            Tk t;
            t.kind = kind;
            t.text = QStringView(d + start, end - start);
            t.line = line;
            t.column = int(start - lineStart) + 1;
            m_tokens.append(t);
        };
        while (pos < n) {
            const QChar c = d[pos];
            const qsizetype start = pos;
            if (c == QLatin1Char('\n')) {
                ++line;
                lineStart = ++pos;
            } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r')) {
                ++pos;
            } else if (isLetter(c)) {
                while (pos < n && (isLetter(d[pos]) || isDigit(d[pos]) || d[pos] == QLatin1Char('_') ||
                                   d[pos] == QLatin1Char('-')))
                    ++pos;
                push(VTok::Word, start, pos);
            } else if (isDigit(c) || (c == QLatin1Char('-') && pos + 1 < n && isDigit(d[pos + 1]))) {
                ++pos;
                while (pos < n && isDigit(d[pos]))
                    ++pos;
                push(VTok::Int, start, pos);
            } else if (c == QLatin1Char('"')) {
                ++pos;
                while (pos < n && d[pos] != QLatin1Char('"') && d[pos] != QLatin1Char('\n'))
                    ++pos;
                if (pos < n && d[pos] == QLatin1Char('"'))
                    ++pos;
                else
                    report(line, int(start - lineStart) + 1, int(pos - start),
                           QStringLiteral("string not closed on its line: add the closing \""));
                push(VTok::String, start, pos);
            } else if (c == QLatin1Char('/') && pos + 1 < n && d[pos + 1] == QLatin1Char('/')) {
                while (pos < n && d[pos] != QLatin1Char('\n'))
                    ++pos;
            } else if (c == QLatin1Char('/') && pos + 1 < n && d[pos + 1] == QLatin1Char('*')) {
                const int startLine = line;
                const int startColumn = int(start - lineStart) + 1;
                pos += 2;
                while (pos < n &&
                       !(d[pos] == QLatin1Char('*') && pos + 1 < n && d[pos + 1] == QLatin1Char('/'))) {
                    if (d[pos] == QLatin1Char('\n')) {
                        ++line;
                        lineStart = pos + 1;
                    }
                    ++pos;
                }
                if (pos < n)
                    pos += 2;
                else
                    report(startLine, startColumn, 2, QStringLiteral("comment not closed: add */"));
            } else {
                VTok kind = VTok::End;
                switch (c.unicode()) {
                case '{':
                    kind = VTok::LBrace;
                    break;
                case '}':
                    kind = VTok::RBrace;
                    break;
                case '[':
                    kind = VTok::LBracket;
                    break;
                case ']':
                    kind = VTok::RBracket;
                    break;
                default:
                    break;
                }
                if (kind != VTok::End) {
                    push(kind, start, ++pos);
                } else {
                    report(line, int(start - lineStart) + 1, 1,
                           c == QLatin1Char('_')
                               ? QStringLiteral("a VLO name cannot start with '_': the game reads it as a "
                                                "stray character")
                               : QStringLiteral("stray character '%1'").arg(c));
                    ++pos;
                    if (c == QLatin1Char('_')) {
                        // the rest of the word belongs to the same mistake
                        while (pos < n && (isLetter(d[pos]) || isDigit(d[pos]) || d[pos] == QLatin1Char('_')))
                            ++pos;
                    }
                    push(VTok::Bad, start, pos);
                }
            }
        }
        Tk end;
        end.line = line;
        end.column = int(n - lineStart) + 1;
        m_tokens.append(end);
    }

    const Tk& peek() const { return m_tokens.at(qMin(m_pos, m_tokens.size() - 1)); }
    const Tk& advance()
    {
        const Tk& t = peek();
        if (!t.is(VTok::End))
            ++m_pos;
        return t;
    }
    static QString found(const Tk& t)
    {
        return t.is(VTok::End) ? QStringLiteral("the end of the text")
                               : QLatin1Char('\'') + t.text.toString() + QLatin1Char('\'');
    }
    [[noreturn]] void fail(const Tk& t, const QString& message)
    {
        if (!t.is(VTok::Bad))
            report(t.line, t.column, int(t.text.size()), message);
        throw SyntaxError{};
    }
    const Tk& expect(VTok kind, const char* what)
    {
        if (!peek().is(kind))
            fail(peek(), QStringLiteral("expected %1, found %2").arg(QLatin1StringView(what), found(peek())));
        return advance();
    }
    void expectWord(QLatin1StringView word)
    {
        if (!(peek().is(VTok::Word) && peek().text == word))
            fail(peek(), QStringLiteral("expected '%1', found %2").arg(word, found(peek())));
        advance();
    }

    // Skips the rest of the line where the broken binding started.
    void syncLine()
    {
        while (!peek().is(VTok::End) && peek().line == m_startLine && !peek().is(VTok::RBrace))
            advance();
    }

    void entry()
    {
        m_startLine = peek().line;
        expectWord(QLatin1StringView("script"));
        const Tk& name = expect(VTok::String, "the script's name in quotes");
        const QStringView inner = name.text.mid(1, qMax<qsizetype>(0, name.text.size() - 2));
        if (!inner.endsWith(QLatin1StringView("slo")) && !inner.endsWith(QLatin1StringView("blo")))
            report(name.line, name.column, int(name.text.size()),
                   QStringLiteral("the script's name must end in .slo"));
        if (peek().is(VTok::Word) && peek().text == QLatin1StringView("store")) {
            advance();
            expect(VTok::String, "the store name in quotes");
        } else {
            expectWord(QLatin1StringView("run"));
        }
        if (!peek().is(VTok::LBrace) && peek().is(VTok::Word) && peek().line > m_startLine) {
            // The bindings follow without their '{': said once, and read as if it were there.
            report(peek().line, peek().column, int(peek().text.size()),
                   QStringLiteral("expected '{' before the first binding, found %1").arg(found(peek())));
        } else {
            expect(VTok::LBrace, "'{'");
        }
        while (!peek().is(VTok::RBrace) && !peek().is(VTok::End)) {
            const qsizetype before = m_pos;
            try {
                binding();
            } catch (const SyntaxError&) {
                syncLine();
            }
            if (m_pos == before && !peek().is(VTok::RBrace))
                advance();
        }
        expect(VTok::RBrace, "'}' to close the run block");
    }

    void binding()
    {
        const Tk& name = peek();
        m_startLine = name.line;
        if (!name.is(VTok::Word))
            fail(name, QStringLiteral("expected a variable name, found %1").arg(found(name)));
        advance();
        try {
            bindingAfter(name);
        } catch (const SyntaxError&) {
            m_result.unreadNames.insert(name.text.toString());
            throw;
        }
    }

    void bindingAfter(const Tk& name)
    {
        VloBinding b;
        b.name = name.text.toString();
        b.line = name.line;
        b.column = name.column;
        while (peek().is(VTok::LBracket)) {
            advance();
            const Tk& index = expect(VTok::Int, "an index (a whole number)");
            b.indexes.append(index.text.toLongLong());
            expect(VTok::RBracket, "']'");
        }
        const Tk& type = peek();
        if (!type.is(VTok::Word))
            fail(type, QStringLiteral("expected a type word (INT, BOOL, STRUCTURESTAT ...), found %1")
                           .arg(found(type)));
        advance();
        b.typeWord = type.text.toString();
        b.typeColumn = type.column;
        const Tk& value = peek();
        b.valueColumn = value.column;
        if (value.is(VTok::Int)) {
            b.valueIsInteger = true;
        } else if (value.is(VTok::String)) {
            b.valueIsQuoted = true;
        } else if (value.is(VTok::Word) &&
                   (value.text == QLatin1StringView("true") || value.text == QLatin1StringView("TRUE") ||
                    value.text == QLatin1StringView("false") || value.text == QLatin1StringView("FALSE"))) {
            b.valueIsBoolean = true;
        } else {
            fail(value, QStringLiteral("expected a value (a number, true/false or a quoted id), found %1")
                            .arg(found(value)));
        }
        advance();
        b.value = value.text.toString();
        m_result.bindings.append(b);
    }

    Findings& m_findings;
    QList<Tk> m_tokens;
    qsizetype m_pos = 0;
    int m_startLine = 0;
    VloText m_result;
};

} // namespace

VloText parseVlo(const QString& text, bool wholeFile, Findings& findings)
{
    VloReader reader(text, findings);
    return reader.read(wholeFile);
}

} // namespace scriptlang
