// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/vloparser.h"

#include "scriptlang/textscan.h"

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
    VloReader(const QString& text, Findings& findings) : m_log(findings, TextKind::Vlo) { tokenize(text); }

    VloText read(bool wholeFile)
    {
        while (!peek().is(VTok::End) && !m_log.stopped()) {
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
        m_log.add(Severity::Error, line, column, length, message);
    }

    void tokenize(const QString& text)
    {
        m_data = text.constData();
        m_end = text.size();
        while (m_at.pos < m_end && !m_log.stopped()) {
            const QChar c = m_data[m_at.pos];
            if (c == QLatin1Char('\n')) {
                m_at.newLineAfter(m_at.pos++);
            } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r')) {
                ++m_at.pos;
            } else if (isLetter(c)) {
                scanWhile(VTok::Word, [](QChar w) {
                    return isLetter(w) || isDigit(w) || w == QLatin1Char('_') || w == QLatin1Char('-');
                });
            } else if (isDigit(c) ||
                       (c == QLatin1Char('-') && m_at.pos + 1 < m_end && isDigit(m_data[m_at.pos + 1]))) {
                ++m_at.pos;
                scanWhile(VTok::Int, isDigit, m_at.pos - 1);
            } else if (c == QLatin1Char('"')) {
                scanString();
            } else if (c == QLatin1Char('/') && m_at.pos + 1 < m_end &&
                       (m_data[m_at.pos + 1] == QLatin1Char('/') ||
                        m_data[m_at.pos + 1] == QLatin1Char('*'))) {
                const TextPlace start = m_at;
                if (skipComment(m_data, m_end, m_at) == Comment::Unclosed)
                    report(start.line, start.column(), 2, unclosedCommentMessage());
            } else if (const VTok bracket = bracketKind(c); bracket != VTok::End) {
                ++m_at.pos;
                push(bracket, m_at.pos - 1);
            } else {
                scanStray();
            }
        }
        Tk end;
        end.line = m_at.line;
        end.column = m_at.column();
        m_tokens.append(end);
    }

    void push(VTok kind, qsizetype start)
    {
        Tk t;
        t.kind = kind;
        t.text = QStringView(m_data + start, m_at.pos - start);
        t.line = m_at.line;
        t.column = m_at.columnAt(start);
        m_tokens.append(t);
    }

    template <class Take> void scanWhile(VTok kind, Take take, qsizetype start = -1)
    {
        if (start < 0)
            start = m_at.pos;
        while (m_at.pos < m_end && take(m_data[m_at.pos]))
            ++m_at.pos;
        push(kind, start);
    }

    static VTok bracketKind(QChar c)
    {
        switch (c.unicode()) {
        case '{':
            return VTok::LBrace;
        case '}':
            return VTok::RBrace;
        case '[':
            return VTok::LBracket;
        case ']':
            return VTok::RBracket;
        default:
            return VTok::End;
        }
    }

    // "..." on one line.
    void scanString()
    {
        const qsizetype start = m_at.pos++;
        while (m_at.pos < m_end && m_data[m_at.pos] != QLatin1Char('"') &&
               m_data[m_at.pos] != QLatin1Char('\n'))
            ++m_at.pos;
        if (m_at.pos < m_end && m_data[m_at.pos] == QLatin1Char('"'))
            ++m_at.pos;
        else
            report(m_at.line, m_at.columnAt(start), int(m_at.pos - start),
                   QStringLiteral("string not closed on its line: add the closing \""));
        push(VTok::String, start);
    }

    // Characters that start no token, as one finding however many follow each other; a word
    // after a '_' belongs to the same mistake.
    void scanStray()
    {
        const qsizetype start = m_at.pos;
        if (m_data[start] == QLatin1Char('_')) {
            while (m_at.pos < m_end && (isLetter(m_data[m_at.pos]) || isDigit(m_data[m_at.pos]) ||
                                        m_data[m_at.pos] == QLatin1Char('_')))
                ++m_at.pos;
            report(
                m_at.line, m_at.columnAt(start), int(m_at.pos - start),
                QStringLiteral("a VLO name cannot start with '_': the game reads it as a stray character"));
        } else {
            do
                ++m_at.pos;
            while (m_at.pos < m_end && !startsToken(m_data[m_at.pos]));
            const QStringView run(m_data + start, m_at.pos - start);
            report(m_at.line, m_at.columnAt(start), int(run.size()), strayMessage(run));
        }
        push(VTok::Bad, start);
    }

    static bool startsToken(QChar c)
    {
        return isLetter(c) || isDigit(c) || bracketKind(c) != VTok::End || c == QLatin1Char('"') ||
               c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('_') ||
               c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
               c == QLatin1Char('\n');
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

    // entry: 'script' QTEXT ( 'run' | 'store' QTEXT ) '{' { binding } '}'
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
        while (!peek().is(VTok::RBrace) && !peek().is(VTok::End) && !m_log.stopped()) {
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

    // binding: NAME { '[' INT ']' } TYPE VALUE, VALUE being INT, true, false or QTEXT
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

    FindingLog m_log;
    const QChar* m_data = nullptr;
    qsizetype m_end = 0;
    TextPlace m_at;
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
