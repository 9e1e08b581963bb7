// SPDX-License-Identifier: GPL-3.0-or-later
// The component list loaders take whatever bytes lie in the mts and RTS folders. The input is
// cut at NUL bytes into the six mts files, the four RTS files and a text typed as a number; a
// piece that is not there stands for a missing file.
#include "templates/generatorlists.h"
#include "templates/manuallists.h"
#include "templates/manualselector.h"
#include "templates/templatefiles.h"
#include "templates/templatelines.h"

#include <QByteArray>
#include <QList>
#include <QRegularExpression>
#include <cstddef>
#include <cstdint>

namespace {

const QString kUntouched = QStringLiteral("\x01untouched");

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void checkLines(const QString& text, const QStringList& lines)
{
    for (const QString& line : lines)
        check(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
    // Written back with CR LF ends, the lines read the same.
    const QString again =
        lines.isEmpty() ? QString() : lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    check(templatefiles::splitLines(again) == lines);
    // Nothing but line ends is lost.
    QString stripped = text;
    stripped.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    check(lines.join(QString()) == stripped);
}

void checkManualList(const QStringList& lines)
{
    MtsList list;
    list.entries.fill(kUntouched);
    manuallists::fill(list, lines);
    check(list.count == std::min<qsizetype>(lines.size(), 32767));
    for (int i = 0; i < MtsList::kCapacity; ++i)
        check(list.entries[i] == (i < lines.size() ? lines.at(i) : kUntouched));
    if (list.used() > 0) {
        const QString n = QString::number(list.count);
        const QString record = TemplateRecord{n, list.entries[0], list.entries[list.used() - 1]}.text();
        check(record.startsWith(QStringLiteral("ZEL_ID") + n + QStringLiteral(",102,")));
    }
}

void checkGeneratorList(const QStringList& lines, int capacity)
{
    QList<QString> entries(capacity, kUntouched);
    const int dropped = generatorlists::fill(entries.data(), capacity, lines);
    check(dropped == std::max<qsizetype>(0, lines.size() - capacity));
    for (int i = 0; i < capacity; ++i)
        check(entries.at(i) == (i < lines.size() ? lines.at(i) : kUntouched));
}

void checkNumber(const QString& typed)
{
    static const QRegularExpression decimal(QStringLiteral("^-?[0-9]+$"));
    if (const auto whole = manualselector::wholeNumberText(typed)) {
        check(decimal.match(*whole).hasMatch());
        ManualSelectorState state;
        state.mtsNextNumber = *whole;
        manualselector::validate(state, 0, 99, 50, QStringLiteral("\""));
        check(state.mtsNextNumber.toLongLong() == whole->toLongLong() + 1);
    }
    const QString name = TemplateNameLine{typed, QStringLiteral("x")}.text();
    check(name.endsWith(QStringLiteral(" x")));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QList<QByteArray> pieces = bytes.split('\0');
    for (qsizetype i = 0; i < pieces.size() && i < 11; ++i) {
        const QString text = QString::fromLatin1(pieces.at(i));
        if (i == 10) {
            checkNumber(text);
            break;
        }
        const QStringList lines = templatefiles::splitLines(text);
        checkLines(text, lines);
        if (i < manuallists::kFileCount) {
            checkManualList(lines);
            continue;
        }
        GeneratorState state;
        state.propulsionAlt = kUntouched;
        switch (i - manuallists::kFileCount) {
        case 0:
            checkGeneratorList(lines, GeneratorState::kWeaponCount);
            break;
        case 1:
            checkGeneratorList(lines, GeneratorState::kBodyCount);
            break;
        case 2:
            checkGeneratorList(lines, GeneratorState::kPropulsionCount);
            break;
        default:
            generatorlists::fillSecondPropulsions(state, lines);
            check(state.propulsionAlt == (lines.isEmpty() ? kUntouched : lines.last()));
            break;
        }
    }
    return 0;
}
