// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/lexer.h"

#include "scriptlang/names.h"

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
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r');
}

QHash<NameKey, Tok> buildWordKinds()
{
    static const std::pair<const char*, Tok> words[] = {
        {"wait", Tok::Wait},         {"every", Tok::Every},       {"trigger", Tok::Trigger},
        {"event", Tok::Event},       {"inactive", Tok::Inactive}, {"init", Tok::Init},
        {"link", Tok::Link},         {"ref", Tok::Ref},           {"return", Tok::Return},
        {"function", Tok::Function}, {"public", Tok::Public},     {"private", Tok::Private},
        {"local", Tok::Local},       {"while", Tok::While},       {"if", Tok::If},
        {"else", Tok::Else},         {"exit", Tok::Exit},         {"pause", Tok::Pause},
        {"and", Tok::AndAnd},        {"AND", Tok::AndAnd},        {"or", Tok::OrOr},
        {"OR", Tok::OrOr},           {"not", Tok::Bang},          {"NOT", Tok::Bang},
        {"true", Tok::True},         {"TRUE", Tok::True},         {"false", Tok::False},
        {"FALSE", Tok::False}};
    // The keys view these strings, which live as long as the program.
    static const QStringList texts = [] {
        QStringList list;
        for (const auto& [text, kind] : words)
            list.append(QString::fromLatin1(text));
        return list;
    }();
    QHash<NameKey, Tok> kinds;
    for (qsizetype i = 0; i < texts.size(); ++i)
        kinds.insert(texts.at(i), words[i].second);
    for (auto it = nameIndex().typeOfWord.cbegin(); it != nameIndex().typeOfWord.cend(); ++it)
        kinds.insert(it.key(), Tok::TypeName);
    return kinds;
}

} // namespace

Tok Lexer::wordKind(QStringView word)
{
    static const QHash<NameKey, Tok> kinds = buildWordKinds();
    return kinds.value(word, Tok::Ident);
}

Lexer::Lexer(const QString& source, Findings& findings)
    : m_source(source), m_data(source.constData()), m_log(findings, TextKind::Slo)
{
}

void Lexer::report(int line, int column, int length, const QString& message, Severity severity)
{
    m_log.add(severity, line, column, length, message);
}

QList<Token> Lexer::tokenize()
{
    QList<Token> tokens;
    tokens.reserve(qMin<qsizetype>(m_source.size() / 4, 1 << 20) + 1);
    m_at = TextPlace{};
    m_end = m_source.size();
    scan(tokens, true);
    Token end;
    end.line = m_at.line;
    end.column = m_at.columnAt(m_source.size());
    tokens.append(end);
    return tokens;
}

int Lexer::countTokens(const QString& source)
{
    Findings ignored;
    Lexer lexer(source, ignored);
    QList<Token> tokens;
    tokens.reserve(qMin<qsizetype>(source.size() / 4, 1 << 20) + 1);
    lexer.m_end = source.size();
    lexer.scan(tokens, false);
    return int(tokens.size());
}

// Up to m_end: the whole script, or the body of a #define (`expand` false).
void Lexer::scan(QList<Token>& out, bool expand)
{
    while (m_at.pos < m_end && !m_log.stopped()) {
        const QChar c = m_data[m_at.pos];
        if (c == QLatin1Char('\n')) {
            m_at.newLineAfter(m_at.pos++);
        } else if (isBlank(c)) {
            ++m_at.pos;
        } else if (isNameStart(c)) {
            scanWord(out, expand);
        } else if (startsNumber(m_at.pos)) {
            scanNumber(out);
        } else if (c == QLatin1Char('"')) {
            scanString(out);
        } else if (c == QLatin1Char('/') && m_at.pos + 1 < m_end &&
                   (m_data[m_at.pos + 1] == QLatin1Char('/') || m_data[m_at.pos + 1] == QLatin1Char('*'))) {
            scanComment();
        } else if (c == QLatin1Char('#') && expand) {
            scanDirective();
        } else if (startsToken(m_at.pos)) {
            scanOperator(out);
        } else {
            scanStray(out);
        }
    }
}

// [a-zA-Z_][0-9a-zA-Z_]*: a word of the language, a #define name (replaced by its body) or a name.
void Lexer::scanWord(QList<Token>& out, bool expand)
{
    const qsizetype start = m_at.pos;
    while (m_at.pos < m_end && isNameChar(m_data[m_at.pos]))
        ++m_at.pos;
    const QStringView word(m_data + start, m_at.pos - start);
    if (word.size() > kMaxNameLength)
        report(m_at.line, m_at.columnAt(start), int(word.size()),
               QStringLiteral("name longer than the game's %1 characters").arg(kMaxNameLength));
    const Tok kind = wordKind(word);
    if (kind == Tok::Ident && expand && !m_macros.isEmpty()) {
        if (const auto it = m_macros.constFind(word); it != m_macros.cend()) {
            expandMacro(*it, Token{Tok::Ident, word, m_at.line, m_at.columnAt(start), int(word.size())}, out,
                        1);
            return;
        }
    }
    push(out, kind, start);
}

bool Lexer::startsNumber(qsizetype pos) const
{
    const auto digitAt = [this](qsizetype at) { return at < m_end && isDigit(m_data[at]); };
    const QChar c = m_data[pos];
    if (isDigit(c))
        return true;
    if (c == QLatin1Char('.'))
        return digitAt(pos + 1);
    // The minus sign belongs to the number: -1, -.5
    return c == QLatin1Char('-') &&
           (digitAt(pos + 1) || (pos + 1 < m_end && m_data[pos + 1] == QLatin1Char('.') && digitAt(pos + 2)));
}

// -?[0-9]+ and -?[0-9]*\.[0-9]+; a name right after a number is one mistake with it.
void Lexer::scanNumber(QList<Token>& out)
{
    const qsizetype start = m_at.pos;
    if (m_data[m_at.pos] == QLatin1Char('-'))
        ++m_at.pos;
    while (m_at.pos < m_end && isDigit(m_data[m_at.pos]))
        ++m_at.pos;
    Tok kind = Tok::Int;
    if (m_at.pos + 1 < m_end && m_data[m_at.pos] == QLatin1Char('.') && isDigit(m_data[m_at.pos + 1])) {
        ++m_at.pos;
        while (m_at.pos < m_end && isDigit(m_data[m_at.pos]))
            ++m_at.pos;
        kind = Tok::Float;
    }
    if (m_at.pos >= m_end || !isNameStart(m_data[m_at.pos])) {
        push(out, kind, start);
        return;
    }
    // 0x10, 1.5e3, 2nd: the game reads a number and then a name, which no rule allows.
    const qsizetype numberEnd = m_at.pos;
    while (m_at.pos < m_end && isNameChar(m_data[m_at.pos]))
        ++m_at.pos;
    const Tok after = wordKind(QStringView(m_data + numberEnd, m_at.pos - numberEnd));
    if (after == Tok::AndAnd || after == Tok::OrOr) {
        m_at.pos = numberEnd; // x==3and y: the game reads 3 and 'and'
        push(out, kind, start);
        return;
    }
    const QStringView text(m_data + start, m_at.pos - start);
    const QChar letter = m_data[numberEnd].toLower();
    bool hex = false;
    const qlonglong value =
        text.startsWith(QLatin1StringView("0x"), Qt::CaseInsensitive) ? text.mid(2).toLongLong(&hex, 16) : 0;
    report(m_at.line, m_at.columnAt(start), int(text.size()),
           hex ? QStringLiteral("the game's language has no hexadecimal numbers: write %1").arg(value)
           : letter == QLatin1Char('e') && kind == Tok::Float
               ? QStringLiteral("the game's language has no exponents: write the number out in full")
               : QStringLiteral("'%1' is neither a number nor a name: a name cannot start with a digit")
                     .arg(text));
    push(out, Tok::Stray, start);
}

// "..." on one line, without escapes.
void Lexer::scanString(QList<Token>& out)
{
    const qsizetype start = m_at.pos++;
    const QChar* d = m_data;
    while (m_at.pos < m_end && d[m_at.pos] != QLatin1Char('"') && d[m_at.pos] != QLatin1Char('\n'))
        ++m_at.pos;
    if (m_at.pos < m_end && d[m_at.pos] == QLatin1Char('"')) {
        ++m_at.pos;
        // `"say \"hi\""`: the author meant an escape, which the game does not have. When a name
        // or number follows, the game's reading fails anyway: one finding, and the string read on
        // to the first quote without a backslash before it.
        if (d[m_at.pos - 2] == QLatin1Char('\\') && m_at.pos - 2 > start) {
            qsizetype after = m_at.pos;
            while (after < m_end && (d[after] == QLatin1Char(' ') || d[after] == QLatin1Char('\t')))
                ++after;
            if (after < m_end && (d[after].isLetterOrNumber() || d[after] == QLatin1Char('_'))) {
                report(m_at.line, m_at.columnAt(m_at.pos - 2), 2,
                       QStringLiteral("the game's strings have no escapes: \\\" ends the string; "
                                      "write ' for a quote inside it"));
                for (qsizetype end = m_at.pos; end < m_end && d[end] != QLatin1Char('\n'); ++end) {
                    if (d[end] == QLatin1Char('"') && d[end - 1] != QLatin1Char('\\')) {
                        m_at.pos = end + 1;
                        break;
                    }
                }
            }
        }
    } else {
        qsizetype end = m_at.pos;
        while (end > start + 1 && d[end - 1] == QLatin1Char('\r'))
            --end;
        report(m_at.line, m_at.columnAt(start), int(end - start),
               QStringLiteral("string not closed on its line: add the closing \""));
    }
    if (m_at.pos - start - 2 > kMaxStringLength)
        report(m_at.line, m_at.columnAt(start), int(m_at.pos - start),
               QStringLiteral("string longer than the game's %1 characters: the game cannot hold it all")
                   .arg(kMaxStringLength),
               Severity::Warning);
    push(out, Tok::String, start);
}

// `// ...` and `/* ... */`.
void Lexer::scanComment()
{
    const int line = m_at.line;
    const int column = m_at.column();
    if (skipComment(m_data, m_end, m_at) == Comment::Unclosed)
        report(line, column, 2, unclosedCommentMessage());
}

bool Lexer::startsToken(qsizetype pos) const
{
    switch (m_data[pos].unicode()) {
    case '(':
    case ')':
    case '{':
    case '}':
    case '[':
    case ']':
    case ',':
    case ';':
    case '.':
    case '*':
    case '/':
    case '=':
    case '+':
    case '-':
    case '&':
    case '!':
    case '>':
    case '<':
    case '|':
    case '%':
    case '#':
    case '"':
    case ' ':
    case '\t':
    case '\r':
    case '\n':
        return true;
    default:
        return isNameChar(m_data[pos]);
    }
}

// Punctuation and operators, the longest match first: (int) (float) == != >= <= ++ -- && ||.
void Lexer::scanOperator(QList<Token>& out)
{
    const qsizetype start = m_at.pos;
    const char16_t c = m_data[start].unicode();
    const QChar next = start + 1 < m_end ? m_data[start + 1] : QChar();
    if (c == '(') {
        static const std::pair<QLatin1StringView, Tok> casts[] = {
            {QLatin1StringView("(int)"), Tok::CastInt},
            {QLatin1StringView("(INT)"), Tok::CastInt},
            {QLatin1StringView("(float)"), Tok::CastFloat},
            {QLatin1StringView("(FLOAT)"), Tok::CastFloat}};
        for (const auto& [text, kind] : casts) {
            if (m_end - start >= text.size() && QStringView(m_data + start, text.size()) == text) {
                m_at.pos += text.size();
                push(out, kind, start);
                return;
            }
        }
    }
    static const struct {
        char16_t first;
        Tok one;
        char16_t second; // 0: no two-character form
        Tok two;
    } operators[] = {
        {'(', Tok::LParen, 0, Tok::End},   {')', Tok::RParen, 0, Tok::End},
        {'{', Tok::LBrace, 0, Tok::End},   {'}', Tok::RBrace, 0, Tok::End},
        {'[', Tok::LBracket, 0, Tok::End}, {']', Tok::RBracket, 0, Tok::End},
        {',', Tok::Comma, 0, Tok::End},    {';', Tok::Semicolon, 0, Tok::End},
        {'.', Tok::Dot, 0, Tok::End},      {'*', Tok::Star, 0, Tok::End},
        {'/', Tok::Slash, 0, Tok::End},    {'=', Tok::Assign, '=', Tok::Eq},
        {'+', Tok::Plus, '+', Tok::Inc},   {'-', Tok::Minus, '-', Tok::Dec},
        {'&', Tok::Amp, '&', Tok::AndAnd}, {'!', Tok::Bang, '=', Tok::Ne},
        {'>', Tok::Gt, '=', Tok::Ge},      {'<', Tok::Lt, '=', Tok::Le},
        {'|', Tok::OrOr, '|', Tok::OrOr},
    };
    for (const auto& op : operators) {
        if (op.first != c)
            continue;
        if (op.second != 0 && next.unicode() == op.second) {
            m_at.pos += 2;
            push(out, op.two, start);
            return;
        }
        ++m_at.pos;
        if (c == '|')
            report(m_at.line, m_at.columnAt(start), 1, QStringLiteral("stray '|': write '||' or 'or'"));
        push(out, op.one, start);
        return;
    }
    ++m_at.pos;
    if (c == '%') {
        report(m_at.line, m_at.columnAt(start), 1,
               QStringLiteral("the game's language has no '%' operator: write a - (a / b) * b"));
        push(out, Tok::Star, start); // read on as an operator
    } else {                         // '#' inside a #define body
        report(m_at.line, m_at.columnAt(start), 1, QStringLiteral("stray '#'"));
        push(out, Tok::Stray, start);
    }
}

// Characters that start no token, as one finding however many follow each other.
void Lexer::scanStray(QList<Token>& out)
{
    const qsizetype start = m_at.pos;
    do
        ++m_at.pos;
    while (m_at.pos < m_end && !startsToken(m_at.pos));
    const QStringView run(m_data + start, m_at.pos - start);
    report(m_at.line, m_at.columnAt(start), int(run.size()), strayMessage(run));
    push(out, Tok::Stray, start);
}

// `#define NAME body`, `#include "file"` or another # line, which the game skips; to the line's end.
void Lexer::scanDirective()
{
    const qsizetype start = m_at.pos;
    qsizetype lineEnd = start;
    while (lineEnd < m_end && m_data[lineEnd] != QLatin1Char('\n'))
        ++lineEnd;
    qsizetype p = start + 1;
    while (p < lineEnd && isNameChar(m_data[p]))
        ++p;
    const QStringView word(m_data + start + 1, p - start - 1);
    m_at.pos = lineEnd;
    if (word == QLatin1StringView("include")) {
        report(m_at.line, m_at.columnAt(start), int(p - start),
               QStringLiteral("#include is not followed by the checker: names from the included file "
                              "are unknown to it"),
               Severity::Warning);
        return;
    }
    if (word != QLatin1StringView("define"))
        return;
    while (p < lineEnd && isBlank(m_data[p]))
        ++p;
    const qsizetype nameStart = p;
    while (p < lineEnd && isNameChar(m_data[p]))
        ++p;
    const QStringView name(m_data + nameStart, p - nameStart);
    if (name.isEmpty() || !isNameStart(name.front())) {
        report(m_at.line, m_at.columnAt(start), int(p - start), QStringLiteral("#define needs a name"),
               Severity::Warning);
        return;
    }
    define(name, p, lineEnd);
}

void Lexer::define(QStringView name, qsizetype bodyStart, qsizetype lineEnd)
{
    const int line = m_at.line;
    const int column = m_at.columnAt(name.data() - m_data);
    const int length = int(name.size());
    // The game's table has this many slots, and each #define line takes one, a repeat too.
    if (++m_defineLines == kMaxMacros + 1)
        report(line, column, length,
               QStringLiteral("more than %1 #define lines: the game's table holds no more").arg(kMaxMacros));
    const BuiltinName builtin = nameIndex().kind(name);
    if (builtin != BuiltinName::None && builtin != BuiltinName::Keyword) {
        report(line, column, length,
               QStringLiteral("'%1' is already %2: a #define cannot take its name")
                   .arg(name.toString(), describe(builtin)));
        return;
    }
    if (wordKind(name) != Tok::Ident)
        return; // a word of the language: its own meaning comes first, the #define never applies
    if (name.size() > kMaxMacroNameLength)
        report(line, column, length,
               QStringLiteral("#define name '%1' has %2 characters: the game keeps only the first %3, so "
                              "its uses never match it")
                   .arg(name.toString())
                   .arg(name.size())
                   .arg(kMaxMacroNameLength));
    m_defineNames.append(Token{Tok::Ident, name, line, column, length});
    Macro macro;
    macro.line = line;
    const TextPlace after = m_at;
    const qsizetype end = m_end;
    m_at.pos = bodyStart;
    m_end = lineEnd;
    scan(macro.body, false);
    m_at = after;
    m_end = end;
    const auto first = m_macros.constFind(name);
    if (first == m_macros.cend()) {
        m_macros.insert(name, macro);
        return;
    }
    // The game looks up the first definition: a later one is dead.
    const auto sameTokens = [](const QList<Token>& a, const QList<Token>& b) {
        return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(), [](const Token& x, const Token& y) {
            return x.kind == y.kind && x.text == y.text;
        });
    };
    if (!sameTokens(first->body, macro.body))
        report(line, column, length,
               QStringLiteral("ignored: the first #define of '%1' at line %2 is used")
                   .arg(name.toString())
                   .arg(first->line),
               Severity::Warning);
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

} // namespace scriptlang
