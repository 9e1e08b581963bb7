// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one pass over a script's tokens that fills a SymbolIndex; used by symbolindex.cpp,
// indexbuilder.cpp and indexgaps.cpp only.

#include "scriptlang/lexer.h"
#include "scriptlang/symbolindex.h"

#include <QHash>
#include <QSet>

namespace scriptlang {

namespace indexing {

// A token with its offset in the script. `own` is false for a token that came from a #define
// body: the lexer gives it the place where the macro's name was used.
struct Tk {
    Tok kind = Tok::End;
    QStringView text;
    int offset = 0;
    int length = 0;
    int line = 1;
    int column = 1;
    bool own = true;
};

// Keywords by their text, whichever token kind the lexer gives them.
template <qsizetype N> bool isWord(const Tk& t, const char (&word)[N])
{
    return t.text.size() == N - 1 && t.kind != Tok::String && t.text == QLatin1StringView(word, N - 1);
}

bool startsTopLevel(const Tk& t);
// The type a type word names (int, INT, DROID ...); empty for any other token.
QString typeOf(const Tk& t);
// A name the script may declare or use, written where it stands: the lexer gives the
// language's own words kinds of their own.
inline bool isName(const Tk& t)
{
    return t.kind == Tok::Ident && t.own;
}
ScriptSymbol ofKind(NameKind kind);

} // namespace indexing

class IndexBuilder {
public:
    explicit IndexBuilder(SymbolIndex& index) : m(index) {}

    void run(VloForm form);

private:
    struct PendingUse {
        QStringView name;
        TextRange range;
        int scope;
    };

    static TextRange rangeOf(const indexing::Tk& t)
    {
        return TextRange{t.offset, t.length, t.line, t.column};
    }
    TextRange rangeAt(int offset, int length) const { return m.m_sloLines.range(offset, length); }

    // ---- tokens, and what lies between them ----

    void readTokens();

    // The lexer's token with its offset, and whether it stands where it was written.
    indexing::Tk tokenAt(qsizetype i) const;

    // Between two tokens lie blanks, comments, # lines and the names of #define macros in use
    // (the lexer has put their bodies in their place).
    void scanGap(int from, int to);

    int lineEnd(int from, int to) const;

    void directive(int hash, int end);

    // Names in a #define body: other macros, and the script's names as seen from the top level.
    void macroBodyUses(int from, int to);

    void macroUse(QStringView name, int offset);

    // ---- symbols and occurrences ----

    int addSymbol(ScriptSymbol symbol, const TextRange& range, OccurrenceRole role);

    void addOccurrence(int symbol, OccurrenceRole role, const TextRange& range);

    // A script-wide name: a second declaration of a known one is one more place of it.
    int declareScriptWide(const indexing::Tk& name, ScriptSymbol symbol, OccurrenceRole role);

    int declareInScope(const indexing::Tk& name, ScriptSymbol symbol, int scope);

    int openScope(int owner, int start);

    void closeScope(int end);

    // ---- reading ----

    indexing::Tk peek(int ahead = 0) const { return tokenAt(m_pos + ahead); }

    bool accept(Tok kind);

    // The name at the reading place, unless it is a member after '.'.
    void use(int scope);

    // Where the token at the reading place starts; the end of the text after the last.
    int here() const { return peek().kind == Tok::End ? int(m.m_slo.size()) : peek().offset; }

    void topLevel();

    // `TYPE a, b[4][TECHS], c;` after public, private or local.
    void variables(NameKind kind, bool isPublic, int scope);

    QString arraySuffix(int scope);

    // `( CONDITION )` of a trigger or event: its names are uses; returns the text between.
    QString condition();

    void trigger();

    void event();

    // The head of an event or function with a body: its declaration when it is the first.
    int defineScriptWide(const indexing::Tk& name, NameKind kind);

    void function();

    // A parameter name: one of the prototype's when the definition repeats it in its place.
    int parameterOf(int prototype, int position, int scope);

    void bodyToken();

    // ---- after the pass ----

    void resolveUses();

    void bindVlo(VloForm form);

    void finish();

    SymbolIndex& m;
    struct Place {
        int offset;
        bool own;
    };
    QList<Token> m_tokens;
    QList<Place> m_places; // of each token
    qsizetype m_pos = 0;
    int m_scope = -1; // the body being read
    int m_depth = 0;  // its braces
    QHash<NameKey, int> m_macros;
    QList<PendingUse> m_pending;
    QSet<int> m_definedFunctions;
    QHash<int, int> m_position; // parameter -> its place in the head
};

} // namespace scriptlang
