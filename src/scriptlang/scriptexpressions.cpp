// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/scriptparser.h"
#include "scriptlang/suggestion.h"
#include "scriptlang/valuetypes.h"

namespace scriptlang {
namespace parsing {

using namespace valuetypes;

namespace {

// How tightly a binary operator binds, loosest first: 1 and/or, 2 comparisons, 3 &, 4 + -,
// 5 * /; 0 for a token that is no binary operator. The game's grammar puts & with + and -, but
// its typed rules read `"a" & x - 1 & "b"` as `"a" & (x - 1) & "b"`, as this order does.
int bindingOf(const Token& t)
{
    switch (t.kind) {
    case Tok::AndAnd:
    case Tok::OrOr:
        return 1;
    case Tok::Eq:
    case Tok::Ne:
    case Tok::Ge:
    case Tok::Le:
    case Tok::Gt:
    case Tok::Lt:
        return 2;
    case Tok::Amp:
        return 3;
    case Tok::Plus:
    case Tok::Minus:
        return 4;
    case Tok::Star:
    case Tok::Slash:
        return 5;
    default:
        return 0;
    }
}

constexpr int kAdditive = 4;
constexpr int kTightest = 5;

} // namespace

// expression: expression OP expression | unary, by the game's precedence (see bindingOf)
QString Parser::expression()
{
    return binary(1);
}

QString Parser::binary(int level)
{
    QString left = level > kTightest ? unary() : binary(level + 1);
    if (level > kTightest)
        return left;
    for (;;) {
        const Token& op = peek();
        if (level == kAdditive && isSignedLiteral(op)) {
            const Token& before = peek(-1);
            report(op, QStringLiteral("'%1%2' is read as '%1' followed by the number '%2': write '%1 - %3'")
                           .arg(before.text, op.text, op.text.mid(1)));
            advance();
            left = combine(op, left, op.is(Tok::Int) ? kInt : kFloat);
            continue;
        }
        if (bindingOf(op) != level)
            return left;
        advance();
        const QString right = binary(level + 1);
        left = combine(op, left, right);
    }
}

QString Parser::combine(const Token& op, const QString& left, const QString& right)
{
    const bool leftKnown = isKnown(left);
    const bool rightKnown = isKnown(right);
    const int level = op.is(Tok::Int) || op.is(Tok::Float) ? kAdditive : bindingOf(op);
    // Built only for a finding: this runs for every operator.
    auto name = [&op] {
        return op.is(Tok::Int) || op.is(Tok::Float) ? QStringLiteral("-") : op.text.toString();
    };
    if (level == 1) {
        for (const QString* side : {&left, &right}) {
            if (isKnown(*side) && *side != kBool) {
                report(op, QStringLiteral(
                               "'%1' needs true or false on both sides, not %2: compare it, e.g. x != 0")
                               .arg(name(), spoken(*side)));
                break;
            }
        }
        return kBool;
    }
    if (op.is(Tok::Eq) || op.is(Tok::Ne)) {
        if (!leftKnown || !rightKnown || fits(left, right))
            return kBool;
        // Game values compare one way only, the base type on the left: BASEOBJ == DROID.
        if (!isBasic(left) && !isBasic(right) && fits(right, left))
            report(op, QStringLiteral("%1 %2 %3 is refused by the game: write the %3 on the left")
                           .arg(spoken(left), name(), spoken(right)));
        else if (!isBasic(left) || !isBasic(right) || !fits(right, left))
            report(op, QStringLiteral("%1 and %2 cannot be compared").arg(spoken(left), spoken(right)));
        return kBool;
    }
    if (level == 2) {
        if ((leftKnown && !isNumber(left)) || (rightKnown && !isNumber(right)) ||
            (leftKnown && rightKnown && left != right))
            report(op, QStringLiteral("'%1' compares two ints or two floats, not %2 and %3")
                           .arg(name(), leftKnown ? spoken(left) : QStringLiteral("?"),
                                rightKnown ? spoken(right) : QStringLiteral("?")));
        return kBool;
    }
    if (op.is(Tok::Amp))
        return kString;
    for (const QString* side : {&left, &right}) {
        if (isKnown(*side) && !isNumber(*side)) {
            report(op, QStringLiteral("'%1' works on numbers, not on %2%3")
                           .arg(name(), spoken(*side),
                                *side == kString ? QStringLiteral(": join strings with &") : QString()));
            return QString();
        }
    }
    if (leftKnown && rightKnown && left != right) {
        report(op,
               QStringLiteral("an int and a float do not mix: write (float) or (int) before one of them"));
        return QString();
    }
    return leftKnown && rightKnown ? left : QString();
}

// unary: '-' unary | not unary | '(int)' unary | '(float)' unary | INT | FLOAT | STRING | true | false
//      | '(' expression ')' | name_use
QString Parser::unary()
{
    DepthGuard guard(*this);
    const Token& t = peek();
    switch (t.kind) {
    case Tok::Minus: {
        advance();
        const QString value = unary();
        if (isKnown(value) && !isNumber(value))
            report(t, QStringLiteral("'-' needs a number, not %1").arg(spoken(value)));
        return isNumber(value) ? value : QString();
    }
    case Tok::Bang:
        advance();
        return negation(t);
    case Tok::CastInt:
    case Tok::CastFloat:
        advance();
        unary();
        return t.is(Tok::CastInt) ? kInt : kFloat;
    case Tok::Int:
        advance();
        return kInt;
    case Tok::Float:
        advance();
        return kFloat;
    case Tok::String:
        advance();
        return kString;
    case Tok::True:
    case Tok::False:
        advance();
        return kBool;
    case Tok::Inactive:
        advance();
        return QString();
    case Tok::LParen: {
        advance();
        const QString value = expression();
        expect(Tok::RParen, "')'");
        return value;
    }
    case Tok::Ident:
    case Tok::TypeName:
        break;
    default:
        if (t.isKeyword())
            fail(t, QStringLiteral("%1 is a keyword, not a value").arg(quoted(t.text)));
        fail(t, QStringLiteral("expected a value, found %1").arg(found(t)));
    }
    return nameUse(Use::Value).type;
}

// not_exp: ('not' | 'NOT' | '!') comparison
QString Parser::negation(const Token& op)
{
    // `not a == b` is `not (a == b)`: the comparison binds more tightly.
    const QString value = binary(2);
    if (isKnown(value) && value != kBool)
        report(op, QStringLiteral("'%1' needs true or false, not %2: compare it, e.g. x == 0")
                       .arg(op.text, spoken(value)));
    return kBool;
}

void Parser::requireFit(const Token& at, const QString& expected, const QString& actual, const QString& what)
{
    const Fit result = fit(expected, actual);
    if (result == Fit::AtRunTime)
        warnAtRunTime(at, what, actual);
    else if (result == Fit::No)
        report(at, QStringLiteral("%1 is %2; a value of type %3 does not fit")
                       .arg(what, spoken(expected), spoken(actual)));
}

void Parser::warnAtRunTime(const Token& at, const QString& what, const QString& actual)
{
    report(
        at,
        QStringLiteral("%1 is a string; a %2 value becomes one only when the script runs, and may fail then")
            .arg(what, spoken(actual)),
        Severity::Warning);
}

Parser::NameUse Parser::nameUse(Use use)
{
    const Token& t = advance();
    const Symbol* s = symbol(t.text);
    const BuiltinName builtin = s ? BuiltinName::None : nameIndex().kind(t.text);
    if (builtin == BuiltinName::Keyword || builtin == BuiltinName::TypeWord)
        fail(t, QStringLiteral("%1 is %2, not a value").arg(quoted(t.text), describe(builtin)));
    NameUse result;
    if (peek().is(Tok::LParen)) {
        result.type = call(t, s, use);
        result.endsWithCall = !peek().is(Tok::Dot);
        // Run as a statement, a call needs to give no value.
        if (use != Use::Statement || !result.endsWithCall)
            requireValue(t, s, result.type);
        if (result.endsWithCall)
            return result;
    } else {
        result.type = variable(t, s, builtin, use);
        while (peek().is(Tok::LBracket)) {
            DepthGuard guard(*this);
            advance();
            expression();
            expect(Tok::RBracket, "']'");
        }
    }
    // Members follow any object value: a variable, an array element, a call's result.
    const Token* owner = &t;
    while (accept(Tok::Dot)) {
        const Token& name = expect(Tok::Ident, "a member name after '.'");
        result.type = member(*owner, name, result.type);
        result.member = &name;
        owner = &name;
    }
    return result;
}

QString Parser::variable(const Token& t, const Symbol* s, BuiltinName builtin, Use use)
{
    QString type;
    if (s) {
        if (s->kind == SymbolKind::Function)
            report(t, QStringLiteral("%1 is a function: call it with ( )").arg(quoted(t.text)));
        type = s->type;
    } else if (builtin == BuiltinName::External || builtin == BuiltinName::Constant) {
        type = nameIndex().valueTypes.value(t.text);
    } else if (builtin == BuiltinName::Function) {
        report(t, QStringLiteral("%1 is a builtin function: call it with ( )").arg(quoted(t.text)));
    } else if (builtin == BuiltinName::None && !m_undeclaredReported.contains(t.text)) {
        m_undeclaredReported.insert(t.text);
        report(t, t.text.startsWith(QLatin1StringView("CALL_"))
                      ? QStringLiteral("unknown callback %1%2")
                            .arg(quoted(t.text), hint(t.text, HintAmong::Callbacks))
                      : QStringLiteral("undeclared name %1%2")
                            .arg(quoted(t.text), hint(t.text, HintAmong::Values)));
    }
    if (use == Use::Ref && builtin == BuiltinName::External)
        report(t,
               QStringLiteral("%1 is a game variable: 'ref' is meant for the script's own variables")
                   .arg(quoted(t.text)),
               Severity::Warning);
    else if (use == Use::Ref && builtin != BuiltinName::None)
        report(t, QStringLiteral("'ref' needs a variable, and %1 is not one").arg(quoted(t.text)));
    return type;
}

QString Parser::member(const Token& owner, const Token& name, const QString& type)
{
    if (type.isEmpty() || !isKnown(type))
        return QString();
    const auto members = nameIndex().members.constFind(type);
    if (members == nameIndex().members.cend()) {
        report(
            name,
            QStringLiteral("%1 is of type %2, which has no members").arg(quoted(owner.text), spoken(type)));
        return QString();
    }
    const auto m = members->constFind(name.text);
    if (m != members->cend())
        return *m;
    NameSuggestion near(name.text);
    for (auto it = members->cbegin(); it != members->cend(); ++it)
        near.consider(it.key().text);
    report(name, QStringLiteral("%1 has no member %2%3").arg(type, quoted(name.text), near.hint()));
    return QString();
}

void Parser::requireValue(const Token& name, const Symbol* s, const QString& type)
{
    if (s && s->kind == SymbolKind::Event)
        report(name, QStringLiteral("event %1 gives no value: run it as a statement of its own, '%2();'")
                         .arg(quoted(name.text), name.text));
    else if (type == QLatin1StringView("VOID"))
        report(name, QStringLiteral("%1 is void and gives no value").arg(quoted(name.text)),
               s ? Severity::Error : Severity::Warning);
}

QString Parser::hint(QStringView wrong, HintAmong among)
{
    const QString key = QString::number(int(among)) + wrong;
    if (const auto known = m_hints.constFind(key); known != m_hints.cend())
        return *known;
    if (m_hintsLeft <= 0)
        return QString();
    --m_hintsLeft;
    return *m_hints.insert(key, closestName(wrong, among));
}

QString Parser::closestName(QStringView wrong, HintAmong among) const
{
    NameSuggestion near(wrong);
    auto considerKeys = [&near](const auto& hash) {
        for (auto it = hash.cbegin(); it != hash.cend(); ++it)
            near.consider(it.key().text);
    };
    const NameIndex& index = nameIndex();
    if (among == HintAmong::Callbacks) {
        considerKeys(index.callbacks);
        return near.hint();
    }
    const SymbolKind wanted = among == HintAmong::Functions  ? SymbolKind::Function
                              : among == HintAmong::Triggers ? SymbolKind::Trigger
                                                             : SymbolKind::Global;
    for (auto it = m_symbols.cbegin(); it != m_symbols.cend(); ++it) {
        if (it->kind == wanted)
            near.consider(it.key().text);
    }
    if (among == HintAmong::Functions) {
        considerKeys(index.functions);
    } else if (among == HintAmong::Values) {
        if (m_inBody)
            m_locals.forEachName([&near](QStringView name) { near.consider(name); });
        considerKeys(index.valueTypes);
    }
    return near.hint();
}

// call: FUNCTION '(' [ arg { ',' arg } ] ')'
QString Parser::call(const Token& name, const Symbol* s, Use use)
{
    const BuiltinFunction* builtin = s ? nullptr : nameIndex().functions.value(name.text);
    const bool anyScriptFunction = s && s->kind == SymbolKind::Function;
    const bool scriptFunction = anyScriptFunction && !s->brokenHead; // its parameters are known
    // `EVENT();` runs the event's code, as a void function.
    const bool event = s && s->kind == SymbolKind::Event;
    if (!builtin && !anyScriptFunction && !event) {
        if (s)
            report(name,
                   QStringLiteral("%1 is %2, not a function").arg(quoted(name.text), describe(s->kind)));
        else
            report(name, QStringLiteral("unknown function %1%2")
                             .arg(quoted(name.text), hint(name.text, HintAmong::Functions)));
    }
    DepthGuard guard(*this);
    expect(Tok::LParen, "'('");
    int count = 0;
    if (!peek().is(Tok::RParen)) {
        do {
            const BuiltinParam* param = nullptr;
            QString expected;
            if (builtin && count < builtin->params.size()) {
                param = &builtin->params.at(count);
                expected = param->type;
            } else if (scriptFunction && count < s->paramTypes.size()) {
                expected = s->paramTypes.at(count);
            }
            argument(name, param, expected, count, builtin ? QStringLiteral("builtin") : QString());
            ++count;
        } while (accept(Tok::Comma));
    }
    expect(Tok::RParen, "')' to close the call");
    if (event && count > 0 && use == Use::Statement)
        report(name, QStringLiteral("an event runs without arguments: write '%1();'").arg(name.text));
    const qsizetype expected = builtin ? builtin->params.size() : scriptFunction ? s->paramTypes.size() : -1;
    if (expected >= 0 && count != expected)
        report(name, QStringLiteral("%1 takes %2 argument%3, not %4")
                         .arg(quoted(name.text))
                         .arg(expected)
                         .arg(expected == 1 ? QString() : QStringLiteral("s"))
                         .arg(count));
    return builtin ? builtin->returnType : anyScriptFunction ? s->type : QString();
}

// arg: 'ref' VARIABLE | expression
void Parser::argument(const Token& callee, const BuiltinParam* param, const QString& expected, int index,
                      const QString& owner)
{
    const Token& first = peek();
    const bool byRef = first.is(Tok::Ref);
    QString type;
    if (byRef) {
        advance();
        if (!peek().is(Tok::Ident))
            fail(peek(), QStringLiteral("expected a variable after 'ref', found %1").arg(found(peek())));
        type = nameUse(Use::Ref).type;
    } else {
        type = expression();
    }
    // Built only for a finding: this runs for every argument of every call.
    auto position = [&] {
        return QStringLiteral("argument %1 of %2").arg(index + 1).arg(quoted(callee.text));
    };
    if (param && param->byRef && !byRef)
        report(first, QStringLiteral("%1 must be 'ref VARIABLE' of type %2: the game writes into it")
                          .arg(position(), spoken(param->type)));
    else if (byRef && ((param && !param->byRef) || (!param && owner.isEmpty())))
        report(first, QStringLiteral("%1 takes a value, not 'ref'").arg(position()));
    else if (const Fit result = fit(expected, type); result == Fit::AtRunTime)
        warnAtRunTime(first, position(), type);
    else if (result == Fit::No)
        report(first,
               QStringLiteral("%1 must be %2, not %3").arg(position(), spoken(expected), spoken(type)));
}

} // namespace parsing
} // namespace scriptlang
