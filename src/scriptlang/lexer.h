// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/finding.h"
#include "scriptlang/namekey.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

namespace scriptlang {

enum class Tok : quint8 {
    End,
    Ident, // names and keywords alike
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
    AndAnd,
    OrOr,
    Bang,
    CastInt,
    CastFloat,
    Stray, // a character of no token, already reported: the parser stops at it without a word
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
    bool isWord(QLatin1StringView word) const { return kind == Tok::Ident && sameText(text, word); }

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
constexpr int kMaxMacroNameLength = 32;
constexpr int kMaxMacros = 150;
constexpr int kMaxMacroNesting = 10;

// Splits a script into tokens the way the game's lexer does (longest match, so `x-1` gives `x`
// and `-1`), with #define names replaced by their bodies. Lexical mistakes go to `findings`.
class Lexer {
public:
    Lexer(const QString& source, Findings& findings);

    // Every token of the script, ending with one End token.
    QList<Token> tokenize();

    // One plain pass without macros or findings kept: the count of tokens (for timing).
    static int countTokens(const QString& source);

    bool usesMacros() const { return !m_macros.isEmpty(); }

private:
    struct Macro {
        QList<Token> body;
        int line = 0;
    };

    void scan(qsizetype from, qsizetype to, QList<Token>& out, bool expand);
    void directive(qsizetype& pos, qsizetype to);
    void expandMacro(const Macro& macro, const Token& use, QList<Token>& out, int depth);
    void report(int line, int column, int length, const QString& message,
                Severity severity = Severity::Error);
    int columnAt(qsizetype pos) const { return int(pos - m_lineStart) + 1; }

    const QString& m_source;
    const QChar* m_data;
    Findings& m_findings;
    QHash<NameKey, Macro> m_macros;
    int m_line = 1;
    qsizetype m_lineStart = 0;
};

} // namespace scriptlang
