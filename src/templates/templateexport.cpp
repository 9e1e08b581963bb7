#include "templates/templateexport.h"

#include "platform/textfile.h"
#include "templates/templatefiles.h"
#include "templates/templatelines.h"
#include "templates/templatesteps.h"

#include <array>

namespace templateexport {

namespace {

constexpr int kMaxFiles = 4;

QString caption(Button button)
{
    switch (button) {
    case Button::Wdg:
        return QStringLiteral("--> WDG");
    case Button::Full:
        return QStringLiteral("--> VLO (FULL)");
    case Button::Divided:
        return QStringLiteral("--> VLO (DIVIDED)");
    case Button::Final:
        break;
    }
    return QStringLiteral("FINAL");
}

// The open files of one export and what became of them.
class ExportFiles {
public:
    ExportFiles(const std::array<QString, kMaxFiles>& paths, int count, bool stopAtFailure, Outcome& outcome)
        : m_paths(paths), m_count(count), m_stopAtFailure(stopAtFailure), m_outcome(outcome)
    {
    }

    // Each returns false when the export has to stop.
    bool open(int file) { return check(file, m_files[file].open(m_paths[file])); }
    bool write(int file, QStringView line) { return check(file, m_files[file].writeLine(line)); }
    bool writing(int file) const { return !m_failed[file]; }

    // A file that fails only as it is closed has all its lines but the last block: it is
    // named, and the export has nothing left to stop.
    void closeAll()
    {
        for (int i = 0; i < m_count; ++i) {
            const auto failure = m_files[i].close();
            if (failure && !m_failed[i]) {
                m_failed[i] = true;
                m_outcome.failures.append(templatefiles::explain(*failure));
                m_outcome.incomplete.removeOne(m_paths[i]);
            }
        }
    }

private:
    bool check(int file, const std::optional<FileFailure>& failure)
    {
        if (!failure)
            return true;
        m_failed[file] = true;
        m_outcome.failures.append(templatefiles::explain(*failure));
        if (!m_stopAtFailure)
            return true;
        m_outcome.stopped = true;
        for (int i = 0; i < m_count; ++i) {
            if (i == file)
                continue;
            if (m_files[i].isOpen())
                m_outcome.incomplete.append(m_paths[i]);
            else
                m_outcome.notOpened.append(m_paths[i]);
        }
        return false;
    }

    std::array<QString, kMaxFiles> m_paths;
    int m_count;
    bool m_stopAtFailure;
    Outcome& m_outcome;
    std::array<textfile::LineWriter, kMaxFiles> m_files;
    std::array<bool, kMaxFiles> m_failed{};
};

} // namespace

Outcome run(Button button, GeneratorState& state, const QString& workDir, const QString& quote)
{
    const bool withVlo = button != Button::Wdg;
    const bool divided = button == Button::Divided || button == Button::Final;
    const int fileCount = withVlo ? 4 : 3;
    const std::array<QString, kMaxFiles> names = {kTemplatesTxt, kAssignWeaponsTxt, kNamesTxt, kXVlo};

    std::array<QString, kMaxFiles> paths;
    for (int i = 0; i < fileCount; ++i)
        paths[i] = templatefiles::rtsPath(workDir, names[i]);
    Outcome outcome;
    ExportFiles files(paths, fileCount, button != Button::Divided, outcome);
    for (int i = 0; i < fileCount; ++i) {
        if (!files.open(i)) {
            files.closeAll();
            return outcome;
        }
    }

    state.propulsionIndex = 0;
    int body = 0;
    int weapon = 0;
    QString number;
    QString line;
    QString displayName;
    QString divisionIndexText;
    line.reserve(256);
    bool going = true;
    while (going && state.propulsionIndex <= GeneratorState::kLastPropulsion) {
        OdometerStep::apply(state.propulsionIndex, body, weapon);
        if (state.propulsionIndex > GeneratorState::kLastPropulsion)
            break;
        if (divided) {
            const bool wrapped = state.divisionIndex == GeneratorState::kDivisionSize;
            if (wrapped) {
                state.divisionIndex = 0;
                ++state.divisionNumber;
            }
            if (wrapped || state.divisionName.isEmpty())
                state.divisionName = QString::number(state.divisionNumber);
            divisionIndexText = QString::number(state.divisionIndex);
        }
        number = QString::number(state.templateCounter);

        const QString& propulsion = button == Button::Full      ? state.propulsionNames2[state.propulsionIndex]
                                    : button == Button::Divided ? state.propulsionAlt
                                                                : state.propulsionNames[state.propulsionIndex];
        if (files.writing(0)) {
            line.resize(0);
            TemplateRecord{number, state.bodyNames[body], propulsion}.appendTo(line);
            going = files.write(0, line);
        }
        if (going && files.writing(1)) {
            line.resize(0);
            WeaponAssignment{number, state.weaponNames[weapon]}.appendTo(line);
            going = files.write(1, line);
        }
        if (going && files.writing(2)) {
            displayName.resize(0);
            if (button == Button::Wdg) {
                displayName += quote;
                displayName += state.weaponNames[weapon];
                displayName += quote;
            } else {
                appendNumberedDisplayName(displayName, number, quote);
            }
            line.resize(0);
            TemplateNameLine{number, displayName}.appendTo(line);
            going = files.write(2, line);
        }
        if (going && withVlo && files.writing(3)) {
            line.resize(0);
            VloTemplateEntry{divided ? QStringView(state.divisionName) : QStringView(),
                             divided ? QStringView(divisionIndexText) : QStringView(number), number, quote}
                .appendTo(line);
            going = files.write(3, line);
        }
        if (!going)
            break;
        ++state.templateCounter;
        if (divided)
            ++state.divisionIndex;
        ++outcome.templates;
    }
    files.closeAll();
    return outcome;
}

QString describe(Button button, const Outcome& outcome)
{
    QString text;
    if (outcome.stopped) {
        text = QStringLiteral("THE EXPORT %1 STOPPED AFTER %2 OF %3 TEMPLATES.\n")
                   .arg(caption(button))
                   .arg(outcome.templates)
                   .arg(GeneratorState::kTemplatesPerRun);
    } else {
        text = QStringLiteral("THE EXPORT %1 COULD NOT WRITE EVERY FILE. The other files hold all %2 templates.\n")
                   .arg(caption(button))
                   .arg(outcome.templates);
    }
    text += QStringLiteral("Could not be written:\n") + describeFailures(outcome.failures);
    if (!outcome.incomplete.isEmpty()) {
        text += QStringLiteral("\nHolding only the templates written before the stop:\n") +
                outcome.incomplete.join(QLatin1Char('\n'));
    }
    if (!outcome.notOpened.isEmpty())
        text += QStringLiteral("\nNot written:\n") + outcome.notOpened.join(QLatin1Char('\n'));
    return text;
}

} // namespace templateexport
