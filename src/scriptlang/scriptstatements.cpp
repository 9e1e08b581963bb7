// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/scriptparser.h"
#include "scriptlang/valuetypes.h"

namespace scriptlang {
namespace parsing {

// statement: if_stmt | while_stmt | 'exit' ';' | 'pause' '(' INT ')' ';' | return_stmt
//          | NAME '(' args ')' ';' | assignment
void Parser::statement()
{
    const Token& t = peek();
    switch (t.kind) {
    case Tok::If:
        ifStatement();
        return;
    case Tok::While:
        whileStatement();
        return;
    case Tok::Exit:
        advance();
        expectSemicolon("';' after 'exit'");
        return;
    case Tok::Pause:
        advance();
        condition();
        expectSemicolon("';' after 'pause(...)'");
        return;
    case Tok::Return:
        returnStatement();
        return;
    case Tok::Else:
        report(t, QStringLiteral("'else' without its 'if': is a '{' or '}' missing above?"));
        skipElseChain();
        return;
    case Tok::Local:
        fail(t, QStringLiteral("'local' declarations must come before the first statement"));
    case Tok::LBrace:
        fail(t, QStringLiteral("a block needs 'if', 'else' or 'while' before it"));
    case Tok::TypeName:
        fail(t, QStringLiteral("%1 is a type: a body declares its variables with 'local' at its start")
                    .arg(quoted(t.text)));
    case Tok::Ident:
        break;
    default:
        fail(t, QStringLiteral("expected a statement, found %1").arg(found(t)));
    }
    if (!symbol(t.text) && nameIndex().kind(t.text) == BuiltinName::None && foreignStatement(t))
        return;
    assignment();
}

bool Parser::foreignStatement(const Token& t)
{
    const QStringView w = t.text;
    if (Token::sameText(w, QLatin1StringView("for"))) {
        // Said once; the body is read as a while loop's, for the mistakes of its own.
        report(t, QStringLiteral("the game's language has no 'for' loop: use 'while (...) { ... }'"));
        advance();
        if (peek().is(Tok::LParen))
            skipParentheses();
        if (peek().is(Tok::LBrace)) {
            block();
        } else {
            DepthGuard guard(*this);
            statement();
        }
        return true;
    }
    if (Token::sameText(w, QLatin1StringView("do")))
        fail(t, QStringLiteral("the game's language has no 'do' loop: use 'while (...) { ... }'"));
    if (Token::sameText(w, QLatin1StringView("switch")))
        fail(t, QStringLiteral("the game's language has no 'switch': use 'if' ... 'else if'"));
    if (Token::sameText(w, QLatin1StringView("break")) || Token::sameText(w, QLatin1StringView("continue")))
        fail(t, QStringLiteral("the game's language has no '%1': change the loop's condition").arg(w));
    return false;
}

void Parser::skipParentheses()
{
    int depth = 0;
    while (!peek().is(Tok::End) && !peek().is(Tok::LBrace) && !startsTopLevel(peek())) {
        const Tok kind = advance().kind;
        if (kind == Tok::LParen)
            ++depth;
        else if (kind == Tok::RParen && --depth <= 0)
            return;
    }
}

// if_stmt: 'if' '(' boolexp ')' ( block | statement ) { 'else' 'if' '(' boolexp ')' block } [ 'else' block ]
void Parser::ifStatement()
{
    advance();
    booleanCondition();
    if (peek().is(Tok::LBrace)) {
        block();
    } else {
        DepthGuard guard(*this);
        statement();
    }
    while (accept(Tok::Else)) {
        if (accept(Tok::If)) {
            booleanCondition();
            block();
        } else {
            if (!peek().is(Tok::LBrace))
                fail(peek(), QStringLiteral("the body of the last 'else' needs braces { }"));
            block();
            break;
        }
    }
}

// while_stmt: 'while' '(' boolexp ')' block
void Parser::whileStatement()
{
    advance();
    booleanCondition();
    if (!peek().is(Tok::LBrace))
        fail(peek(), QStringLiteral("the body of 'while' needs braces { }"));
    block();
}

// return_stmt: 'return' ';' | 'return' expression ';'   (functions only)
void Parser::returnStatement()
{
    const Token& t = advance();
    const bool withValue = !peek().is(Tok::Semicolon) && !peek().is(Tok::RBrace); // `return }`: ';' lost
    if (m_returnType.isEmpty())
        report(t, QStringLiteral("'return' inside an event: write 'exit;'"));
    else if (m_returnType == QLatin1StringView("VOID") && withValue)
        report(t, QStringLiteral("a void function returns no value: write 'return;'"));
    else if (m_returnType != QLatin1StringView("VOID") && !withValue && !m_returnOptional)
        report(t, QStringLiteral("this function returns %1: write 'return VALUE;'")
                      .arg(valuetypes::spoken(m_returnType)));
    if (withValue) {
        const Token& value = peek();
        const QString type = expression();
        const valuetypes::Fit fit =
            m_returnType.isEmpty() ? valuetypes::Fit::Fits : valuetypes::fit(m_returnType, type);
        if (fit == valuetypes::Fit::AtRunTime)
            warnAtRunTime(value, QStringLiteral("this function's value"), type);
        else if (fit == valuetypes::Fit::No)
            report(value, QStringLiteral("this function returns %1; a value of type %2 does not fit")
                              .arg(valuetypes::spoken(m_returnType), valuetypes::spoken(type)));
    }
    expectSemicolon("';' after 'return'");
}

// '(' expression ')'
QString Parser::condition()
{
    expect(Tok::LParen, "'('");
    const QString type = expression();
    if (peek().is(Tok::Assign))
        fail(peek(), QStringLiteral("'=' assigns a value: to compare, write '=='"));
    expect(Tok::RParen, "')'");
    return type;
}

// '(' boolexp ')'
void Parser::booleanCondition()
{
    const Token& start = peek(1); // after the '('
    requireBool(start, condition());
}

void Parser::requireBool(const Token& start, const QString& type)
{
    if (valuetypes::isKnown(type) && type != valuetypes::kBool)
        report(start, QStringLiteral("the condition must be true or false, not %1: compare it, e.g. x != 0")
                          .arg(valuetypes::spoken(type)));
}

// assignment: variable '=' expression ';' | variable '++' ';' | variable '--' ';' | call ';'
// variable: NAME { '[' expression ']' } { '.' MEMBER }, and a member may follow a call
void Parser::assignment()
{
    const Token& target = peek();
    const NameUse use = nameUse(Use::Statement);
    const Token& op = peek();
    const bool compound = (op.is(Tok::Plus) || op.is(Tok::Minus) || op.is(Tok::Star) || op.is(Tok::Slash)) &&
                          peek(1).is(Tok::Assign) && peek(1).line == op.line &&
                          peek(1).column == op.column + 1;
    if (use.endsWithCall && !compound && !op.is(Tok::Assign) && !op.is(Tok::Inc) && !op.is(Tok::Dec)) {
        expectSemicolon("';' after the call");
        return;
    }
    if (compound) {
        report(op.line, op.column, 2,
               QStringLiteral("the game's language has no '%1=': write %2 = %2 %1 ...")
                   .arg(op.text, target.text));
        advance();
        advance();
    } else if (op.is(Tok::Inc) || op.is(Tok::Dec)) {
        advance();
        requireSettable(target, use);
        if (valuetypes::isKnown(use.type) && use.type != valuetypes::kInt)
            report(op, QStringLiteral("'%1' works on int variables, not on %2")
                           .arg(op.text, valuetypes::spoken(use.type)));
        expectSemicolon("';' after '++' or '--'");
        return;
    } else if (op.is(Tok::Eq)) {
        fail(op, QStringLiteral("'==' compares, and a comparison is no statement: to assign, write '='"));
    } else if (!accept(Tok::Assign)) {
        fail(op, QStringLiteral("expected '=' after %1, found %2").arg(quoted(target.text), found(op)));
    }
    requireSettable(target, use);
    const Token& value = peek();
    requireFit(value, use.type, expression(), quoted(use.member ? use.member->text : target.text));
    expectSemicolon("';' after the assignment");
}

void Parser::requireSettable(const Token& target, const NameUse& use)
{
    if (use.endsWithCall) {
        report(target, QStringLiteral("the value of a call cannot be assigned"));
    } else if (use.member) {
        const bool writable =
            std::any_of(builtins().members.cbegin(), builtins().members.cend(),
                        [&](const BuiltinVariable& m) { return m.writable && use.member->text == m.name; });
        if (!writable)
            report(*use.member, QStringLiteral("member %1 cannot be set: the game only lets scripts read it")
                                    .arg(quoted(use.member->text)));
    } else if (symbol(target.text)) {
        return;
    } else if (const BuiltinName builtin = nameIndex().kind(target.text); builtin == BuiltinName::Constant) {
        report(target, QStringLiteral("%1 is a constant and cannot be assigned").arg(quoted(target.text)));
    } else if (builtin == BuiltinName::External &&
               !builtins().externals.value(target.text.toString()).writable) {
        QStringList writable;
        for (const BuiltinVariable& v : builtins().externals) {
            if (v.writable)
                writable.append(v.name);
        }
        writable.sort();
        report(target, QStringLiteral("%1 is a game variable that scripts can only read; they can set %2")
                           .arg(quoted(target.text), writable.join(QStringLiteral(", "))));
    }
}

} // namespace parsing
} // namespace scriptlang
