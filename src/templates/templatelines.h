// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <memory>

// The lines of droid templates in the game's text formats. A template is known by "ZEL_ID"
// followed by its number; N below is that number as decimal text and Q the quote text (one
// double-quote character, read from the windows' hidden box I).
//
// Each line is a small value that either gives its text or appends it to a text being built.
// The export loops write thousands of lines into 8-bit files, so the lines they use can also be
// appended as Latin-1 bytes, without going through a QString.

// Lines put together as Latin-1 bytes for the files the exports write; what Latin-1 cannot
// hold becomes '?'. The formats below append to it without a call per piece.
class Latin1Line {
public:
    Latin1Line();
    QByteArrayView bytes() const { return {m_bytes.get(), m_size}; }
    qsizetype size() const { return m_size; }
    // Keeps its room.
    void clear() { m_size = 0; }
    void reserve(qsizetype capacity);

    Latin1Line& operator+=(QLatin1StringView text);
    Latin1Line& operator+=(QStringView text);
    Latin1Line& operator+=(QChar c);

private:
    // Room for `more` bytes at the end, given back to be filled.
    char* extend(qsizetype more);

    static constexpr qsizetype kInitialCapacity = 256;
    std::unique_ptr<char[]> m_bytes;
    qsizetype m_capacity = kInitialCapacity;
    qsizetype m_size = 0;
};

// The decimal text of a number, made without allocating: template and array numbers are
// formatted for every line of an export.
class DecimalText {
public:
    explicit DecimalText(qint64 value);
    QStringView view() const { return {m_digits + m_first, kSize - m_first}; }

private:
    static constexpr int kSize = 20;
    char16_t m_digits[kSize];
    int m_first = kSize;
};

// One line of Templates.txt: twelve comma-separated fields, the template identifier, 102, the
// body, ZNULLBRAIN, ZNULLCONSTRUCT, ZNULLECM, 6, the propulsion, ZNULLREPAIR, DROID,
// NavGunSensor and 1.
struct TemplateRecord {
    QStringView number;
    QStringView body;
    QStringView propulsion;

    QString text() const;
    void appendTo(QString& out) const;
    void appendTo(Latin1Line& out) const;
};

// One line of AssignWeapons.txt: the template identifier, the weapon, 5.
struct WeaponAssignment {
    QStringView number;
    QStringView weapon;

    QString text() const;
    void appendTo(QString& out) const;
    void appendTo(Latin1Line& out) const;
};

// The name line of the manual selector: the identifier, six blanks, Q "TMPLNO" N Q.
struct ManualNameLine {
    QStringView number;
    QStringView quote;

    QString text() const;
};

// A template in the quoted text-template format (the third line of the generator's default
// text): eleven fields, "ZEL_ID"N, "ZEL_RANDOM_TEMPLATE"N, 1, 6, body, propulsion,
// "NavGunSensor", "", "", "{Wp}", weapon.
struct TextTemplateLine {
    QStringView number;
    QStringView body;
    QStringView propulsion;
    QStringView weapon;
    QStringView quote;

    QString text() const;
    void appendTo(QString& out) const;
    void appendTo(Latin1Line& out) const;
};

// A VLO array declaration of one component: WPN[i]    WEAPON    "id" and its BODY and
// PROPULSION siblings.
struct ComponentLine {
    enum class Kind { Weapon, Body, Propulsion };
    Kind kind;
    int index;
    QStringView identifier;
    QStringView quote;

    QString text() const;
};

// One line of Names.txt: the template identifier, then blanks up to the next print zone, then
// the display name. Print zones are 14 columns wide and start at columns 1, 15, 29 ...; the
// name never touches the identifier, so an identifier of exactly 14 characters is followed by
// a whole zone of blanks.
struct TemplateNameLine {
    static constexpr int kZoneWidth = 14;

    QStringView number;
    QStringView displayName;

    // Blanks between an identifier of this length and the display name.
    static int gapAfter(qsizetype identifierLength);
    QString text() const;
    void appendTo(QString& out) const;
    void appendTo(Latin1Line& out) const;
};

// The display name that carries the template number: Q "TMPLNO" N Q.
QString numberedDisplayName(QStringView number, QStringView quote);
void appendNumberedDisplayName(QString& out, QStringView number, QStringView quote);

// One line of X.vlo, an entry of a TEMPLATE array whose value is the quoted identifier:
// "tmpl" arrayName "[" index "]  TEMPLATE    " Q "ZEL_ID" N Q. The whole set goes into one
// array (arrayName empty, index N) or into numbered divisions (arrayName "0", "1", ...).
struct VloTemplateEntry {
    QStringView arrayName;
    QStringView index;
    QStringView number;
    QStringView quote;

    QString text() const;
    void appendTo(QString& out) const;
    void appendTo(Latin1Line& out) const;
};
