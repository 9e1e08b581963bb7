#include "scriptlang/scriptparser.h"

namespace scriptlang {
namespace parsing {

void Parser::statement()
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
            report(t, QStringLiteral("this function returns %1: write 'return VALUE;'").arg(m_returnType));
        if (withValue)
            expression();
        expect(Tok::Semicolon, "';' after 'return'");
        return;
    }
    if (Token::sameText(w, QLatin1StringView("local")))
        fail(t, QStringLiteral("'local' declarations must come before the first statement"));
    if (!symbol(w) && nameIndex().kind(w) == BuiltinName::None) {
        if (Token::sameText(w, QLatin1StringView("for")) || Token::sameText(w, QLatin1StringView("do")))
            fail(t, QStringLiteral("the game's language has no '%1' loop: use 'while (...) { ... }'").arg(w));
        if (Token::sameText(w, QLatin1StringView("switch")))
            fail(t, QStringLiteral("the game's language has no 'switch': use 'if' ... 'else if'"));
        if (Token::sameText(w, QLatin1StringView("break")) ||
            Token::sameText(w, QLatin1StringView("continue")))
            fail(t, QStringLiteral("the game's language has no '%1': change the loop's condition").arg(w));
    }
    if (peek(1).is(Tok::LParen)) {
        nameUse(false);
        expect(Tok::Semicolon, "';' after the call");
        return;
    }
    assignment();
}

void Parser::condition()
{
    expect(Tok::LParen, "'('");
    expression();
    expect(Tok::RParen, "')'");
}

void Parser::assignment()
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
        report(target, QStringLiteral("%1 is a constant and cannot be assigned").arg(quoted(target.text)));
    expression();
    expect(Tok::Semicolon, "';' after the assignment");
}

void Parser::expression()
{
    operand();
    for (;;) {
        const Token& t = peek();
        if (isBinaryOperator(t)) {
            advance();
            operand();
        } else if (isSignedLiteral(t)) {
            const Token& before = peek(-1);
            report(t, QStringLiteral("'%1%2' is read as '%1' followed by the number '%2': write '%1 - %3'")
                          .arg(before.text, t.text, t.text.mid(1)));
            advance();
        } else {
            return;
        }
    }
}

void Parser::operand()
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

QString Parser::nameUse(bool byRef)
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
    while (peek().is(Tok::LBracket)) {
        DepthGuard guard(*this);
        advance();
        expression();
        expect(Tok::RBracket, "']'");
    }
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

void Parser::call(const Token& name, const Symbol* s)
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
    const qsizetype expected = builtin ? builtin->params.size() : scriptFunction ? s->paramTypes.size() : -1;
    if (expected >= 0 && count != expected)
        report(name, QStringLiteral("%1 takes %2 argument%3, not %4")
                         .arg(quoted(name.text))
                         .arg(expected)
                         .arg(expected == 1 ? QString() : QStringLiteral("s"))
                         .arg(count));
}

void Parser::argument(const Token& callee, const BuiltinParam* param, int index, const QString& owner)
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
    // Built only for a finding: this runs for every argument of every call.
    auto position = [&] {
        return QStringLiteral("argument %1 of %2").arg(index + 1).arg(quoted(callee.text));
    };
    if (param && param->byRef && !byRef)
        report(first, QStringLiteral("%1 must be 'ref VARIABLE' (the game writes a %2 into it)")
                          .arg(position(), param->type));
    else if (byRef && ((param && !param->byRef) || (!param && owner.isEmpty())))
        report(first, QStringLiteral("%1 takes a value, not 'ref'").arg(position()));
}

} // namespace parsing
} // namespace scriptlang
