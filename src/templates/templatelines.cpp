// SPDX-License-Identifier: GPL-3.0-or-later
#include "templates/templatelines.h"

#include <algorithm>
#include <cstring>

namespace {

using L1 = QLatin1StringView;

const L1 kIdPrefix("ZEL_ID");
// A whole print zone of blanks, the widest gap a name line needs.
const L1 kZoneOfBlanks("              ");
static_assert(sizeof("              ") - 1 == TemplateNameLine::kZoneWidth);

QString build(const auto& line)
{
    QString out;
    line.appendTo(out);
    return out;
}

// Each format is written once, for any text being built that takes Latin-1 literals and
// UTF-16 fields: a QString or a Latin1Line.

template <typename Out> void write(Out& out, const TemplateRecord& r)
{
    out += kIdPrefix;
    out += r.number;
    out += L1(",102,");
    out += r.body;
    out += L1(",ZNULLBRAIN,ZNULLCONSTRUCT,ZNULLECM,6,");
    out += r.propulsion;
    out += L1(",ZNULLREPAIR,DROID,NavGunSensor,1");
}

template <typename Out> void write(Out& out, const WeaponAssignment& a)
{
    out += kIdPrefix;
    out += a.number;
    out += QChar(u',');
    out += a.weapon;
    out += L1(",5");
}

template <typename Out> void quoted(Out& out, QStringView quote, auto text)
{
    out += quote;
    out += text;
    out += quote;
}

template <typename Out> void write(Out& out, const TextTemplateLine& t)
{
    out += t.quote;
    out += kIdPrefix;
    out += t.number;
    out += t.quote;
    out += QChar(u',');
    out += t.quote;
    out += L1("ZEL_RANDOM_TEMPLATE");
    out += t.number;
    out += t.quote;
    out += L1(",1,6,");
    quoted(out, t.quote, t.body);
    out += QChar(u',');
    quoted(out, t.quote, t.propulsion);
    out += QChar(u',');
    quoted(out, t.quote, L1("NavGunSensor"));
    out += QChar(u',');
    quoted(out, t.quote, L1(""));
    out += QChar(u',');
    quoted(out, t.quote, L1(""));
    out += QChar(u',');
    quoted(out, t.quote, L1("{Wp}"));
    out += QChar(u',');
    quoted(out, t.quote, t.weapon);
}

template <typename Out> void write(Out& out, const TemplateNameLine& n)
{
    out += kIdPrefix;
    out += n.number;
    out += kZoneOfBlanks.first(TemplateNameLine::gapAfter(kIdPrefix.size() + n.number.size()));
    out += n.displayName;
}

template <typename Out> void write(Out& out, const VloTemplateEntry& e)
{
    out += L1("tmpl");
    out += e.arrayName;
    out += QChar(u'[');
    out += e.index;
    out += L1("]  TEMPLATE    ");
    out += e.quote;
    out += kIdPrefix;
    out += e.number;
    out += e.quote;
}

} // namespace

Latin1Line::Latin1Line() : m_bytes(new char[kInitialCapacity]) {}

void Latin1Line::reserve(qsizetype capacity)
{
    if (capacity <= m_capacity)
        return;
    // Not value-initialised: only what was written is ever read.
    std::unique_ptr<char[]> bytes(new char[static_cast<std::size_t>(capacity)]);
    std::memcpy(bytes.get(), m_bytes.get(), static_cast<std::size_t>(m_size));
    m_bytes = std::move(bytes);
    m_capacity = capacity;
}

char* Latin1Line::extend(qsizetype more)
{
    if (m_size + more > m_capacity) [[unlikely]]
        reserve(std::max(m_size + more, 2 * m_capacity));
    char* at = m_bytes.get() + m_size;
    m_size += more;
    return at;
}

Latin1Line& Latin1Line::operator+=(QLatin1StringView text)
{
    std::memcpy(extend(text.size()), text.data(), static_cast<std::size_t>(text.size()));
    return *this;
}

Latin1Line& Latin1Line::operator+=(QStringView text)
{
    char* p = extend(text.size());
    for (const QChar c : text)
        *p++ = c.unicode() <= 0xff ? static_cast<char>(c.unicode()) : '?';
    return *this;
}

Latin1Line& Latin1Line::operator+=(QChar c)
{
    *extend(1) = c.unicode() <= 0xff ? static_cast<char>(c.unicode()) : '?';
    return *this;
}

DecimalText::DecimalText(qint64 value)
{
    // Digits from the right; the magnitude is taken unsigned so that the lowest value works.
    quint64 magnitude = value < 0 ? 0 - static_cast<quint64>(value) : static_cast<quint64>(value);
    do {
        m_digits[--m_first] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        m_digits[--m_first] = u'-';
}

void TemplateRecord::appendTo(QString& out) const
{
    write(out, *this);
}

void TemplateRecord::appendTo(Latin1Line& out) const
{
    write(out, *this);
}

QString TemplateRecord::text() const
{
    return build(*this);
}

void WeaponAssignment::appendTo(QString& out) const
{
    write(out, *this);
}

void WeaponAssignment::appendTo(Latin1Line& out) const
{
    write(out, *this);
}

QString WeaponAssignment::text() const
{
    return build(*this);
}

QString ManualNameLine::text() const
{
    QString out = kIdPrefix + number + L1("      ");
    appendNumberedDisplayName(out, number, quote);
    return out;
}

void TextTemplateLine::appendTo(QString& out) const
{
    write(out, *this);
}

void TextTemplateLine::appendTo(Latin1Line& out) const
{
    write(out, *this);
}

QString TextTemplateLine::text() const
{
    return build(*this);
}

QString ComponentLine::text() const
{
    L1 prefix("PRP[");
    L1 type("PROPULSION");
    if (kind == Kind::Weapon) {
        prefix = L1("WPN[");
        type = L1("WEAPON");
    } else if (kind == Kind::Body) {
        prefix = L1("BDY[");
        type = L1("BODY");
    }
    QString out = prefix + DecimalText(index).view() + L1("]    ") + type + L1("    ");
    quoted(out, quote, identifier);
    return out;
}

int TemplateNameLine::gapAfter(qsizetype identifierLength)
{
    // The name goes to the first zone start that leaves at least one blank after the
    // identifier: column 15 for identifiers up to 13 characters, column 29 up to 27, ...
    const qsizetype nameColumn = (identifierLength / kZoneWidth + 1) * kZoneWidth;
    return static_cast<int>(nameColumn - identifierLength);
}

void TemplateNameLine::appendTo(QString& out) const
{
    write(out, *this);
}

void TemplateNameLine::appendTo(Latin1Line& out) const
{
    write(out, *this);
}

QString TemplateNameLine::text() const
{
    return build(*this);
}

void appendNumberedDisplayName(QString& out, QStringView number, QStringView quote)
{
    out += quote;
    out += L1("TMPLNO");
    out += number;
    out += quote;
}

QString numberedDisplayName(QStringView number, QStringView quote)
{
    QString out;
    appendNumberedDisplayName(out, number, quote);
    return out;
}

void VloTemplateEntry::appendTo(QString& out) const
{
    write(out, *this);
}

void VloTemplateEntry::appendTo(Latin1Line& out) const
{
    write(out, *this);
}

QString VloTemplateEntry::text() const
{
    return build(*this);
}
