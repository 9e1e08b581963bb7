// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/scriptparser.h"
#include "scriptlang/valuetypes.h"

namespace scriptlang {
namespace parsing {

// NAME: a new name, neither a word of the language nor a builtin, and not taken in its scope
const Token& Parser::declareName(SymbolKind kind, const char* what)
{
    const Token& t = peek();
    if (t.is(Tok::TypeName))
        fail(t, QStringLiteral("%1 is a type and cannot be a name").arg(quoted(t.text)));
    if (t.isKeyword())
        fail(t, QStringLiteral("%1 is a keyword and cannot be a name").arg(quoted(t.text)));
    if (!t.is(Tok::Ident))
        fail(t, QStringLiteral("expected %1, found %2").arg(QLatin1StringView(what), found(t)));
    const BuiltinName builtin = nameIndex().kind(t.text);
    advance();
    if (builtin != BuiltinName::None) {
        report(
            t,
            QStringLiteral("%1 is already %2: choose another name").arg(quoted(t.text), describe(builtin)));
    }
    if (kind == SymbolKind::Local) {
        const auto outer = m_symbols.constFind(t.text);
        if (m_locals.contains(t.text))
            report(t, QStringLiteral("%1 is already declared in this body").arg(quoted(t.text)));
        // A local or parameter may take a global variable's name, never a trigger's, an event's or
        // another function's (the game reads such a name as that declaration).
        else if (outer != m_symbols.cend() && outer->kind != SymbolKind::Global &&
                 NameKey(t.text) != NameKey(m_defining))
            report(t, QStringLiteral("%1 is already declared as %2 at line %3: only a global variable's name "
                                     "can be reused here")
                          .arg(quoted(t.text), describe(outer->kind))
                          .arg(outer->line));
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

// TYPE: int INT bool BOOL float FLOAT string STRING [void VOID] or a game type (DROID ...)
QString Parser::typeWord(bool allowVoid)
{
    const Token& t = peek();
    const QString type = t.is(Tok::TypeName) ? nameIndex().typeOfWord.value(t.text) : QString();
    if (type.isEmpty() || (!allowVoid && type == QLatin1StringView("VOID")))
        fail(t, QStringLiteral("expected a type (int, bool, DROID ...), found %1").arg(found(t)));
    advance();
    return type;
}

// script: { global_decl | trigger_decl | event_decl | function_decl }
void Parser::topLevel()
{
    const Token& t = peek();
    if (t.is(Tok::Public) || t.is(Tok::Private)) {
        advance();
        globalDeclaration(t.is(Tok::Public));
    } else if (t.is(Tok::Trigger)) {
        advance();
        triggerDeclaration();
    } else if (t.is(Tok::Event)) {
        advance();
        eventDeclaration();
    } else if (t.is(Tok::Function)) {
        advance();
        functionDeclaration();
    } else if (t.is(Tok::Local)) {
        fail(t, QStringLiteral("'local' declarations belong at the start of an event or function"));
    } else if (t.is(Tok::TypeName)) {
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

// global_decl: ('public' | 'private') (TYPE | 'trigger' | 'event') NAME [sizes] { ',' NAME [sizes] } ';'
void Parser::globalDeclaration(bool isPublic)
{
    const Token& head = peek();
    QString type;
    bool isValue = true;
    if (head.is(Tok::Trigger) || head.is(Tok::Event)) {
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

// ',' between the names of a declaration
bool Parser::acceptListComma()
{
    if (accept(Tok::Comma))
        return true;
    // `int a b;`: a name where ',' or ';' belongs is most likely the next of the list.
    const Token& next = peek();
    const bool listGoesOn = next.line == peek(-1).line || peek(1).is(Tok::Comma) ||
                            peek(1).is(Tok::Semicolon) || peek(1).is(Tok::LBracket);
    if (!next.is(Tok::Ident) || !listGoesOn)
        return false;
    reportAfter(peek(-1), QStringLiteral("missing ',' between the names"));
    return true;
}

// sizes: '[' INT ']' { '[' INT ']' }   (1 to 4 sizes, each 1 to 254)
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

// trigger_decl: 'trigger' NAME '(' trigger_cond ')' ';'
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

// trigger_cond: 'init' | 'wait' ',' INT | 'every' ',' INT | CALLBACK { ',' cb_arg }
//             | TRIGGER | 'inactive' | boolexp ',' INT   (the last two in an event's head only)
void Parser::triggerCondition(bool inEvent)
{
    const Token& t = peek();
    if (t.is(Tok::Init)) {
        advance();
        return;
    }
    if (t.is(Tok::Wait) || t.is(Tok::Every)) {
        advance();
        expect(Tok::Comma, "',' and the number of ticks");
        expression();
        return;
    }
    if (inEvent && t.is(Tok::Inactive)) {
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

// cb_arg: 'ref' VARIABLE | expression, as the callback's table row says
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

// event_decl: 'event' NAME ';' | 'event' NAME '(' trigger_cond ')' body
void Parser::eventDeclaration()
{
    const Token& name = declareName(SymbolKind::Event, "an event name");
    m_defining = name.text;
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

// function_decl: 'function' TYPE NAME '(' [ params ] ')' ( ';' | body )
void Parser::functionDeclaration()
{
    const Token& typeToken = peek();
    const QString returnType = typeWord(true);
    const Token& name = declareName(SymbolKind::Function, "a function name");
    m_defining = name.text;
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
    QString bodyType = returnType;
    bool returnOptional = false;
    if (declaredBefore && existing->brokenHead) {
        *existing = f; // this head is the one to go by
        existing->defined = false;
    } else if (declaredBefore) {
        matchDeclaration(*existing, f, name);
        // The game does not read a definition's type word: the declaration's type holds.
        if (existing->type != returnType) {
            report(typeToken,
                   QStringLiteral("function %1 is declared at line %2 to return %3: the game keeps that type")
                       .arg(quoted(name.text))
                       .arg(existing->line)
                       .arg(valuetypes::spoken(existing->type)),
                   Severity::Warning);
            bodyType = existing->type;
            returnOptional = returnType == QLatin1StringView("VOID");
        }
    }
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
    body(bodyType, true, returnOptional);
}

// A definition repeats its declaration's parameters: the same types (as types, so `STRING s` and
// `string s` agree) and the same names. A name of a global in a parameter's place the game takes:
// the declaration's names are the body's parameters.
void Parser::matchDeclaration(const Symbol& declared, const Symbol& defined, const Token& name)
{
    bool sameNames = declared.paramNames.size() == defined.paramNames.size();
    bool globalsInPlace = false;
    for (qsizetype i = 0; sameNames && i < declared.paramNames.size(); ++i) {
        if (NameKey(declared.paramNames.at(i)) == NameKey(defined.paramNames.at(i)))
            continue;
        const auto global = m_symbols.constFind(defined.paramNames.at(i));
        globalsInPlace = global != m_symbols.cend() && global->kind == SymbolKind::Global;
        sameNames = globalsInPlace;
    }
    if (declared.paramTypes != defined.paramTypes || !sameNames) {
        report(name, QStringLiteral("function %1 does not match its declaration at line %2")
                         .arg(quoted(name.text))
                         .arg(declared.line));
        return;
    }
    if (!globalsInPlace)
        return;
    m_locals.clear();
    for (qsizetype i = 0; i < declared.paramNames.size(); ++i)
        m_locals.insert(declared.paramNames.at(i),
                        Symbol{SymbolKind::Local, declared.paramTypes.at(i), 0, declared.line, true, {}, {}});
}

// params: TYPE NAME { ',' TYPE NAME }, then ')'
void Parser::functionParameters(Symbol& f)
{
    if (!peek().is(Tok::RParen)) {
        do {
            const QString type = typeWord(false);
            const Token& param = declareName(SymbolKind::Local, "a parameter name");
            f.paramTypes.append(type);
            f.paramNames.append(param.text);
            m_locals.insert(param.text, Symbol{SymbolKind::Local, type, 0, param.line, true, {}, {}});
        } while (accept(Tok::Comma));
    }
    expect(Tok::RParen, "')'");
}

} // namespace parsing
} // namespace scriptlang
