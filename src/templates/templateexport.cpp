// SPDX-License-Identifier: GPL-3.0-or-later
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

    // Every file's last block goes out and its temporary is synced; the files are then replaced
    // together. An export that stopped replaces none, so the old files stay whole.
    void closeAll()
    {
        QList<atomicfile::PendingFile*> finished;
        for (int i = 0; i < m_count; ++i) {
            if (m_failed[i] || !m_files[i].isOpen()) {
                m_files[i].discard();
                continue;
            }
            auto failure = m_files[i].writeLines(m_blocks[i].bytes());
            m_blocks[i].clear();
            if (!failure)
                failure = m_files[i].writeOut();
            if (failure) {
                m_files[i].discard();
                fail(i, *failure);
                continue;
            }
            finished.append(m_files[i].pendingFile());
        }
        if (m_stopAtFailure && !m_outcome.failures.isEmpty()) {
            for (int i = 0; i < m_count; ++i)
                m_files[i].discard();
            noteStop();
            return;
        }
        for (const FileFailure& failure : atomicfile::commit(finished))
            m_outcome.failures.append(failure);
    }

private:
    bool check(int file, const std::optional<FileFailure>& failure)
    {
        if (!failure)
            return true;
        fail(file, *failure);
        return !m_stopAtFailure;
    }

    void fail(int file, const FileFailure& failure)
    {
        m_failed[file] = true;
        m_outcome.failures.append(explainMissing(failure, FileAccess::Write));
    }

    void noteStop()
    {
        m_outcome.stopped = true;
        for (int i = 0; i < m_count; ++i) {
            if (!m_failed[i])
                m_outcome.leftAsTheyWere.append(m_paths[i]);
        }
    }

    std::array<QString, kMaxFiles> m_paths;
    int m_count;
    bool m_stopAtFailure;
    Outcome& m_outcome;
    std::array<textfile::LineWriter, kMaxFiles> m_files;
    std::array<Latin1Line, kMaxFiles> m_blocks;
    std::array<bool, kMaxFiles> m_failed{};
};

// The numbering an export continues; a stopped export wrote nothing, so it goes back.
struct Counters {
    explicit Counters(const GeneratorState& s)
        : templateCounter(s.templateCounter), propulsionIndex(s.propulsionIndex),
          divisionNumber(s.divisionNumber), divisionIndex(s.divisionIndex), divisionName(s.divisionName)
    {
    }
    void restore(GeneratorState& s) const
    {
        s.templateCounter = templateCounter;
        s.propulsionIndex = propulsionIndex;
        s.divisionNumber = divisionNumber;
        s.divisionIndex = divisionIndex;
        s.divisionName = divisionName;
    }
    qint32 templateCounter;
    qint32 propulsionIndex;
    qint16 divisionNumber;
    qint16 divisionIndex;
    QString divisionName;
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
    const Counters before{state};
    ExportFiles files(paths, fileCount, button != Button::Divided, outcome);
    for (int i = 0; i < fileCount; ++i) {
        if (!files.open(i)) {
            files.closeAll();
            before.restore(state);
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
    if (outcome.stopped)
        before.restore(state);
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
    if (!outcome.leftAsTheyWere.isEmpty()) {
        text += QStringLiteral("\nLeft as they were:\n") + outcome.leftAsTheyWere.join(QLatin1Char('\n'));
    }
    return text;
}

} // namespace templateexport
