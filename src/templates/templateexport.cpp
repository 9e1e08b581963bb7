#include "templates/templateexport.h"

#include "platform/textfile.h"
#include "templates/templatefiles.h"
#include "templates/templatelines.h"
#include "templates/templatesteps.h"

#include <algorithm>
#include <array>

namespace templateexport {

namespace {

constexpr int kMaxFiles = 4;
constexpr qsizetype kBlockSize = 64 * 1024;

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
        for (int i = 0; i < m_count; ++i)
            m_blocks[i].reserve(kBlockSize + 4096);
    }

    // Each returns false when the export has to stop.
    bool open(int file) { return check(file, m_files[file].open(m_paths[file])); }
    // The lines of a file are put together here and written a block at a time.
    Latin1Line& line(int file) { return m_blocks[file]; }
    bool endLine(int file)
    {
        Latin1Line& block = m_blocks[file];
        block += QLatin1StringView("\r\n");
        if (block.size() < kBlockSize)
            return true;
        const bool written = check(file, m_files[file].writeLines(block.bytes()));
        block.clear();
        return written;
    }
    bool writing(int file) const { return !m_failed[file]; }

    // A file that fails only as it is closed has all its lines but the last block: it is
    // named, and the export has nothing left to stop.
    void closeAll()
    {
        for (int i = 0; i < m_count; ++i) {
            auto failure = m_failed[i] || !m_files[i].isOpen() ? std::nullopt
                                                               : m_files[i].writeLines(m_blocks[i].bytes());
            m_blocks[i].clear();
            if (auto closing = m_files[i].close(); closing && !failure)
                failure = closing;
            if (failure && !m_failed[i]) {
                m_failed[i] = true;
                m_outcome.failures.append(explainMissing(*failure, FileAccess::Write));
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
        m_outcome.failures.append(explainMissing(*failure, FileAccess::Write));
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
    std::array<Latin1Line, kMaxFiles> m_blocks;
    std::array<bool, kMaxFiles> m_failed{};
};

} // namespace

Outcome run(Button button, GeneratorState& state, const QString& workDir, const QString& quote)
{
    const bool withVlo = button != Button::Wdg;
    const bool divided = button == Button::Divided || button == Button::Final;
    const int fileCount = withVlo ? 4 : 3;
    const QStringList found = templatefiles::rtsPaths(
        workDir, QStringList{kTemplatesTxt, kAssignWeaponsTxt, kNamesTxt, kXVlo}.first(fileCount));
    std::array<QString, kMaxFiles> paths;
    std::copy(found.cbegin(), found.cend(), paths.begin());
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
    QString displayName;
    bool going = true;
    const auto writeLine = [&](int file, const auto& format) {
        if (!going || !files.writing(file))
            return;
        format.appendTo(files.line(file));
        going = files.endLine(file);
    };
    while (state.propulsionIndex <= GeneratorState::kLastPropulsion) {
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
        }
        const DecimalText numberText(state.templateCounter);
        const QStringView number = numberText.view();
        const DecimalText divisionIndexText(state.divisionIndex);

        const QString& propulsion = button == Button::Full ? state.propulsionNames2[state.propulsionIndex]
                                    : button == Button::Divided
                                        ? state.propulsionAlt
                                        : state.propulsionNames[state.propulsionIndex];
        displayName.resize(0);
        if (button == Button::Wdg) {
            displayName += quote;
            displayName += state.weaponNames[weapon];
            displayName += quote;
        } else {
            appendNumberedDisplayName(displayName, number, quote);
        }
        writeLine(0, TemplateRecord{number, state.bodyNames[body], propulsion});
        writeLine(1, WeaponAssignment{number, state.weaponNames[weapon]});
        writeLine(2, TemplateNameLine{number, displayName});
        if (withVlo) {
            writeLine(3, VloTemplateEntry{divided ? QStringView(state.divisionName) : QStringView(),
                                          divided ? divisionIndexText.view() : number, number, quote});
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
        text = QStringLiteral(
                   "THE EXPORT %1 COULD NOT WRITE EVERY FILE. The other files hold all %2 templates.\n")
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
