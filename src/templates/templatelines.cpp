#include "templates/templatelines.h"

namespace {

const QString kIdPrefix = QStringLiteral("ZEL_ID");
// A whole print zone of blanks, the widest gap a name line needs.
const QString kZoneOfBlanks(TemplateNameLine::kZoneWidth, QLatin1Char(' '));

QString build(const auto& line)
{
    QString out;
    line.appendTo(out);
    return out;
}

} // namespace

QString templateIdentifier(QStringView number)
{
    return kIdPrefix + number;
}

void TemplateRecord::appendTo(QString& out) const
{
    out += kIdPrefix;
    out += number;
    out += u",102,";
    out += body;
    out += u",ZNULLBRAIN,ZNULLCONSTRUCT,ZNULLECM,6,";
    out += propulsion;
    out += u",ZNULLREPAIR,DROID,NavGunSensor,1";
}

QString TemplateRecord::text() const
{
    return build(*this);
}

void WeaponAssignment::appendTo(QString& out) const
{
    out += kIdPrefix;
    out += number;
    out += u',';
    out += weapon;
    out += u",5";
}

QString WeaponAssignment::text() const
{
    return build(*this);
}

QString ManualNameLine::text() const
{
    QString out = kIdPrefix;
    out += number;
    out += u"      ";
    appendNumberedDisplayName(out, number, quote);
    return out;
}

void TextTemplateLine::appendTo(QString& out) const
{
    out += quote;
    out += kIdPrefix;
    out += number;
    out += quote;
    out += u',';
    out += quote;
    out += u"ZEL_RANDOM_TEMPLATE";
    out += number;
    out += quote;
    out += u",1,6,";
    for (const QStringView field : {body, propulsion}) {
        out += quote;
        out += field;
        out += quote;
        out += u',';
    }
    for (const QStringView field : {QStringView(u"NavGunSensor"), QStringView(), QStringView(), QStringView(u"{Wp}")}) {
        out += quote;
        out += field;
        out += quote;
        out += u',';
    }
    out += quote;
    out += weapon;
    out += quote;
}

QString TextTemplateLine::text() const
{
    return build(*this);
}

QString ComponentLine::text() const
{
    QStringView prefix;
    QStringView type;
    switch (kind) {
    case Kind::Weapon:
        prefix = u"WPN[";
        type = u"WEAPON";
        break;
    case Kind::Body:
        prefix = u"BDY[";
        type = u"BODY";
        break;
    case Kind::Propulsion:
        prefix = u"PRP[";
        type = u"PROPULSION";
        break;
    }
    QString out = prefix.toString();
    out += QString::number(index);
    out += u"]    ";
    out += type;
    out += u"    ";
    out += quote;
    out += identifier;
    out += quote;
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
    out += kIdPrefix;
    out += number;
    out += QStringView(kZoneOfBlanks).first(gapAfter(kIdPrefix.size() + number.size()));
    out += displayName;
}

QString TemplateNameLine::text() const
{
    return build(*this);
}

void appendNumberedDisplayName(QString& out, QStringView number, QStringView quote)
{
    out += quote;
    out += u"TMPLNO";
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
    out += u"tmpl";
    out += arrayName;
    out += u'[';
    out += index;
    out += u"]  TEMPLATE    ";
    out += quote;
    out += kIdPrefix;
    out += number;
    out += quote;
}

QString VloTemplateEntry::text() const
{
    return build(*this);
}
