// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QStringMatcher>
#include <QStringView>
#include <optional>

// Find and replace in a text: a plain text or a regular expression, with or without regard to
// letter case, anywhere or as a whole word. Positions are indexes into the text searched.
namespace textreplace {

struct Options {
    bool matchCase = false;
    bool wholeWord = false;
    bool regularExpression = false;
};

struct Match {
    qsizetype start = 0;
    qsizetype length = 0;
    QStringList captures; // a regular expression's groups, the whole match first
};

class Pattern {
public:
    Pattern() = default;
    Pattern(const QString& find, const Options& options);

    bool isEmpty() const { return m_find.isEmpty(); }
    // What is wrong with a regular expression, "missing closing parenthesis at character 4";
    // empty when the pattern can be searched for.
    const QString& error() const { return m_error; }
    bool isUsable() const { return !isEmpty() && m_error.isEmpty(); }
    // A regular expression, or a find text holding a line break, is searched in a text whose line
    // breaks are single line feeds; a plain text anywhere.
    bool needsLineFeeds() const { return m_regex.has_value(); }

    // The matches that begin in [from, to) (`to` -1: the end), in order. An empty match of a
    // regular expression counts once per position.
    QList<Match> findAll(QStringView text, qsizetype from = 0, qsizetype to = -1) const;
    qsizetype count(QStringView text) const;
    // The first match that begins at `from` or later.
    std::optional<Match> findNext(QStringView text, qsizetype from) const;
    // The last match that begins before `before`.
    std::optional<Match> findPrevious(QStringView text, qsizetype before) const;

    // What replaces the match: the replace text itself, or for a regular expression with \0 to \9
    // standing for the match and its groups, \n for a line break, \t for a tab and \\ for a
    // backslash.
    QString replacement(const Match& match, const QString& replaceText) const;

private:
    bool isWordAt(QStringView text, qsizetype start, qsizetype length) const;
    std::optional<Match> plainFrom(QStringView text, qsizetype from, qsizetype to) const;
    std::optional<Match> regexFrom(QStringView text, qsizetype from, qsizetype to) const;

    QString m_find;
    Options m_options;
    QString m_error;
    QStringMatcher m_matcher;
    std::optional<QRegularExpression> m_regex;
};

// Letters, digits and '_' make the names of the game's script language.
bool isWordCharacter(QChar c);

} // namespace textreplace
