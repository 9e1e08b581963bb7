// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringView>

// Colouring classes of the game's script language (SLO) and of its variable files (VLO), line
// by line. A line is classified from the state at its start: inside a /* */ comment or not.
namespace codeview {

enum class Language { Script, Variables };

enum class TokenClass { Comment, String, Number, Keyword, TypeWord, Function, Callback, Constant, Define };

struct TokenSpan {
    int start = 0;
    int length = 0;
    TokenClass kind = TokenClass::Comment;
    friend bool operator==(const TokenSpan&, const TokenSpan&) = default;
};

struct LineTokens {
    QList<TokenSpan> spans; // in order, not overlapping; plain text has no span
    bool endsInComment = false;
};

LineTokens classifyLine(QStringView line, bool startsInComment, Language language);

// The comment state at the end of a line alone, without classifying words: what a scan of a
// whole script needs to know where its /* */ comments run.
bool endsInComment(QStringView line, bool startsInComment, Language language);

// The line with its comments and strings blanked out, so that brackets in them do not pair
// with brackets of the code.
QString codeOnly(QStringView line, bool startsInComment, Language language);

} // namespace codeview
