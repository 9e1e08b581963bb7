// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The script parser's shared parts; used by sloparser.cpp and scriptstatements.cpp only.

#include "scriptlang/builtins.h"
#include "scriptlang/lexer.h"
#include "scriptlang/names.h"
#include "scriptlang/sloparser.h"

#include <QSet>

namespace scriptlang {

namespace parsing {

// Thrown on a syntax error; caught where reading can start again.
struct SyntaxError {};
// Thrown when the findings reach the error limit: reading ends.
struct TooManyErrors {};

enum class SymbolKind { Global, Trigger, Event, Function, Local };

struct Symbol {
    SymbolKind kind = SymbolKind::Global;
    QString type;
    int dimensions = 0;
    int line = 0;
    bool defined = true;       // events and functions: has a body
    QList<QString> paramTypes; // type names: `STRING s` and `string s` are one type
    QList<QStringView> paramNames;
    bool brokenHead = false; // a function whose parameters could not be read: calls go unchecked
};

inline QString quoted(QStringView text)
{
    return QLatin1Char('\'') + text.toString() + QLatin1Char('\'');
}

inline QString describe(SymbolKind kind)
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

inline bool isSignedLiteral(const Token& t)
{
    return (t.kind == Tok::Int || t.kind == Tok::Float) && t.text.startsWith(QLatin1Char('-'));
}

// The parameters and locals of one body: a few names, searched in order.
class LocalScope {
public:
    const Symbol* find(QStringView name) const
    {
        for (const auto& [key, symbol] : m_entries) {
            if (NameKey(key) == NameKey(name))
                return &symbol;
        }
        return nullptr;
    }
    bool contains(QStringView name) const { return find(name) != nullptr; }
    void insert(QStringView name, const Symbol& symbol) { m_entries.append({name, symbol}); }
    template <class Visit> void forEachName(Visit visit) const
    {
        for (const auto& entry : m_entries)
            visit(entry.first);
    }
    void clear() { m_entries.clear(); }

private:
    QList<std::pair<QStringView, Symbol>> m_entries;
};

class Parser {
public:
    Parser(const QList<Token>& tokens, bool usesMacros, Findings& findings)
        : m_tokens(tokens), m_findings(findings), m_log(findings, TextKind::Slo), m_laterLanguage(usesMacros)
    {
        for (const Token& t : tokens) {
            if (t.is(Tok::Function) || t.is(Tok::Local)) {
                m_laterLanguage = true;
                break;
            }
        }
    }

    ScriptModel run();
    // The names of the #define lines: the game refuses one that names what the script declared
    // above it.
    void setDefineNames(const QList<Token>& names) { m_defineNames = names; }

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

    void report(int line, int column, int length, const QString& message, Severity s = Severity::Error)
    {
        // One mistake, one error: a second at the same place (an unclosed block is also an
        // unclosed body) would only repeat it.
        if (s == Severity::Error && !m_findings.isEmpty()) {
            const Finding& last = m_findings.constLast();
            if (last.severity == Severity::Error && last.text == TextKind::Slo && last.line == line &&
                last.column == column)
                return;
        }
        if (!m_log.add(s, line, column, length, message))
            throw TooManyErrors{};
    }
    void report(const Token& t, const QString& message, Severity s = Severity::Error)
    {
        if (!t.is(Tok::Stray)) // the lexer has said what is wrong with it
            report(t.line, t.column, t.length, message, s);
    }
    // Where something lost after `t` belonged: just past its last character.
    void reportAfter(const Token& t, const QString& message)
    {
        report(t.line, t.column + t.length, 1, message);
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
    // The ';' that ends a statement or declaration. One missing at the end of a line is reported
    // just after the line's last token, and reading goes on as if it were there: the next line
    // most likely starts a statement of its own, with mistakes of its own.
    void expectSemicolon(const char* what)
    {
        if (accept(Tok::Semicolon))
            return;
        const Token& next = peek();
        if (m_pos > 0 && next.line > peek(-1).line) {
            reportAfter(peek(-1), QStringLiteral("missing %1").arg(QLatin1StringView(what)));
            return;
        }
        fail(next, QStringLiteral("expected %1, found %2").arg(QLatin1StringView(what), found(next)));
    }

    struct DepthGuard {
        Parser& p;
        explicit DepthGuard(Parser& parser) : p(parser)
        {
            if (++p.m_depth > kMaxNesting) {
                // The game reads deeper; this checker does not, and says so.
                --p.m_depth;
                p.report(p.peek(),
                         QStringLiteral("nesting deeper than %1 levels: the checker reads no deeper here")
                             .arg(kMaxNesting),
                         Severity::Warning);
                throw SyntaxError{};
            }
        }
        ~DepthGuard() { --p.m_depth; }
    };

    // Skips to the end of the broken statement: after its ';', before a '}' that closes the
    // block, or past a block that belongs to it.
    void syncStatement();
    void skipBlock();
    void skipElseChain();
    static bool startsTopLevel(const Token& t)
    {
        return t.is(Tok::Event) || t.is(Tok::Function) || t.is(Tok::Trigger) || t.is(Tok::Public) ||
               t.is(Tok::Private);
    }
    void syncTopLevel();

    // ---- names ----
    const Symbol* symbol(QStringView name) const
    {
        if (m_inBody) {
            if (const Symbol* local = m_locals.find(name))
                return local;
        }
        const auto it = m_symbols.constFind(name);
        return it == m_symbols.cend() ? nullptr : &*it;
    }

    // A new name: not a word of the language nor a builtin, and not taken in its scope.
    const Token& declareName(SymbolKind kind, const char* what);

    QString typeWord(bool allowVoid);

    // ---- top level ----
    void topLevel();

    void globalDeclaration(bool isPublic);

    QList<int> arraySizes();
    // The ',' between declared names; a name in its place is reported and read as the next one.
    bool acceptListComma();

    void triggerDeclaration();

    // What fires a trigger or an event: init, wait/every with ticks, a callback, a trigger
    // name, inactive, or a condition with its interval.
    void triggerCondition(bool inEvent);

    void callbackArguments(const Token& name, const BuiltinCallback& callback);

    void eventDeclaration();

    void functionDeclaration();
    // `TYPE name, ...)` after the '(' of a function's head, into `f` and the locals.
    void functionParameters(Symbol& f);
    void matchDeclaration(const Symbol& declared, const Symbol& defined, const Token& name);

    // The body of an event (returnType empty) or a function. A function defined `void` after a
    // declaration of another type keeps that type but needs no 'return' (`returnOptional`).
    void body(const QString& returnType, bool keepLocals = false, bool returnOptional = false);

    void guardedStatement();

    void block();

    // ---- statements ----
    void statement();
    // Words of other languages at the start of a statement: false when `t` is none.
    bool foreignStatement(const Token& t);
    void skipParentheses();
    void ifStatement();
    void whileStatement();
    void returnStatement();

    // `( EXPRESSION )`; returns the value's type.
    QString condition();
    // The condition of if and while: true or false.
    void booleanCondition();
    // Reports a condition, starting at `start`, whose value is known not to be true or false.
    void requireBool(const Token& start, const QString& type);

    void assignment();

    // ---- expressions: each returns the value's type, empty when it is not known ----
    QString expression();
    // The operators that bind at least as tightly as `level` (1 and/or ... 5 * /).
    QString binary(int level);
    // The type of `left OP right`, reporting operands that do not suit the operator.
    QString combine(const Token& op, const QString& left, const QString& right);
    QString unary();
    // not/! and its operand.
    QString negation(const Token& op);
    // Reports, at `at`, a value of type `actual` where `what` needs `expected`.
    void requireFit(const Token& at, const QString& expected, const QString& actual, const QString& what);
    // A game value where a string is wanted: the game converts it only when the script runs.
    void warnAtRunTime(const Token& at, const QString& what, const QString& actual);

    // How a name is used: in an expression, at the start of a statement, or after 'ref'.
    enum class Use { Value, Statement, Ref };
    struct NameUse {
        QString type;                  // of its value; empty when not known
        bool endsWithCall = false;     // a call without a member after it
        const Token* member = nullptr; // the last member after '.'
    };
    // A name in code: a call, or a variable with indexes, either with members after it.
    NameUse nameUse(Use use);
    QString variable(const Token& t, const Symbol* s, BuiltinName builtin, Use use);
    // The type of the member after '.' of a value of type `type`; empty, reported, when it has none.
    QString member(const Token& owner, const Token& member, const QString& type);
    // Reports a call whose value is used but that gives none: an event or a void function.
    void requireValue(const Token& name, const Symbol* s, const QString& type);
    // Reports an assignment to what the script cannot set.
    void requireSettable(const Token& target, const NameUse& use);

    QString call(const Token& name, const Symbol* s, Use use);

    // ": did you mean 'x'?" for a name the script does not know, among the variables and values
    // in scope, the callbacks, the functions or the triggers; empty when none is close or the budget is
    // spent.
    enum class HintAmong { Values, Callbacks, Functions, Triggers };
    QString hint(QStringView wrong, HintAmong among);
    QString closestName(QStringView wrong, HintAmong among) const;

    // One argument of a call or callback; `param` is null when its kind is not known, `expected`
    // is the type it needs (empty: any).
    void argument(const Token& callee, const BuiltinParam* param, const QString& expected, int index,
                  const QString& owner);

    const QList<Token>& m_tokens;
    Findings& m_findings;
    FindingLog m_log;
    qsizetype m_pos = 0;
    int m_depth = 0;
    bool m_inBody = false;
    bool m_laterLanguage = false; // the script uses the 2.1 language (functions, locals, #define)
    QString m_returnType;         // empty inside an event
    bool m_returnOptional = false;
    QHash<NameKey, Symbol> m_symbols;
    LocalScope m_locals;
    QHash<NameKey, int> m_eventColumns;
    QList<Token> m_defineNames;
    QStringView m_defining; // the event or function whose head or body is being read
    // Each new hint scans the game's names: a garbled text gets no more than these. A name
    // misspelt again gets its hint again; the body's locals change them, so a body starts afresh.
    int m_hintsLeft = 32;
    // Undeclared names reported in this body: like C compilers, once each.
    QSet<QStringView> m_undeclaredReported;
    QHash<QString, QString> m_hints;
    ScriptModel m_model;
};

} // namespace parsing
} // namespace scriptlang
