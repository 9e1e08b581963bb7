// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/lexer.h"

namespace scriptlang {

namespace {

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}
bool isNameStart(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_';
}
bool isNameChar(QChar c)
{
    return isNameStart(c) || isDigit(c);
}

} // namespace

Lexer::Lexer(const QString& source, Findings& findings)
    : m_source(source), m_data(source.constData()), m_findings(findings)
{
}

void Lexer::report(int line, int column, int length, const QString& message, Severity severity)
{
    m_findings.append(Finding{severity, TextKind::Slo, line, column, qMax(1, length), message});
}

QList<Token> Lexer::tokenize()
{
    QList<Token> tokens;
    tokens.reserve(m_source.size() / 4 + 1);
    m_line = 1;
    m_lineStart = 0;
    scan(0, m_source.size(), tokens, true);
    Token end;
    end.line = m_line;
    end.column = columnAt(m_source.size());
    tokens.append(end);
    return tokens;
}

int Lexer::countTokens(const QString& source)
{
    Findings ignored;
    Lexer lexer(source, ignored);
    QList<Token> tokens;
    tokens.reserve(source.size() / 4 + 1);
    lexer.scan(0, source.size(), tokens, false);
    return int(tokens.size());
}

void Lexer::expandMacro(const Macro& macro, const Token& use, QList<Token>& out, int depth)
{
    if (depth > kMaxMacroNesting) {
        report(use.line, use.column, use.length,
               QStringLiteral("#define names nest more than %1 deep here").arg(kMaxMacroNesting));
        return;
    }
    for (Token t : macro.body) {
        t.line = use.line;
        t.column = use.column;
        t.length = use.length;
        const auto inner = t.kind == Tok::Ident ? m_macros.constFind(t.text) : m_macros.cend();
        if (inner != m_macros.cend())
            expandMacro(*inner, t, out, depth + 1);
        else
            out.append(t);
    }
}

// `pos` is at '#'; leaves it at the end of the line.
void Lexer::directive(qsizetype& pos, qsizetype to)
{
    const qsizetype start = pos;
    qsizetype lineEnd = pos;
    while (lineEnd < to && m_data[lineEnd] != QLatin1Char('\n'))
        ++lineEnd;
    qsizetype p = pos + 1;
    while (p < lineEnd && isNameChar(m_data[p]))
        ++p;
    const QStringView word(m_data + pos + 1, p - pos - 1);
    pos = lineEnd;
    if (word == QLatin1StringView("include")) {
        report(m_line, columnAt(start), int(p - start),
               QStringLiteral("#include is not followed by the checker: names from the included file "
                              "are unknown to it"),
               Severity::Warning);
        return;
    }
    if (word != QLatin1StringView("define"))
        return; // the game skips any other # line
    while (p < lineEnd && (m_data[p] == QLatin1Char(' ') || m_data[p] == QLatin1Char('\t')))
        ++p;
    const qsizetype nameStart = p;
    while (p < lineEnd && isNameChar(m_data[p]))
        ++p;
    const QStringView name(m_data + nameStart, p - nameStart);
    const int column = columnAt(nameStart);
    if (name.isEmpty() || !isNameStart(name.front())) {
        report(m_line, columnAt(start), int(p - start), QStringLiteral("#define needs a name"));
        return;
    }
    if (name.size() > kMaxMacroNameLength) {
        report(m_line, column, int(name.size()),
               QStringLiteral("#define name '%1' is longer than the game's %2 characters")
                   .arg(name.toString())
                   .arg(kMaxMacroNameLength));
        return;
    }
    if (const auto it = m_macros.constFind(name); it != m_macros.cend()) {
        report(m_line, column, int(name.size()),
               QStringLiteral("'%1' is already defined at line %2; the game refuses a second #define")
                   .arg(name.toString())
                   .arg(it->line));
        return;
    }
    if (m_macros.size() >= kMaxMacros) {
        report(m_line, column, int(name.size()),
               QStringLiteral("more than %1 #define names: the game allows no more").arg(kMaxMacros));
        return;
    }
    Macro macro;
    macro.line = m_line;
    scan(p, lineEnd, macro.body, false);
    m_macros.insert(name, macro);
}

void Lexer::scan(qsizetype from, qsizetype to, QList<Token>& out, bool expand)
{
    const QChar* d = m_data;
    qsizetype pos = from;
    auto push = [&](Tok kind, qsizetype start, qsizetype end) {
        out.append(
            Token{kind, QStringView(d + start, end - start), m_line, columnAt(start), int(end - start)});
    };
    while (pos < to) {
        const QChar c = d[pos];
        const char16_t u = c.unicode();
        const QChar next = pos + 1 < to ? d[pos + 1] : QChar();
        const qsizetype start = pos;
        if (u == '\n') {
            ++m_line;
            m_lineStart = ++pos;
            continue;
        }
        if (u == ' ' || u == '\t' || u == '\r') {
            ++pos;
            continue;
        }
        if (isNameStart(c)) {
            while (pos < to && isNameChar(d[pos]))
                ++pos;
            const QStringView word(d + start, pos - start);
            if (word.size() > kMaxNameLength)
                report(m_line, columnAt(start), int(word.size()),
                       QStringLiteral("name longer than the game's %1 characters").arg(kMaxNameLength));
            if (expand && !m_macros.isEmpty()) {
                if (const auto it = m_macros.constFind(word); it != m_macros.cend()) {
                    expandMacro(*it, Token{Tok::Ident, word, m_line, columnAt(start), int(word.size())}, out,
                                1);
                    continue;
                }
            }
            push(Tok::Ident, start, pos);
            continue;
        }
        const bool minusNumber =
            u == '-' && (isDigit(next) || (next == QLatin1Char('.') && pos + 2 < to && isDigit(d[pos + 2])));
        if (isDigit(c) || minusNumber || (u == '.' && isDigit(next))) {
            if (u == '-')
                ++pos;
            while (pos < to && isDigit(d[pos]))
                ++pos;
            Tok kind = Tok::Int;
            if (pos + 1 < to && d[pos] == QLatin1Char('.') && isDigit(d[pos + 1])) {
                ++pos;
                while (pos < to && isDigit(d[pos]))
                    ++pos;
                kind = Tok::Float;
            }
            if (pos < to && isNameStart(d[pos])) {
                // 0x10, 1.5e3, 2nd: the game reads a number and then a name, which no rule allows.
                const qsizetype numberEnd = pos;
                while (pos < to && isNameChar(d[pos]))
                    ++pos;
                const QStringView word(d + numberEnd, pos - numberEnd);
                if (word == QLatin1StringView("and") || word == QLatin1StringView("AND") ||
                    word == QLatin1StringView("or") || word == QLatin1StringView("OR")) {
                    push(kind, start, numberEnd); // x==3and y: the game reads 3 and 'and'
                    pos = numberEnd;
                    continue;
                }
                const QStringView text(d + start, pos - start);
                const QChar letter = d[numberEnd].toLower();
                bool hex = false;
                const qlonglong value = text.startsWith(QLatin1StringView("0x"), Qt::CaseInsensitive)
                                            ? text.mid(2).toLongLong(&hex, 16)
                                            : 0;
                report(
                    m_line, columnAt(start), int(pos - start),
                    hex ? QStringLiteral("the game's language has no hexadecimal numbers: write %1")
                              .arg(value)
                    : letter == QLatin1Char('e') && kind == Tok::Float
                        ? QStringLiteral("the game's language has no exponents: write the number out in full")
                        : QStringLiteral(
                              "'%1' is neither a number nor a name: a name cannot start with a digit")
                              .arg(text));
                push(Tok::Stray, start, pos);
                continue;
            }
            push(kind, start, pos);
            continue;
        }
        switch (u) {
        case '"': {
            ++pos;
            while (pos < to && d[pos] != QLatin1Char('"') && d[pos] != QLatin1Char('\n'))
                ++pos;
            if (pos < to && d[pos] == QLatin1Char('"')) {
                ++pos;
                // `"say \"hi\""`: the author meant an escape, which the game does not have. When a
                // name or number follows, the game's reading fails anyway: one finding, and the
                // string read on to the first quote without a backslash before it.
                if (d[pos - 2] == QLatin1Char('\\') && pos - 2 > start) {
                    qsizetype after = pos;
                    while (after < to && (d[after] == QLatin1Char(' ') || d[after] == QLatin1Char('\t')))
                        ++after;
                    if (after < to && (d[after].isLetterOrNumber() || d[after] == QLatin1Char('_'))) {
                        report(m_line, columnAt(pos - 2), 2,
                               QStringLiteral("the game's strings have no escapes: \\\" ends the string; "
                                              "write ' for a quote inside it"));
                        for (qsizetype end = pos; end < to && d[end] != QLatin1Char('\n'); ++end) {
                            if (d[end] == QLatin1Char('"') && d[end - 1] != QLatin1Char('\\')) {
                                pos = end + 1;
                                break;
                            }
                        }
                    }
                }
            } else {
                qsizetype end = pos;
                while (end > start + 1 && d[end - 1] == QLatin1Char('\r'))
                    --end;
                report(m_line, columnAt(start), int(end - start),
                       QStringLiteral("string not closed on its line: add the closing \""));
            }
            if (pos - start - 2 > kMaxStringLength)
                report(m_line, columnAt(start), int(pos - start),
                       QStringLiteral("string longer than the game's %1 characters").arg(kMaxStringLength));
            push(Tok::String, start, pos);
            continue;
        }
        case '/':
            if (next == QLatin1Char('/')) {
                while (pos < to && d[pos] != QLatin1Char('\n'))
                    ++pos;
                continue;
            }
            if (next == QLatin1Char('*')) {
                const int line = m_line;
                const int column = columnAt(start);
                pos += 2;
                while (pos < to &&
                       !(d[pos] == QLatin1Char('*') && pos + 1 < to && d[pos + 1] == QLatin1Char('/'))) {
                    if (d[pos] == QLatin1Char('\n')) {
                        ++m_line;
                        m_lineStart = pos + 1;
                    }
                    ++pos;
                }
                if (pos >= to) {
                    report(line, column, 2,
                           QStringLiteral("comment not closed: the game stops at the end of the file "
                                          "inside it; add */"));
                } else {
                    pos += 2;
                }
                continue;
            }
            push(Tok::Slash, start, ++pos);
            continue;
        case '#':
            if (expand) {
                directive(pos, to);
            } else {
                report(m_line, columnAt(start), 1, QStringLiteral("stray '#'"));
                push(Tok::Stray, start, ++pos);
            }
            continue;
        case '(': {
            static const QLatin1StringView casts[] = {QLatin1StringView("(int)"), QLatin1StringView("(INT)"),
                                                      QLatin1StringView("(float)"),
                                                      QLatin1StringView("(FLOAT)")};
            bool cast = false;
            for (int i = 0; i < 4 && !cast; ++i) {
                const qsizetype n = casts[i].size();
                if (to - pos >= n && QStringView(d + pos, n) == casts[i]) {
                    pos += n;
                    push(i < 2 ? Tok::CastInt : Tok::CastFloat, start, pos);
                    cast = true;
                }
            }
            if (!cast)
                push(Tok::LParen, start, ++pos);
            continue;
        }
        default:
            break;
        }
        auto two = [&](char second, Tok twoKind, Tok oneKind) {
            if (next == QLatin1Char(second)) {
                pos += 2;
                push(twoKind, start, pos);
            } else {
                push(oneKind, start, ++pos);
            }
        };
        switch (u) {
        case ')':
            push(Tok::RParen, start, ++pos);
            break;
        case '{':
            push(Tok::LBrace, start, ++pos);
            break;
        case '}':
            push(Tok::RBrace, start, ++pos);
            break;
        case '[':
            push(Tok::LBracket, start, ++pos);
            break;
        case ']':
            push(Tok::RBracket, start, ++pos);
            break;
        case ',':
            push(Tok::Comma, start, ++pos);
            break;
        case ';':
            push(Tok::Semicolon, start, ++pos);
            break;
        case '.':
            push(Tok::Dot, start, ++pos);
            break;
        case '*':
            push(Tok::Star, start, ++pos);
            break;
        case '=':
            two('=', Tok::Eq, Tok::Assign);
            break;
        case '+':
            two('+', Tok::Inc, Tok::Plus);
            break;
        case '-':
            two('-', Tok::Dec, Tok::Minus);
            break;
        case '&':
            two('&', Tok::AndAnd, Tok::Amp);
            break;
        case '!':
            two('=', Tok::Ne, Tok::Bang);
            break;
        case '>':
            two('=', Tok::Ge, Tok::Gt);
            break;
        case '<':
            two('=', Tok::Le, Tok::Lt);
            break;
        case '|':
            if (next == QLatin1Char('|')) {
                pos += 2;
                push(Tok::OrOr, start, pos);
                break;
            }
            report(m_line, columnAt(start), 1, QStringLiteral("stray '|': write '||' or 'or'"));
            push(Tok::OrOr, start, ++pos);
            break;
        case '%':
            report(m_line, columnAt(start), 1,
                   QStringLiteral("the game's language has no '%' operator: write a - (a / b) * b"));
            push(Tok::Star, start, ++pos); // read on as an operator
            break;
        default:
            report(m_line, columnAt(start), 1, QStringLiteral("stray character '%1'").arg(c));
            push(Tok::Stray, start, ++pos);
            break;
        }
    }
}

} // namespace scriptlang
