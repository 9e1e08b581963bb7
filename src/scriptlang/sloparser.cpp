// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/scriptparser.h"
#include "scriptlang/valuetypes.h"

namespace scriptlang {
namespace parsing {

ScriptModel Parser::run()
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

void Parser::syncStatement()
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
        } else if (t.is(Tok::LBrace)) {
            skipBlock();
            skipElseChain();
            return;
        } else if (t.is(Tok::RBrace) || (parens == 0 && startsTopLevel(t))) {
            return;
        }
        advance();
    }
}

void Parser::skipElseChain()
{
    // The else branches of a broken if go with it, or each would be a mistake of its own.
    while (peek().isWord(QLatin1StringView("else"))) {
        advance();
        if (acceptWord(QLatin1StringView("if"))) {
            int parens = 0;
            while (!peek().is(Tok::End) && !peek().is(Tok::LBrace) && !startsTopLevel(peek())) {
                if (peek().is(Tok::LParen))
                    ++parens;
                else if (peek().is(Tok::RParen) && --parens <= 0) {
                    advance();
                    break;
                }
                advance();
            }
        }
        if (!peek().is(Tok::LBrace))
            return;
        skipBlock();
    }
}

void Parser::skipBlock()
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

void Parser::syncTopLevel()
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

const Token& Parser::declareName(SymbolKind kind, const char* what)
{
    const Token& t = peek();
    if (!t.is(Tok::Ident))
        fail(t, QStringLiteral("expected %1, found %2").arg(QLatin1StringView(what), found(t)));
    const BuiltinName builtin = nameIndex().kind(t.text);
    if (builtin == BuiltinName::Keyword || builtin == BuiltinName::TypeWord)
        fail(t, QStringLiteral("%1 is %2 and cannot be a name").arg(quoted(t.text), describe(builtin)));
    advance();
    if (builtin != BuiltinName::None) {
        report(
            t,
            QStringLiteral("%1 is already %2: choose another name").arg(quoted(t.text), describe(builtin)));
    }
    if (kind == SymbolKind::Local) {
        if (m_locals.contains(t.text))
            report(t, QStringLiteral("%1 is already declared in this body").arg(quoted(t.text)));
    } else if (const auto it = m_symbols.constFind(t.text); it != m_symbols.cend()) {
        const bool completes =
            (kind == SymbolKind::Event || kind == SymbolKind::Function) && it->kind == kind && !it->defined;
        if (!completes)
            report(t, QStringLiteral("%1 is already declared as %2 at line %3")
                          .arg(quoted(t.text), describe(it->kind))
                          .arg(it->line));
    }
    return t;
}

QString Parser::typeWord(bool allowVoid)
{
    const Token& t = peek();
    const QString type = t.is(Tok::Ident) ? nameIndex().typeOfWord.value(t.text) : QString();
    if (type.isEmpty() || (!allowVoid && type == QLatin1StringView("VOID")))
        fail(t, QStringLiteral("expected a type (int, bool, DROID ...), found %1").arg(found(t)));
    advance();
    return type;
}

void Parser::topLevel()
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
        // Statements out of their body (a '{' lost above, most likely): one error, and the text
        // skipped to the next declaration, trigger, event or function.
        report(t,
               QStringLiteral("expected a declaration, trigger, event or function, found %1").arg(found(t)));
        while (!peek().is(Tok::End) && !startsTopLevel(peek()))
            advance();
    }
}

void Parser::globalDeclaration(bool isPublic)
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
        const Token& name = declareName(m_inBody ? SymbolKind::Local : SymbolKind::Global, "a variable name");
        const QList<int> sizes = arraySizes();
        Symbol s;
        s.kind = SymbolKind::Global;
        s.type = type;
        s.dimensions = int(sizes.size());
        s.line = name.line;
        // A name that clashes with a builtin is reported once; its uses then mean the variable.
        if (!m_symbols.contains(name.text)) {
            m_symbols.insert(name.text, s);
            const QString text = name.text.toString();
            m_model.globalIndex.insert(text, int(m_model.globals.size()));
            m_model.globals.append(
                GlobalVariable{text, type, sizes, isPublic, isValue, name.line, name.column});
        }
    } while (acceptListComma());
    expectSemicolon("';' after the declaration");
}

bool Parser::acceptListComma()
{
    if (accept(Tok::Comma))
        return true;
    // `int a b;`: a name where ',' or ';' belongs is most likely the next of the list.
    const Token& next = peek();
    const bool listGoesOn = next.line == peek(-1).line || peek(1).is(Tok::Comma) ||
                            peek(1).is(Tok::Semicolon) || peek(1).is(Tok::LBracket);
    if (!next.is(Tok::Ident) || !listGoesOn || startsTopLevel(next) ||
        nameIndex().kind(next.text) == BuiltinName::Keyword ||
        nameIndex().kind(next.text) == BuiltinName::TypeWord)
        return false;
    reportAfter(peek(-1), QStringLiteral("missing ',' between the names"));
    return true;
}

QList<int> Parser::arraySizes()
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

void Parser::triggerDeclaration()
{
    const Token& name = declareName(SymbolKind::Trigger, "a trigger name");
    // Known from here on, so that a mistake in its condition does not make every event on it one.
    if (!m_symbols.contains(name.text))
        m_symbols.insert(name.text, Symbol{SymbolKind::Trigger, {}, 0, name.line, true, {}, {}});
    expect(Tok::LParen, "'(' after the trigger name");
    triggerCondition(false);
    expect(Tok::RParen, "')'");
    expectSemicolon("';' after the trigger");
}

void Parser::triggerCondition(bool inEvent)
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
        // A lone unknown name is a trigger not declared (yet): events name triggers declared above.
        if (inEvent && !s && nameIndex().kind(t.text) == BuiltinName::None && peek(1).is(Tok::RParen)) {
            advance();
            const QString near = hint(t.text, HintAmong::Triggers);
            report(t, QStringLiteral("unknown trigger %1%2")
                          .arg(quoted(t.text),
                               near.isEmpty() ? QStringLiteral(": declare it above with 'trigger %1 (...);'")
                                                    .arg(t.text.toString())
                                              : near));
            return;
        }
    }
    const Token& start = peek();
    requireBool(start, expression());
    expect(Tok::Comma, "',' and the interval in ticks after the condition");
    expression();
}

void Parser::callbackArguments(const Token& name, const BuiltinCallback& callback)
{
    int count = 0;
    while (accept(Tok::Comma)) {
        const BuiltinParam* param = count < callback.params.size() ? &callback.params.at(count) : nullptr;
        // The 2.0 game took a plain variable where a callback writes its value; 2.1 and later
        // need 'ref'. Scripts without functions, locals and #define are read the 2.0 way.
        const bool plainVariableFits = !m_laterLanguage && param && param->byRef && peek().is(Tok::Ident) &&
                                       (peek(1).is(Tok::Comma) || peek(1).is(Tok::RParen));
        argument(name, plainVariableFits ? nullptr : param, param ? param->type : QString(), count,
                 QStringLiteral("callback"));
        ++count;
    }
    if (count != callback.params.size()) {
        report(name, callback.params.isEmpty()
                         ? QStringLiteral("callback %1 takes no parameters").arg(quoted(name.text))
                         : QStringLiteral("callback %1 needs %2 parameter%3, not %4")
                               .arg(quoted(name.text))
                               .arg(callback.params.size())
                               .arg(callback.params.size() == 1 ? "" : "s")
                               .arg(count));
    }
}

void Parser::eventDeclaration()
{
    const Token& name = declareName(SymbolKind::Event, "an event name");
    const bool known = m_symbols.contains(name.text);
    const bool lostSemicolon = startsTopLevel(peek()) && peek().line > name.line;
    if (lostSemicolon)
        reportAfter(name, QStringLiteral("missing ';' after the declaration"));
    if (lostSemicolon || accept(Tok::Semicolon)) {
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
    try {
        expect(Tok::LParen, "'(' after the event name");
        triggerCondition(true);
        expect(Tok::RParen, "')'");
    } catch (const SyntaxError&) {
        // A broken head, its mistake reported: the body is still read for mistakes of its own.
        while (!peek().is(Tok::LBrace)) {
            if (peek().is(Tok::End) || peek().is(Tok::Semicolon) || startsTopLevel(peek()))
                throw;
            advance();
        }
    }
    body(QString());
}

void Parser::functionDeclaration()
{
    const QString returnType = typeWord(true);
    const Token& name = declareName(SymbolKind::Function, "a function name");
    Symbol f{SymbolKind::Function, returnType, 0, name.line, true, {}, {}};
    m_locals.clear();
    try {
        expect(Tok::LParen, "'(' after the function name");
        functionParameters(f);
    } catch (const SyntaxError&) {
        // Known with its type, so that its calls are no mistakes of their own; the body is skipped.
        f.brokenHead = true;
        f.defined = false; // a later head of it is no second declaration
        if (!m_symbols.contains(name.text))
            m_symbols.insert(name.text, f);
        throw;
    }
    const auto existing = m_symbols.find(name.text);
    const bool declaredBefore = existing != m_symbols.end() && existing->kind == SymbolKind::Function;
    if (declaredBefore && existing->brokenHead) {
        *existing = f; // this head is the one to go by
        existing->defined = false;
    } else if (declaredBefore && (existing->paramTypes != f.paramTypes ||
                                  existing->paramNames != f.paramNames || existing->type != f.type))
        report(name, QStringLiteral("function %1 does not match its declaration at line %2")
                         .arg(quoted(name.text))
                         .arg(existing->line));
    const bool declarationOnly = accept(Tok::Semicolon);
    // No body and no ';', the next line a declaration of its own: this one's ';' was lost.
    const bool lostSemicolon = !declarationOnly && startsTopLevel(peek()) && peek().line > peek(-1).line;
    if (lostSemicolon)
        reportAfter(peek(-1), QStringLiteral("missing ';' after the declaration"));
    if (declarationOnly || lostSemicolon) {
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

void Parser::functionParameters(Symbol& f)
{
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
}

void Parser::body(const QString& returnType, bool keepLocals)
{
    if (!keepLocals)
        m_locals.clear();
    m_hints.clear();
    m_undeclaredReported.clear();
    m_returnType = returnType;
    const Token& open = peek();
    if (!accept(Tok::LBrace)) {
        // A body's first line without the '{' before it: said once, and read as a body.
        const bool bodyFollows = open.line > peek(-1).line && !startsTopLevel(open) &&
                                 (open.is(Tok::Ident) || open.is(Tok::RBrace));
        if (!bodyFollows)
            fail(open, QStringLiteral("expected '{' to open the body, found %1").arg(found(open)));
        report(open, QStringLiteral("expected '{' to open the body, found %1").arg(found(open)));
    }
    m_inBody = true;
    while (peek().isWord(QLatin1StringView("local"))) {
        advance();
        try {
            const QString type = typeWord(false);
            do {
                const Token& name = declareName(SymbolKind::Local, "a variable name");
                const QList<int> sizes = arraySizes();
                m_locals.insert(name.text,
                                Symbol{SymbolKind::Local, type, int(sizes.size()), name.line, true, {}, {}});
            } while (acceptListComma());
            expectSemicolon("';' after the declaration");
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
        fail(close, QStringLiteral("expected '}' to close the body opened at line %1, found %2")
                        .arg(open.line)
                        .arg(found(close)));
    if (!returnType.isEmpty() && returnType != QLatin1StringView("VOID") && !lastReturnsValue)
        report(close, QStringLiteral("a function returning %1 must end with 'return VALUE;'")
                          .arg(valuetypes::spoken(returnType)));
    advance();
}

void Parser::guardedStatement()
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

void Parser::block()
{
    DepthGuard guard(*this);
    const Token& open = expect(Tok::LBrace, "'{'");
    while (!peek().is(Tok::RBrace) && !peek().is(Tok::End) && !startsTopLevel(peek()))
        guardedStatement();
    if (!peek().is(Tok::RBrace))
        fail(peek(), QStringLiteral("expected '}' to close the block opened at line %1, found %2")
                         .arg(open.line)
                         .arg(found(peek())));
    advance();
}

} // namespace parsing

ScriptModel parseScript(const QString& source, Findings& findings)
{
    Lexer lexer(source, findings);
    const QList<Token> tokens = lexer.tokenize();
    parsing::Parser parser(tokens, lexer.usesMacros(), findings);
    return parser.run();
}

} // namespace scriptlang
