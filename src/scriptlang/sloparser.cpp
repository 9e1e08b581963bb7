// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/scriptparser.h"
#include "scriptlang/valuetypes.h"

namespace scriptlang {
namespace parsing {

ScriptModel Parser::run()
{
    try {
        while (!peek().is(Tok::End) && !m_log.stopped()) {
            const qsizetype before = m_pos;
            try {
                topLevel();
            } catch (const SyntaxError&) {
                syncTopLevel();
            }
            if (m_pos == before)
                ++m_pos; // never stall
        }
        for (auto it = m_symbols.cbegin(); it != m_symbols.cend() && !m_log.stopped(); ++it) {
            if (it->kind == SymbolKind::Event && !it->defined)
                report(it->line, m_eventColumns.value(it.key()), int(it.key().text.size()),
                       QStringLiteral("event %1 is declared but never defined").arg(quoted(it.key().text)));
        }
        for (const Token& name : std::as_const(m_defineNames)) {
            const auto declared = m_symbols.constFind(name.text);
            if (declared != m_symbols.cend() && declared->line < name.line)
                report(name, QStringLiteral(
                                 "%1 is already declared as %2 at line %3: a #define cannot take its name")
                                 .arg(quoted(name.text), describe(declared->kind))
                                 .arg(declared->line));
        }
    } catch (const TooManyErrors&) {
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
    while (peek().is(Tok::Else)) {
        advance();
        if (accept(Tok::If)) {
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

// body: '{' { 'local' TYPE NAME [sizes] { ',' NAME [sizes] } ';' } { statement } '}'
//   (a non-void function's last statement is 'return' expression ';')
void Parser::body(const QString& returnType, bool keepLocals, bool returnOptional)
{
    if (!keepLocals)
        m_locals.clear();
    m_hints.clear();
    m_undeclaredReported.clear();
    m_returnType = returnType;
    m_returnOptional = returnOptional;
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
    while (peek().is(Tok::Local)) {
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
        lastReturnsValue = last->is(Tok::Return) && !peek(1).is(Tok::Semicolon);
        guardedStatement();
    }
    const Token& close = peek();
    m_inBody = false;
    if (!close.is(Tok::RBrace))
        fail(close, QStringLiteral("expected '}' to close the body opened at line %1, found %2")
                        .arg(open.line)
                        .arg(found(close)));
    if (!returnType.isEmpty() && returnType != QLatin1StringView("VOID") && !returnOptional &&
        !lastReturnsValue)
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

// block: '{' { statement } '}'
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
    parser.setDefineNames(lexer.defineNames());
    return parser.run();
}

} // namespace scriptlang
