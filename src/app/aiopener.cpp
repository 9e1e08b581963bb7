// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/aiopener.h"

#include "editor/editorreplace.h"
#include "editor/scripteditor.h"
#include "export/aiimport.h"
#include "mainwindow/mainwindow.h"
#include "platform/busycursor.h"
#include "platform/dialogs.h"
#include "platform/filelookup.h"
#include "platform/textfile.h"
#include "scriptlang/checker.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kOpenedTitle = QStringLiteral("AI OPENED");
const QString kNotOpenedTitle = QStringLiteral("AI NOT OPENED");
const QString kUndoHint = QStringLiteral("Nothing is saved until you save; Ctrl+Z in an editor takes the "
                                         "opening back.");

// Where the file box starts: the game's skirmish folder, else the game folder, else home.
QString startFolder(const QString& gameDirectory)
{
    const QString skirmish = filelookup::resolvePath(gameDirectory, QStringLiteral("multiplay/skirmish"));
    if (!gameDirectory.isEmpty() && QFileInfo(skirmish).isDir())
        return skirmish;
    if (!gameDirectory.isEmpty() && QFileInfo(gameDirectory).isDir())
        return gameDirectory;
    return QDir::homePath();
}

} // namespace

void AiOpener::open(MainWindow& window)
{
    const QString sloPath =
        m_dialogs.chooseFileToOpen(QStringLiteral("Open an AI"), startFolder(window.gameDirectory()),
                                   QStringLiteral("AI scripts (*.slo *.SLO)"));
    if (sloPath.isEmpty())
        return;
    const BusyCursor busy;
    const QString vloPath = aiimport::variableFileBeside(sloPath);
    const textfile::ReadResult slo = textfile::read(sloPath);
    const textfile::ReadResult vlo = vloPath.isEmpty() ? textfile::ReadResult{} : textfile::read(vloPath);
    QList<FileFailure> failures;
    for (const auto* read : {&slo, &vlo}) {
        if (read->failure)
            failures.append(*read->failure);
    }
    if (!failures.isEmpty()) {
        m_dialogs.tell(kNotOpenedTitle,
                       QStringLiteral("The AI could not be opened, so the editors keep their texts:\n") +
                           describeFailures(failures),
                       Dialogs::Icon::Critical);
        return;
    }

    const QString script = aiimport::scriptText(slo.text);
    replaceEditorTextUndoably(*window.slo(), *window.sloUndo(), script);
    QString told = QStringLiteral("SLO now holds %1.\n").arg(QDir::toNativeSeparators(sloPath));
    if (vloPath.isEmpty()) {
        told += QStringLiteral("There is no %1.vlo beside it, so VLO keeps its text.\n")
                    .arg(QFileInfo(sloPath).completeBaseName());
    } else {
        const aiimport::VariableList list =
            aiimport::variableList(vlo.text, scriptlang::headVariable(script));
        replaceEditorTextUndoably(*window.vlo(), *window.vloUndo(), list.text);
        told += list.taken.isEmpty()
                    ? QStringLiteral("VLO now holds %1; it has no generated head to take off.\n")
                          .arg(QDir::toNativeSeparators(vloPath))
                    : QStringLiteral("VLO now holds %1, without these lines, which EXPORT .VLO writes for "
                                     "each player:\n%2\n")
                          .arg(QDir::toNativeSeparators(vloPath), aiimport::describeTaken(list.taken));
    }
    // An opened AI is read from its top, as a file opened in an editor.
    window.slo()->setCaret(0);
    window.vlo()->setCaret(0);
    window.slo()->setFocus();
    m_dialogs.tell(kOpenedTitle, told + kUndoHint, Dialogs::Icon::Information);
}
