// SPDX-License-Identifier: GPL-3.0-or-later
#include "templates/templategeneration.h"

#include "platform/textfile.h"
#include "templates/templatefiles.h"
#include "templates/templatelines.h"
#include "templates/templatesteps.h"

#include <functional>
#include <limits>

namespace templategeneration {

namespace {

std::optional<FileFailure> emptyAllTxt(const QString& workDir)
{
    const auto failure = textfile::replaceAtomically(templatefiles::rtsPath(workDir, kAllTxt), QByteArray());
    return failure ? std::optional(explainMissing(*failure, FileAccess::Write)) : std::nullopt;
}

// Ord's loop; `take` receives the number and the line of every step that writes a template.
void odometerRun(GeneratorState& state, const QString& quote,
                 const std::function<void(qint32 number, QString line)>& take)
{
    int body = 0;
    int weapon = 0;
    while (state.templateCounter < state.templateLimit) {
        if (state.propulsionIndex <= GeneratorState::kLastPropulsion)
            OdometerStep::apply(state.propulsionIndex, body, weapon);
        else
            ++state.propulsionIndex;
        if (state.propulsionIndex <= GeneratorState::kLastPropulsion) {
            const QString n = QString::number(state.templateCounter);
            take(state.templateCounter,
                 TextTemplateLine{n, state.bodyNames[body], state.propulsionNames[state.propulsionIndex],
                                  state.weaponNames[weapon], quote}
                     .text());
        }
        ++state.templateCounter;
    }
}

} // namespace

Result rnd(GeneratorState& state, const QString& workDir, const QString& quote)
{
    Result result;
    result.failure = emptyAllTxt(workDir);
    LockstepStep step;
    while (state.templateCounter < state.templateLimit) {
        step.apply();
        const QString n = QString::number(state.templateCounter);
        result.lines.append(TextTemplateLine{n, state.bodyNames[step.body],
                                             state.propulsionNames[step.propulsion],
                                             state.weaponNames[step.weapon], quote}
                                .text());
        ++state.templateCounter;
    }
    return result;
}

Result ord(GeneratorState& state, const QString& workDir, const QString& quote)
{
    Result result;
    result.failure = emptyAllTxt(workDir);
    odometerRun(state, quote, [&](qint32, QString line) { result.lines.append(std::move(line)); });
    return result;
}

Result string(GeneratorState& state, const QString& workDir, const QString& quote)
{
    Result result;
    const QString path = templatefiles::rtsPath(workDir, kAllTxt);
    textfile::LineWriter file;
    auto failure = file.open(path);
    odometerRun(state, quote, [&](qint32 number, QString line) {
        if (number >= 0 && number < GeneratorState::kStringLineCount)
            state.stringLines[number] = std::move(line);
    });
    // The limit is 16 bits wide, as the loop over it always was.
    for (qint16 i = 0; i < state.templateLimit && i < GeneratorState::kStringLineCount && !failure; ++i)
        failure = file.writeLine(state.stringLines[i]);
    if (auto closing = file.close(); closing && !failure)
        failure = closing;
    if (failure)
        result.failure = explainMissing(*failure, FileAccess::Write);
    return result;
}

Result feed(GeneratorState& state, const QString& workDir, const QString& quote)
{
    Result result;
    result.failure = emptyAllTxt(workDir);
    for (int i = 0; i < GeneratorState::kWeaponCount; ++i)
        result.lines.append(
            ComponentLine{ComponentLine::Kind::Weapon, i, state.weaponNames[i], quote}.text());
    for (int i = 0; i < GeneratorState::kBodyCount; ++i)
        result.lines.append(ComponentLine{ComponentLine::Kind::Body, i, state.bodyNames[i], quote}.text());
    for (int i = 0; i < GeneratorState::kPropulsionCount; ++i)
        result.lines.append(
            ComponentLine{ComponentLine::Kind::Propulsion, i, state.propulsionNames[i], quote}.text());
    ++state.templateCounter;
    return result;
}

QString describeStringFailure(const FileFailure& failure)
{
    return QStringLiteral("THE TEMPLATE LINES WERE NOT WRITTEN:\n") + describeFailures({failure});
}

std::optional<qint16> limitFromText(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok || value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(value);
}

} // namespace templategeneration
