// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/scripttokens.h"

#include "scriptlang/builtins.h"

#include <QHash>
#include <QString>

namespace codeview {

namespace {

using WordClasses = QHash<QString, TokenClass>;

void addAll(WordClasses& words, const QStringList& names, TokenClass kind)
{
    for (const QString& name : names)
        words.insert(name, kind);
}

// Later entries win: a name that is both a type and a constant colours as a type.
WordClasses scriptWords()
{
    const scriptlang::Builtins& b = scriptlang::builtins();
    WordClasses words;
    for (auto it = b.constants.cbegin(); it != b.constants.cend(); ++it)
        words.insert(it.key(), TokenClass::Constant);
    addAll(words,
           {QStringLiteral("true"), QStringLiteral("TRUE"), QStringLiteral("false"), QStringLiteral("FALSE")},
           TokenClass::Constant);
    for (auto it = b.functions.cbegin(); it != b.functions.cend(); ++it)
        words.insert(it.key(), TokenClass::Function);
    for (auto it = b.callbacks.cbegin(); it != b.callbacks.cend(); ++it)
        words.insert(it.key(), TokenClass::Callback);
    for (const scriptlang::BuiltinType& type : b.types)
        addAll(words, type.scriptWords, TokenClass::TypeWord);
    addAll(words, QStringLiteral("void VOID string STRING bool BOOL int INT float FLOAT").split(u' '),
           TokenClass::TypeWord);
    addAll(
        words,
        QStringLiteral("wait every trigger event inactive init link ref return function public private local "
                       "while if else exit pause and AND or OR not NOT")
            .split(u' '),
        TokenClass::Keyword);
    return words;
}

WordClasses variableWords()
{
    WordClasses words;
    for (const scriptlang::BuiltinType& type : scriptlang::builtins().types)
        addAll(words, type.vloWords, TokenClass::TypeWord);
    addAll(words, QStringLiteral("int INT bool BOOL").split(u' '), TokenClass::TypeWord);
    addAll(words,
           {QStringLiteral("true"), QStringLiteral("TRUE"), QStringLiteral("false"), QStringLiteral("FALSE")},
           TokenClass::Constant);
    addAll(words, QStringLiteral("script run store").split(u' '), TokenClass::Keyword);
    return words;
}

const WordClasses& wordsOf(Language language)
{
    static const WordClasses script = scriptWords();
    static const WordClasses variables = variableWords();
    return language == Language::Script ? script : variables;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Words of a script may start with '_'; words of a variable file may hold '-'.
bool startsWord(QChar c, Language language)
{
    return isLetter(c) || (language == Language::Script && c == u'_');
}

bool continuesWord(QChar c, Language language)
{
    return isLetter(c) || isDigit(c) || c == u'_' || (language == Language::Variables && c == u'-');
}

// The index just after the "*/" that closes a comment searched from `from`, or -1.
qsizetype commentEnd(QStringView line, qsizetype from)
{
    const qsizetype close = line.indexOf(u"*/", from);
    return close < 0 ? -1 : close + 2;
}

// The end of a number starting at `i` (digits with an optional leading '-' and one fraction),
// or `i` when none starts there.
qsizetype numberEnd(QStringView line, qsizetype i, Language language)
{
    qsizetype j = i;
    if (j < line.size() && line[j] == u'-')
        ++j;
    const qsizetype digits = j;
    while (j < line.size() && isDigit(line[j]))
        ++j;
    bool any = j > digits;
    if (language == Language::Script && j + 1 < line.size() && line[j] == u'.' && isDigit(line[j + 1])) {
        j += 2;
        while (j < line.size() && isDigit(line[j]))
            ++j;
        any = true;
    }
    return any ? j : i;
}

} // namespace

LineTokens classifyLine(QStringView line, bool startsInComment, Language language)
{
    LineTokens out;
    const qsizetype size = line.size();
    auto add = [&](qsizetype start, qsizetype end, TokenClass kind) {
        if (end > start)
            out.spans.append({static_cast<int>(start), static_cast<int>(end - start), kind});
    };
    qsizetype i = 0;
    if (startsInComment) {
        const qsizetype end = commentEnd(line, 0);
        if (end < 0) {
            add(0, size, TokenClass::Comment);
            out.endsInComment = true;
            return out;
        }
        add(0, end, TokenClass::Comment);
        i = end;
    }
    if (language == Language::Script && i == 0) {
        // A preprocessor line (#define, #include ...) runs to its end; the game reads its body raw.
        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(u'#')) {
            add(line.indexOf(u'#'), size, TokenClass::Define);
            return out;
        }
    }
    const WordClasses& words = wordsOf(language);
    while (i < size) {
        const QChar c = line[i];
        if (c == u'/' && i + 1 < size && line[i + 1] == u'/') {
            add(i, size, TokenClass::Comment);
            return out;
        }
        if (c == u'/' && i + 1 < size && line[i + 1] == u'*') {
            const qsizetype end = commentEnd(line, i + 2);
            if (end < 0) {
                add(i, size, TokenClass::Comment);
                out.endsInComment = true;
                return out;
            }
            add(i, end, TokenClass::Comment);
            i = end;
            continue;
        }
        if (c == u'"') {
            // A string closes on its own line or stops at the line's end.
            const qsizetype close = line.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? size : close + 1;
            add(i, end, TokenClass::String);
            i = end;
            continue;
        }
        if (startsWord(c, language)) {
            qsizetype end = i + 1;
            while (end < size && continuesWord(line[end], language))
                ++end;
            const auto found = words.constFind(line.mid(i, end - i).toString());
            if (found != words.constEnd())
                add(i, end, *found);
            else if (language == Language::Script && line.mid(i, end - i).startsWith(u"CALL_"))
                add(i, end, TokenClass::Callback);
            i = end;
            continue;
        }
        if (isDigit(c) || c == u'-' || c == u'.') {
            const qsizetype end = numberEnd(line, i, language);
            if (end > i) {
                add(i, end, TokenClass::Number);
                i = end;
                continue;
            }
        }
        ++i;
    }
    return out;
}

QString codeOnly(QStringView line, bool startsInComment, Language language)
{
    QString code = line.toString();
    for (const TokenSpan& span : classifyLine(line, startsInComment, language).spans) {
        if (span.kind == TokenClass::Comment || span.kind == TokenClass::String ||
            span.kind == TokenClass::Define)
            code.replace(span.start, span.length, QString(span.length, u' '));
    }
    return code;
}

bool endsInComment(QStringView line, bool startsInComment, Language language)
{
    const qsizetype size = line.size();
    qsizetype i = 0;
    if (startsInComment) {
        i = commentEnd(line, 0);
        if (i < 0)
            return true;
    } else if (language == Language::Script && line.trimmed().startsWith(u'#')) {
        return false;
    }
    // Only the three characters that can start a comment or a string matter here.
    while (i < size) {
        const QChar c = line[i];
        if (c == u'"') {
            const qsizetype close = line.indexOf(u'"', i + 1);
            if (close < 0)
                return false;
            i = close + 1;
        } else if (c == u'/' && i + 1 < size) {
            if (line[i + 1] == u'/')
                return false;
            if (line[i + 1] == u'*') {
                i = commentEnd(line, i + 2);
                if (i < 0)
                    return true;
            } else {
                ++i;
            }
        } else {
            ++i;
        }
    }
    return false;
}

} // namespace codeview
