#include "scriptlang/sloparser.h"

#include "scriptlang/builtins.h"
#include "scriptlang/lexer.h"
#include "scriptlang/names.h"

namespace scriptlang {

namespace {

// Thrown on a syntax error; caught where reading can start again.
struct SyntaxError {};

enum class SymbolKind { Global, Trigger, Event, Function, Local };

struct Symbol {
    SymbolKind kind = SymbolKind::Global;
    QString type;
    int dimensions = 0;
    int line = 0;
    bool defined = true; // events and functions: has a body
    QList<QStringView> paramTypes;
    QList<QStringView> paramNames;
};

QString quoted(QStringView text)
{
    return QLatin1Char('\'') + text.toString() + QLatin1Char('\'');
}

QString describe(SymbolKind kind)
{
    switch (kind) {
    case SymbolKind::Global:
        return QStringLiteral("a global variable");
    case SymbolKind::Trigger:
        return QStringLiteral("a trigger");
    case SymbolKind::Event:
        return QStringLiteral("an event");
    case SymbolKind::Function:
        return QStringLiteral("a function");
    case SymbolKind::Local:
        return QStringLiteral("a local variable");
    }
    return QString();
}

bool isBinaryOperator(const Token& t)
{
    switch (t.kind) {
    case Tok::Plus:
    case Tok::Minus:
    case Tok::Star:
    case Tok::Slash:
    case Tok::Amp:
    case Tok::Eq:
    case Tok::Ne:
    case Tok::Ge:
    case Tok::Le:
    case Tok::Gt:
    case Tok::Lt:
    case Tok::AndAnd:
    case Tok::OrOr:
        return true;
    case Tok::Ident:
        return t.isWord(QLatin1StringView("and")) || t.isWord(QLatin1StringView("AND")) ||
               t.isWord(QLatin1StringView("or")) || t.isWord(QLatin1StringView("OR"));
    default:
        return false;
    }
}

bool isSignedLiteral(const Token& t)
{
    return (t.kind == Tok::Int || t.kind == Tok::Float) && t.text.startsWith(QLatin1Char('-'));
}

class Parser {
public:
    Parser(const QList<Token>& tokens, bool usesMacros, Findings& findings)
        : m_tokens(tokens), m_findings(findings), m_laterLanguage(usesMacros)
    {
        for (const Token& t : tokens) {
            if (t.isWord(QLatin1StringView("function")) || t.isWord(QLatin1StringView("local"))) {
                m_laterLanguage = true;
                break;
            }
        }
    }

    ScriptModel run()
    {
        while (!peek().is(Tok::End)) {
            const qsizetype before = m_pos;
            try {
                topLevel();
            } catch (const SyntaxError&) {
                syncTopLevel();
            }
            if (m_pos == before)
                ++m_pos; // never stall
        }
        for (auto it = m_symbols.cbegin(); it != m_symbols.cend(); ++it) {
            if (it->kind == SymbolKind::Event && !it->defined)
                report(it->line, m_eventColumns.value(it.key()), int(it.key().text.size()),
                       QStringLiteral("event %1 is declared but never defined").arg(quoted(it.key().text)));
        }
        return std::move(m_model);
    }

private:
    // ---- tokens and findings ----
    const Token& peek(int ahead = 0) const
    {
        const qsizetype i = qMin(m_pos + ahead, m_tokens.size() - 1);
        return m_tokens.at(i);
    }
    const Token& advance()
    {
        const Token& t = peek();
        if (!t.is(Tok::End))
            ++m_pos;
        return t;
    }
    bool accept(Tok kind)
    {
        if (!peek().is(kind))
            return false;
        advance();
        return true;
    }
    bool acceptWord(QLatin1StringView word)
    {
        if (!peek().isWord(word))
            return false;
        advance();
        return true;
    }

    void report(int line, int column, int length, const QString& message, Severity s = Severity::Error)
    {
        m_findings.append(Finding{s, TextKind::Slo, line, column, qMax(1, length), message});
    }
    void report(const Token& t, const QString& message, Severity s = Severity::Error)
    {
        report(t.line, t.column, t.length, message, s);
    }
    [[noreturn]] void fail(const Token& t, const QString& message)
    {
        report(t, message);
        throw SyntaxError{};
    }
    static QString found(const Token& t)
    {
        return t.is(Tok::End) ? QStringLiteral("the end of the script") : quoted(t.text);
    }
    const Token& expect(Tok kind, const char* what)
    {
        if (!peek().is(kind))
            fail(peek(), QStringLiteral("expected %1, found %2").arg(QLatin1StringView(what), found(peek())));
        return advance();
    }
    void expectWord(QLatin1StringView word)
    {
        if (!peek().isWord(word))
            fail(peek(), QStringLiteral("expected '%1', found %2").arg(word, found(peek())));
        advance();
    }

    struct DepthGuard {
        Parser& p;
        explicit DepthGuard(Parser& parser) : p(parser)
        {
            if (++p.m_depth > kMaxNesting) {
                --p.m_depth;
                p.fail(p.peek(), QStringLiteral("nesting deeper than %1 levels").arg(kMaxNesting));
            }
        }
        ~DepthGuard() { --p.m_depth; }
    };

    // Skips to the end of the broken statement: after its ';', before a '}' that closes the
    // block, or past a block that belongs to it.
    void syncStatement()
    {
        int parens = 0;
        while (!peek().is(Tok::End)) {
            const Token& t = peek();
            if (t.is(Tok::LParen)) {
                ++parens;
            } else if (t.is(Tok::RParen)) {
                parens = qMax(0, parens - 1);
            } else if (t.is(Tok::Semicolon) && parens == 0) {
                advance();
                return;
            } else if (t.is(Tok::RBrace)) {
                return;
            } else if (t.is(Tok::LBrace)) {
                skipBlock();
                return;
            } else if (parens == 0 && startsTopLevel(t)) {
                return;
            }
            advance();
        }
    }
    void skipBlock()
    {
        int depth = 0;
        while (!peek().is(Tok::End)) {
            const Tok k = advance().kind;
            if (k == Tok::LBrace)
                ++depth;
            else if (k == Tok::RBrace && --depth <= 0)
                return;
        }
    }
    static bool startsTopLevel(const Token& t)
    {
        return t.isWord(QLatin1StringView("event")) || t.isWord(QLatin1StringView("function")) ||
               t.isWord(QLatin1StringView("trigger")) || t.isWord(QLatin1StringView("public")) ||
               t.isWord(QLatin1StringView("private"));
    }
    void syncTopLevel()
    {
        int depth = 0;
        while (!peek().is(Tok::End)) {
            const Token& t = peek();
            if (depth == 0 && startsTopLevel(t))
                return;
            advance();
            if (t.is(Tok::LBrace)) {
                ++depth;
            } else if (t.is(Tok::RBrace)) {
                if (--depth <= 0)
                    return;
            } else if (t.is(Tok::Semicolon) && depth == 0) {
                return;
            }
        }
    }

    // ---- names ----
    const Symbol* symbol(QStringView name) const
    {
        if (m_inBody) {
            const auto local = m_locals.constFind(name);
            if (local != m_locals.cend())
                return &*local;
        }
        const auto it = m_symbols.constFind(name);
        return it == m_symbols.cend() ? nullptr : &*it;
    }

    // A new name: not a word of the language nor a builtin, and not taken in its scope.
    const Token& declareName(SymbolKind kind, const char* what)
    {
        const Token& t = peek();
        if (!t.is(Tok::Ident))
            fail(t, QStringLiteral("expected %1, found %2").arg(QLatin1StringView(what), found(t)));
        const BuiltinName builtin = nameIndex().kind(t.text);
        if (builtin == BuiltinName::Keyword || builtin == BuiltinName::TypeWord)
            fail(t, QStringLiteral("%1 is %2 and cannot be a name").arg(quoted(t.text), describe(builtin)));
        advance();
        if (builtin != BuiltinName::None) {
            report(t, QStringLiteral("%1 is %2 of the game: choose another name")
                          .arg(quoted(t.text), describe(builtin)));
        }
        if (kind == SymbolKind::Local) {
            if (m_locals.contains(t.text))
                report(t, QStringLiteral("%1 is already declared in this body").arg(quoted(t.text)));
        } else if (const auto it = m_symbols.constFind(t.text); it != m_symbols.cend()) {
            const bool completes = (kind == SymbolKind::Event || kind == SymbolKind::Function) &&
                                   it->kind == kind && !it->defined;
            if (!completes)
                report(t, QStringLiteral("%1 is already declared as %2 at line %3")
                              .arg(quoted(t.text), describe(it->kind))
                              .arg(it->line));
        }
        return t;
    }

    QString typeWord(bool allowVoid)
    {
        const Token& t = peek();
        const QString type = t.is(Tok::Ident) ? nameIndex().typeOfWord.value(t.text) : QString();
        if (type.isEmpty() || (!allowVoid && type == QLatin1StringView("VOID")))
            fail(t, QStringLiteral("expected a type (int, bool, DROID ...), found %1").arg(found(t)));
        advance();
        return type;
    }

    // ---- top level ----
    void topLevel()
    {
        const Token& t = peek();
        if (t.isWord(QLatin1StringView("public")) || t.isWord(QLatin1StringView("private"))) {
            advance();
            globalDeclaration(t.text == QLatin1StringView("public"));
        } else if (t.isWord(QLatin1StringView("trigger"))) {
            advance();
            triggerDeclaration();
        } else if (t.isWord(QLatin1StringView("event"))) {
            advance();
            eventDeclaration();
        } else if (t.isWord(QLatin1StringView("function"))) {
            advance();
            functionDeclaration();
        } else if (t.isWord(QLatin1StringView("local"))) {
            fail(t, QStringLiteral("'local' declarations belong at the start of an event or function"));
        } else if (nameIndex().typeOfWord.contains(t.text)) {
            fail(t, QStringLiteral("a global declaration starts with 'public' or 'private'"));
        } else {
            fail(
                t,
                QStringLiteral("expected a declaration, trigger, event or function, found %1").arg(found(t)));
        }
    }

    void globalDeclaration(bool isPublic)
    {
        const Token& head = peek();
        QString type;
        bool isValue = true;
        if (head.isWord(QLatin1StringView("trigger")) || head.isWord(QLatin1StringView("event"))) {
            advance();
            type = head.text.toString().toUpper();
            isValue = false;
        } else {
            type = typeWord(false);
        }
        do {
            const Token& name =
                declareName(m_inBody ? SymbolKind::Local : SymbolKind::Global, "a variable name");
            const QList<int> sizes = arraySizes();
            Symbol s;
            s.kind = SymbolKind::Global;
            s.type = type;
            s.dimensions = int(sizes.size());
            s.line = name.line;
            if (!m_symbols.contains(name.text) && nameIndex().kind(name.text) == BuiltinName::None) {
                m_symbols.insert(name.text, s);
                const QString text = name.text.toString();
                m_model.globalIndex.insert(text, int(m_model.globals.size()));
                m_model.globals.append(
                    GlobalVariable{text, type, sizes, isPublic, isValue, name.line, name.column});
            }
        } while (accept(Tok::Comma));
        expect(Tok::Semicolon, "';' after the declaration");
    }

    QList<int> arraySizes()
    {
        QList<int> sizes;
        while (peek().is(Tok::LBracket)) {
            const Token& open = advance();
            const Token& size = peek();
            if (!size.is(Tok::Int))
                fail(size, QStringLiteral("an array size must be a whole number, found %1").arg(found(size)));
            advance();
            const long long value = size.text.toLongLong();
            if (value < 1 || value > 254)
                report(size, QStringLiteral("array size %1 is out of the game's range 1 to 254").arg(value));
            if (sizes.size() == 4)
                report(open, QStringLiteral("more than 4 array dimensions: the game allows 4"));
            sizes.append(int(qBound(0LL, value, 254LL)));
            expect(Tok::RBracket, "']'");
        }
        return sizes;
    }

    void triggerDeclaration()
    {
        const Token& name = declareName(SymbolKind::Trigger, "a trigger name");
        expect(Tok::LParen, "'(' after the trigger name");
        triggerCondition(false);
        expect(Tok::RParen, "')'");
        expect(Tok::Semicolon, "';' after the trigger");
        if (!m_symbols.contains(name.text))
            m_symbols.insert(name.text, Symbol{SymbolKind::Trigger, {}, 0, name.line, true, {}, {}});
    }

    // What fires a trigger or an event: init, wait/every with ticks, a callback, a trigger
    // name, inactive, or a condition with its interval.
    void triggerCondition(bool inEvent)
    {
        const Token& t = peek();
        if (t.isWord(QLatin1StringView("init"))) {
            advance();
            return;
        }
        if (t.isWord(QLatin1StringView("wait")) || t.isWord(QLatin1StringView("every"))) {
            advance();
            expect(Tok::Comma, "',' and the number of ticks");
            expression();
            return;
        }
        if (inEvent && t.isWord(QLatin1StringView("inactive"))) {
            advance();
            return;
        }
        if (t.is(Tok::Ident)) {
            if (const BuiltinCallback* callback = nameIndex().callbacks.value(t.text)) {
                advance();
                callbackArguments(t, *callback);
                return;
            }
            const Symbol* s = symbol(t.text);
            if (inEvent && s && s->kind == SymbolKind::Trigger && peek(1).is(Tok::RParen)) {
                advance();
                return;
            }
        }
        expression();
        expect(Tok::Comma, "',' and the interval in ticks after the condition");
        expression();
    }

    void callbackArguments(const Token& name, const BuiltinCallback& callback)
    {
        int count = 0;
        while (accept(Tok::Comma)) {
            const BuiltinParam* param = count < callback.params.size() ? &callback.params.at(count) : nullptr;
            // The 2.0 game took a plain variable where a callback writes its value; 2.1 and later
            // need 'ref'. Scripts without functions, locals and #define are read the 2.0 way.
            const bool plainVariableFits = !m_laterLanguage && param && param->byRef &&
                                           peek().is(Tok::Ident) &&
                                           (peek(1).is(Tok::Comma) || peek(1).is(Tok::RParen));
            argument(name, plainVariableFits ? nullptr : param, count, QStringLiteral("callback"));
            ++count;
        }
        if (count != callback.params.size()) {
            report(name, callback.params.isEmpty()
                             ? QStringLiteral("callback %1 takes no parameters").arg(quoted(name.text))
                             : QStringLiteral("callback %1 needs %2 parameters, not %3")
                                   .arg(quoted(name.text))
                                   .arg(callback.params.size())
                                   .arg(count));
        }
    }

    void eventDeclaration()
    {
        const Token& name = declareName(SymbolKind::Event, "an event name");
        const bool known = m_symbols.contains(name.text);
        if (accept(Tok::Semicolon)) {
            if (!known) {
                m_symbols.insert(name.text, Symbol{SymbolKind::Event, {}, 0, name.line, false, {}, {}});
                m_eventColumns.insert(name.text, name.column);
            }
            return;
        }
        if (!known)
            m_symbols.insert(name.text, Symbol{SymbolKind::Event, {}, 0, name.line, true, {}, {}});
        else if (m_symbols[name.text].kind == SymbolKind::Event)
            m_symbols[name.text].defined = true;
        expect(Tok::LParen, "'(' after the event name");
        triggerCondition(true);
        expect(Tok::RParen, "')'");
        body(QString());
    }

    void functionDeclaration()
    {
        const QString returnType = typeWord(true);
        const Token& name = declareName(SymbolKind::Function, "a function name");
        expect(Tok::LParen, "'(' after the function name");
        Symbol f{SymbolKind::Function, returnType, 0, name.line, true, {}, {}};
        m_locals.clear();
        if (!peek().is(Tok::RParen)) {
            do {
                const Token& typeToken = peek();
                const QString type = typeWord(false);
                const Token& param = declareName(SymbolKind::Local, "a parameter name");
                f.paramTypes.append(typeToken.text);
                f.paramNames.append(param.text);
                m_locals.insert(param.text, Symbol{SymbolKind::Local, type, 0, param.line, true, {}, {}});
            } while (accept(Tok::Comma));
        }
        expect(Tok::RParen, "')'");
        const auto existing = m_symbols.find(name.text);
        const bool declaredBefore = existing != m_symbols.end() && existing->kind == SymbolKind::Function;
        if (declaredBefore && (existing->paramTypes != f.paramTypes || existing->paramNames != f.paramNames ||
                               existing->type != f.type))
            report(name, QStringLiteral("function %1 does not match its declaration at line %2")
                             .arg(quoted(name.text))
                             .arg(existing->line));
        if (accept(Tok::Semicolon)) {
            f.defined = false;
            if (existing == m_symbols.end())
                m_symbols.insert(name.text, f);
            return;
        }
        if (existing == m_symbols.end())
            m_symbols.insert(name.text, f);
        else if (declaredBefore)
            existing->defined = true;
        body(returnType, true);
    }

    // The body of an event (returnType empty) or a function.
    void body(const QString& returnType, bool keepLocals = false)
    {
        if (!keepLocals)
            m_locals.clear();
        m_inBody = true;
        m_returnType = returnType;
        expect(Tok::LBrace, "'{' to open the body");
        while (peek().isWord(QLatin1StringView("local"))) {
            advance();
            try {
                const QString type = typeWord(false);
                do {
                    const Token& name = declareName(SymbolKind::Local, "a variable name");
                    const QList<int> sizes = arraySizes();
                    m_locals.insert(
                        name.text,
                        Symbol{SymbolKind::Local, type, int(sizes.size()), name.line, true, {}, {}});
                } while (accept(Tok::Comma));
                expect(Tok::Semicolon, "';' after the declaration");
            } catch (const SyntaxError&) {
                syncStatement();
            }
        }
        const Token* last = nullptr;
        bool lastReturnsValue = false;
        while (!peek().is(Tok::RBrace) && !peek().is(Tok::End) && !startsTopLevel(peek())) {
            last = &peek();
            lastReturnsValue = last->isWord(QLatin1StringView("return")) && !peek(1).is(Tok::Semicolon);
            guardedStatement();
        }
        const Token& close = peek();
        m_inBody = false;
        if (!close.is(Tok::RBrace))
            fail(close, QStringLiteral("expected '}' to close the body, found %1").arg(found(close)));
        if (!returnType.isEmpty() && returnType != QLatin1StringView("VOID") && !lastReturnsValue)
            report(close,
                   QStringLiteral("a function returning %1 must end with 'return VALUE;'").arg(returnType));
        advance();
    }

    void guardedStatement()
    {
        const qsizetype before = m_pos;
        try {
            statement();
        } catch (const SyntaxError&) {
            syncStatement();
            if (m_pos == before && !peek().is(Tok::RBrace) && !startsTopLevel(peek()))
                advance();
        }
    }

    void block()
    {
        DepthGuard guard(*this);
        expect(Tok::LBrace, "'{'");
        while (!peek().is(Tok::RBrace) && !peek().is(Tok::End) && !startsTopLevel(peek()))
            guardedStatement();
        expect(Tok::RBrace, "'}' to close the block");
    }

    // ---- statements ----
    void statement()
    {
        const Token& t = peek();
        if (t.is(Tok::LBrace))
            fail(t, QStringLiteral("a block needs 'if', 'else' or 'while' before it"));
        if (!t.is(Tok::Ident))
            fail(t, QStringLiteral("expected a statement, found %1").arg(found(t)));
        const QStringView w = t.text;
        if (Token::sameText(w, QLatin1StringView("if"))) {
            advance();
            condition();
            if (peek().is(Tok::LBrace)) {
                block();
            } else {
                DepthGuard guard(*this);
                statement();
            }
            while (peek().isWord(QLatin1StringView("else"))) {
                advance();
                if (acceptWord(QLatin1StringView("if"))) {
                    condition();
                    block();
                } else {
                    block();
                    break;
                }
            }
            return;
        }
        if (Token::sameText(w, QLatin1StringView("while"))) {
            advance();
            condition();
            if (!peek().is(Tok::LBrace))
                fail(peek(), QStringLiteral("the body of 'while' needs braces { }"));
            block();
            return;
        }
        if (Token::sameText(w, QLatin1StringView("exit"))) {
            advance();
            if (!m_returnType.isEmpty())
                report(t, QStringLiteral("'exit' ends an event; in a function write 'return'"));
            expect(Tok::Semicolon, "';' after 'exit'");
            return;
        }
        if (Token::sameText(w, QLatin1StringView("pause"))) {
            advance();
            condition();
            expect(Tok::Semicolon, "';' after 'pause(...)'");
            return;
        }
        if (Token::sameText(w, QLatin1StringView("return"))) {
            advance();
            const bool withValue = !peek().is(Tok::Semicolon);
            if (m_returnType.isEmpty())
                report(t, QStringLiteral("'return' inside an event: write 'exit;'"));
            else if (m_returnType == QLatin1StringView("VOID") && withValue)
                report(t, QStringLiteral("a void function returns no value: write 'return;'"));
            else if (m_returnType != QLatin1StringView("VOID") && !withValue)
                report(t,
                       QStringLiteral("this function returns %1: write 'return VALUE;'").arg(m_returnType));
            if (withValue)
                expression();
            expect(Tok::Semicolon, "';' after 'return'");
            return;
        }
        if (Token::sameText(w, QLatin1StringView("local")))
            fail(t, QStringLiteral("'local' declarations must come before the first statement"));
        if (!symbol(w) && nameIndex().kind(w) == BuiltinName::None) {
            if (Token::sameText(w, QLatin1StringView("for")) || Token::sameText(w, QLatin1StringView("do")))
                fail(
                    t,
                    QStringLiteral("the game's language has no '%1' loop: use 'while (...) { ... }'").arg(w));
            if (Token::sameText(w, QLatin1StringView("switch")))
                fail(t, QStringLiteral("the game's language has no 'switch': use 'if' ... 'else if'"));
            if (Token::sameText(w, QLatin1StringView("break")) ||
                Token::sameText(w, QLatin1StringView("continue")))
                fail(t,
                     QStringLiteral("the game's language has no '%1': change the loop's condition").arg(w));
        }
        if (peek(1).is(Tok::LParen)) {
            nameUse(false);
            expect(Tok::Semicolon, "';' after the call");
            return;
        }
        assignment();
    }

    void condition()
    {
        expect(Tok::LParen, "'('");
        expression();
        expect(Tok::RParen, "')'");
    }

    void assignment()
    {
        const Token& target = peek();
        const BuiltinName builtin = nameIndex().kind(target.text);
        nameUse(false);
        const Token& op = peek();
        if ((op.is(Tok::Plus) || op.is(Tok::Minus) || op.is(Tok::Star) || op.is(Tok::Slash)) &&
            peek(1).is(Tok::Assign) && peek(1).line == op.line && peek(1).column == op.column + 1) {
            report(op.line, op.column, 2,
                   QStringLiteral("the game's language has no '%1=': write %2 = %2 %1 ...")
                       .arg(op.text, target.text));
            advance();
            advance();
        } else if (op.is(Tok::Inc) || op.is(Tok::Dec)) {
            advance();
            expect(Tok::Semicolon, "';'");
            return;
        } else if (!accept(Tok::Assign)) {
            fail(op, QStringLiteral("expected '=' after %1, found %2").arg(quoted(target.text), found(op)));
        }
        if (builtin == BuiltinName::Constant && !symbol(target.text))
            report(target,
                   QStringLiteral("%1 is a constant and cannot be assigned").arg(quoted(target.text)));
        expression();
        expect(Tok::Semicolon, "';' after the assignment");
    }

    // ---- expressions ----
    void expression()
    {
        operand();
        for (;;) {
            const Token& t = peek();
            if (isBinaryOperator(t)) {
                advance();
                operand();
            } else if (isSignedLiteral(t)) {
                const Token& before = peek(-1);
                report(t,
                       QStringLiteral("'%1%2' is read as '%1' followed by the number '%2': write '%1 - %3'")
                           .arg(before.text, t.text, t.text.mid(1)));
                advance();
            } else {
                return;
            }
        }
    }

    void operand()
    {
        DepthGuard guard(*this);
        const Token& t = peek();
        switch (t.kind) {
        case Tok::Minus:
        case Tok::Bang:
        case Tok::CastInt:
        case Tok::CastFloat:
            advance();
            operand();
            return;
        case Tok::Int:
        case Tok::Float:
        case Tok::String:
            advance();
            return;
        case Tok::LParen:
            advance();
            expression();
            expect(Tok::RParen, "')'");
            return;
        case Tok::Ident:
            break;
        default:
            fail(t, QStringLiteral("expected a value, found %1").arg(found(t)));
        }
        if (t.isWord(QLatin1StringView("not")) || t.isWord(QLatin1StringView("NOT"))) {
            advance();
            operand();
            return;
        }
        if (t.isWord(QLatin1StringView("true")) || t.isWord(QLatin1StringView("false")) ||
            t.isWord(QLatin1StringView("TRUE")) || t.isWord(QLatin1StringView("FALSE")) ||
            t.isWord(QLatin1StringView("inactive"))) {
            advance();
            return;
        }
        nameUse(false);
    }

    // A name in code: a call, or a variable with indexes and members. Returns the value's
    // type when known.
    QString nameUse(bool byRef)
    {
        const Token& t = advance();
        const Symbol* s = symbol(t.text);
        const BuiltinName builtin = s ? BuiltinName::None : nameIndex().kind(t.text);
        if (builtin == BuiltinName::Keyword || builtin == BuiltinName::TypeWord)
            fail(t, QStringLiteral("%1 is %2, not a value").arg(quoted(t.text), describe(builtin)));
        if (peek().is(Tok::LParen)) {
            call(t, s);
            return QString();
        }
        QString type;
        if (s) {
            if (s->kind == SymbolKind::Function)
                report(t, QStringLiteral("%1 is a function: call it with ( )").arg(quoted(t.text)));
            type = s->type;
        } else if (builtin == BuiltinName::External || builtin == BuiltinName::Constant) {
            type = nameIndex().valueTypes.value(t.text);
        } else if (builtin == BuiltinName::Function) {
            report(t, QStringLiteral("%1 is a builtin function: call it with ( )").arg(quoted(t.text)));
        } else if (builtin == BuiltinName::None) {
            report(t, t.text.startsWith(QLatin1StringView("CALL_"))
                          ? QStringLiteral("unknown callback %1").arg(quoted(t.text))
                          : QStringLiteral("undeclared name %1").arg(quoted(t.text)));
        }
        if (byRef && (!s || (s->kind != SymbolKind::Global && s->kind != SymbolKind::Local)) &&
            builtin != BuiltinName::None)
            report(t, QStringLiteral("'ref' needs a variable, and %1 is not one").arg(quoted(t.text)));
        bool indexed = false;
        while (peek().is(Tok::LBracket)) {
            DepthGuard guard(*this);
            advance();
            expression();
            expect(Tok::RBracket, "']'");
            indexed = true;
        }
        Q_UNUSED(indexed);
        while (peek().is(Tok::Dot)) {
            advance();
            const Token& member = expect(Tok::Ident, "a member name after '.'");
            if (type.isEmpty())
                continue;
            const auto owner = nameIndex().members.constFind(type);
            if (owner == nameIndex().members.cend()) {
                report(member,
                       QStringLiteral("%1 is of type %2, which has no members").arg(quoted(t.text), type));
                type.clear();
                continue;
            }
            const auto m = owner->constFind(member.text);
            if (m == owner->cend()) {
                report(member, QStringLiteral("%1 has no member %2").arg(type, quoted(member.text)));
                type.clear();
            } else {
                type = *m;
            }
        }
        return type;
    }

    void call(const Token& name, const Symbol* s)
    {
        const BuiltinFunction* builtin = s ? nullptr : nameIndex().functions.value(name.text);
        const bool scriptFunction = s && s->kind == SymbolKind::Function;
        if (!builtin && !scriptFunction) {
            if (s)
                report(name,
                       QStringLiteral("%1 is %2, not a function").arg(quoted(name.text), describe(s->kind)));
            else
                report(name, QStringLiteral("unknown function %1").arg(quoted(name.text)));
        }
        DepthGuard guard(*this);
        expect(Tok::LParen, "'('");
        int count = 0;
        if (!peek().is(Tok::RParen)) {
            do {
                const BuiltinParam* param = nullptr;
                if (builtin && count < builtin->params.size())
                    param = &builtin->params.at(count);
                argument(name, param, count, builtin ? QStringLiteral("builtin") : QString());
                ++count;
            } while (accept(Tok::Comma));
        }
        expect(Tok::RParen, "')' to close the call");
        const qsizetype expected = builtin          ? builtin->params.size()
                                   : scriptFunction ? s->paramTypes.size()
                                                    : -1;
        if (expected >= 0 && count != expected)
            report(name, QStringLiteral("%1 takes %2 argument%3, not %4")
                             .arg(quoted(name.text))
                             .arg(expected)
                             .arg(expected == 1 ? QString() : QStringLiteral("s"))
                             .arg(count));
    }

    // One argument of a call or callback; `param` is null when its kind is not known.
    void argument(const Token& callee, const BuiltinParam* param, int index, const QString& owner)
    {
        const Token& first = peek();
        const bool byRef = first.isWord(QLatin1StringView("ref"));
        if (byRef) {
            advance();
            if (!peek().is(Tok::Ident))
                fail(peek(), QStringLiteral("expected a variable after 'ref', found %1").arg(found(peek())));
            nameUse(true);
        } else {
            expression();
        }
        const QString position = QStringLiteral("argument %1 of %2").arg(index + 1).arg(quoted(callee.text));
        if (param && param->byRef && !byRef)
            report(first, QStringLiteral("%1 must be 'ref VARIABLE' (the game writes a %2 into it)")
                              .arg(position, param->type));
        else if (byRef && ((param && !param->byRef) || (!param && owner.isEmpty())))
            report(first, QStringLiteral("%1 takes a value, not 'ref'").arg(position));
    }

    const QList<Token>& m_tokens;
    Findings& m_findings;
    qsizetype m_pos = 0;
    int m_depth = 0;
    bool m_inBody = false;
    bool m_laterLanguage = false; // the script uses the 2.1 language (functions, locals, #define)
    QString m_returnType;         // empty inside an event
    QHash<NameKey, Symbol> m_symbols;
    QHash<NameKey, Symbol> m_locals;
    QHash<NameKey, int> m_eventColumns;
    ScriptModel m_model;
};

} // namespace

ScriptModel parseScript(const QString& source, Findings& findings)
{
    Lexer lexer(source, findings);
    const QList<Token> tokens = lexer.tokenize();
    Parser parser(tokens, lexer.usesMacros(), findings);
    return parser.run();
}

} // namespace scriptlang
