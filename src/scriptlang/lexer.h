// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/finding.h"
#include "scriptlang/namekey.h"
#include "scriptlang/textscan.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

namespace scriptlang {

enum class Tok : quint8 {
    End,
    Ident, // a name that is no word of the language
    Int,
    Float,
    String,
    LParen,
    RParen,
    LBrace,
    RBrace,
    LBracket,
    RBracket,
    Comma,
    Semicolon,
    Dot,
    Assign,
    Plus,
    Minus,
    Star,
    Slash,
    Amp,
    Eq,
    Ne,
    Ge,
    Le,
    Gt,
    Lt,
    Inc,
    Dec,
    AndAnd, // && and, AND
    OrOr,   // || or, OR
    Bang,   // ! not, NOT
    CastInt,
    CastFloat,
    Stray, // characters of no token, already reported: the parser stops at them without a word
    // The language's own words, lower case only.
    Wait,
    Every,
    Trigger,
    Event,
    Inactive,
    Init,
    Link,
    Ref,
    Return,
    Function,
    Public,
    Private,
    Local,
    While,
    If,
    Else,
    Exit,
    Pause,
    True,     // true TRUE
    False,    // false FALSE
    TypeName, // int INT, bool BOOL ... and the game's types (DROID, STRUCTURESTAT ...)
};

// A token of the script. A token that came from a #define body carries the place where the
// macro's name was used. `text` points into the script or into a macro body kept by the lexer.
struct Token {
    Tok kind = Tok::End;
    QStringView text;
    int line = 1;
    int column = 1;
    int length = 0;

    bool is(Tok k) const { return kind == k; }
    // A name or a word of the language spelt exactly `word`.
    bool isWord(QLatin1StringView word) const { return kind != Tok::Stray && sameText(text, word); }
    // One of the language's own words (if, event, and, int, DROID, true ...), not a name.
    bool isKeyword() const
    {
        return kind >= Tok::Wait || ((kind == Tok::AndAnd || kind == Tok::OrOr || kind == Tok::Bang) &&
                                     !text.isEmpty() && text.front().isLetter());
    }

    // Inline, as the parser compares words at nearly every token.
    static bool sameText(QStringView a, QLatin1StringView b)
    {
        if (a.size() != b.size())
            return false;
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (a[i].unicode() != char16_t(uchar(b[i].toLatin1())))
                return false;
        }
        return true;
    }
};

// The longest names the game's lexer keeps.
constexpr int kMaxNameLength = 255;
constexpr int kMaxStringLength = 255;
// The game keeps this many characters of a #define name; a longer name is cut.
constexpr int kMaxMacroNameLength = 31;
constexpr int kMaxMacros = 150;
constexpr int kMaxMacroNesting = 10;

// Splits a script into tokens the way the game's lexer does (longest match, so `x-1` gives `x`
// and `-1`), with #define names replaced by their bodies. Lexical mistakes go to `findings`; past
// kMaxErrors errors the lexer stops, the tokens ending there.
class Lexer {
public:
    Lexer(const QString& source, Findings& findings);

    // Every token of the script, ending with one End token.
    QList<Token> tokenize();

    // One plain pass without macros or findings kept: the count of tokens (for timing).
    static int countTokens(const QString& source);

    // The kind of a word: a word of the language, a type name, or Ident.
    static Tok wordKind(QStringView word);

    bool usesMacros() const { return !m_macros.isEmpty(); }
    // The name of each #define line that defines one, in the order of the text.
    const QList<Token>& defineNames() const { return m_defineNames; }

private:
    struct Macro {
        QList<Token> body;
        int line = 0;
    };

    void scan(QList<Token>& out, bool expand);
    void scanWord(QList<Token>& out, bool expand);
    void scanNumber(QList<Token>& out);
    void scanString(QList<Token>& out);
    void scanComment();
    void scanOperator(QList<Token>& out);
    void scanStray(QList<Token>& out);
    void scanDirective();
    void define(QStringView name, qsizetype bodyStart, qsizetype lineEnd);
    void expandMacro(const Macro& macro, const Token& use, QList<Token>& out, int depth);

    bool startsNumber(qsizetype pos) const;
    bool startsToken(qsizetype pos) const;
    void push(QList<Token>& out, Tok kind, qsizetype start)
    {
        out.append(Token{kind, QStringView(m_data + start, m_at.pos - start), m_at.line, m_at.columnAt(start),
                         int(m_at.pos - start)});
    }
    void report(int line, int column, int length, const QString& message,
                Severity severity = Severity::Error);

    const QString& m_source;
    const QChar* m_data;
    FindingLog m_log;
    QHash<NameKey, Macro> m_macros;
    QList<Token> m_defineNames;
    int m_defineLines = 0;
    TextPlace m_at;
    qsizetype m_end = 0; // where the text being scanned ends: the script's end or a #define's line end
};

} // namespace scriptlang
