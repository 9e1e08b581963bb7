#include "export/playerexport.h"

#include "export/playerfiles.h"
#include "export/variablefile.h"
#include "platform/textfile.h"
#include "workspace/projectsaver.h"
#include "workspace/workspaceview.h"

#include <QFileInfo>

namespace {

const QString kSlo = QStringLiteral(".slo");
const QString kVlo = QStringLiteral(".vlo");

// The system says "No such file or directory" for a missing folder; say which folder.
FileFailure explain(const FileFailure& failure)
{
    const QFileInfo file(failure.path);
    const QString folder = file.path();
    if (!QFileInfo(folder).isDir())
        return {failure.path, QStringLiteral("the folder %1 does not exist").arg(folder)};
    return failure;
}

} // namespace

PlayerExport::PlayerExport(ProgramState& state, Dialogs& dialogs, ProjectSaver& saver)
    : m_state(state), m_dialogs(dialogs), m_saver(saver)
{
}

bool PlayerExport::confirm(const QString& question)
{
    return m_dialogs.askYesNo(QStringLiteral("WARNING"), question, Dialogs::Icon::Question) == Dialogs::Answer::Yes;
}

bool PlayerExport::finish(const QList<FileFailure>& failures)
{
    if (!failures.isEmpty()) {
        m_dialogs.tell(kExportFailedTitle, describeExportFailures(failures), Dialogs::Icon::Critical);
        return false;
    }
    m_dialogs.tell(kApplicationTitle, QStringLiteral("DONE !!!"), Dialogs::Icon::None);
    return true;
}

bool PlayerExport::exportScripts(WorkspaceView& view)
{
    if (!confirm(QStringLiteral("DO YOU REALLY WANT TO WRITE YOUR AI .SLO FILES FOR EACH PLAYER???")))
        return false;
    m_saver.trySave(view);

    // Every file gets the same bytes: encode the script once.
    QByteArray bytes = textfile::encode(view.sloText(), nullptr);
    bytes.append("\r\n", 2);
    const QString gameDirectory = view.gameDirectory();
    QList<FileFailure> failures;
    for (m_state.playerIndex = 0; m_state.playerIndex < playerfiles::kPlayerCount; ++m_state.playerIndex) {
        m_state.playerText = QString::number(m_state.playerIndex);
        const QString path = playerfiles::path(gameDirectory, m_state.playerText, kSlo);
        if (auto failure = textfile::write(path, bytes))
            failures.append(explain(*failure));
    }
    return finish(failures);
}

bool PlayerExport::generateVariableFiles(WorkspaceView& view)
{
    if (!confirm(QStringLiteral("DO YOU REALLY WANT TO WRITE YOUR AI .VLO FILES???")))
        return false;
    m_saver.trySave(view);

    const QString vloText = view.vloText();
    const QString gameDirectory = view.gameDirectory();
    // The generated text is head + VLO text + tail; the VLO text is encoded once for all eight.
    const QByteArray vloBytes = textfile::encode(vloText, nullptr);
    const QByteArray tail("\r\n}\r\n");
    QList<FileFailure> failures;
    for (m_state.playerIndex = 0; m_state.playerIndex < playerfiles::kPlayerCount; ++m_state.playerIndex) {
        m_state.playerText = QString::number(m_state.playerIndex);
        const QString path = playerfiles::path(gameDirectory, m_state.playerText, kVlo);
        const QByteArray head = textfile::encode(variablefile::head(m_state.playerText), nullptr);
        if (auto failure = textfile::writeParts(path, {head, vloBytes, tail}))
            failures.append(explain(*failure));
    }
    // The buffer ends holding the last player's text, as it always has.
    view.setExportText(variablefile::generate(m_state.playerText, vloText));
    return finish(failures);
}

QString describeExportFailures(const QList<FileFailure>& failures)
{
    return QStringLiteral("NOT EVERY FILE WAS WRITTEN. These files could not be written:\n") +
           describeFailures(failures);
}
