// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/seekcommands.h"

#include "editor/reveal.h"
#include "editor/scripteditor.h"
#include "editor/textseek.h"
#include "mainwindow/mainwindow.h"
#include "workspace/programstate.h"
#include "workspace/projectsaver.h"

#include <QEvent>
#include <QLineEdit>
#include <cmath>

namespace {

ScriptEditor& editorOf(MainWindow& window, SeekCommands::Target target)
{
    return *(target == SeekCommands::Target::Slo ? window.slo() : window.vlo());
}

class LineBoxClearer : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            static_cast<QLineEdit*>(watched)->clear();
        return false;
    }
};

} // namespace

SeekCommands::SeekCommands(ProjectSaver& saver, ProgramState& state) : m_saver(saver), m_state(state) {}

void SeekCommands::search(MainWindow& window, Target target, bool fromTheTop)
{
    ScriptEditor& editor = editorOf(window, target);
    const QString needle = window.textSeeker()->text();
    if (needle.isEmpty() || editor.document()->isEmpty())
        return;
    m_saver.forceSave(window);
    selectMatch(editor, needle, fromTheTop, m_state.seekPosition);
}

void SeekCommands::searchBack(MainWindow& window, Target target)
{
    ScriptEditor& editor = editorOf(window, target);
    const QString needle = window.textSeeker()->text();
    if (needle.isEmpty() || editor.document()->isEmpty())
        return;
    m_saver.forceSave(window);
    selectMatchBefore(editor, needle, m_state.seekPosition);
}

void SeekCommands::selectMatchBefore(ScriptEditor& editor, const QString& needle, qint32& seekPosition)
{
    editor.setFocus();
    seekPosition = textseek::findBefore(editor.text(), needle, editor.selectionStart());
    if (seekPosition >= 0)
        selectInMiddle(editor, seekPosition, static_cast<int>(needle.size()));
}

void SeekCommands::goToLine(MainWindow& window, Target target)
{
    ScriptEditor& editor = editorOf(window, target);
    const std::optional<double> number = textseek::parseLineNumber(window.lineBox()->text());
    if (!number || std::trunc(*number) == 0 || editor.document()->isEmpty())
        return;
    m_saver.forceSave(window);
    selectLine(editor, *number, target == Target::Vlo ? kVloLineOffset : 0, m_state.seekPosition);
}

void SeekCommands::selectMatch(ScriptEditor& editor, const QString& needle, bool fromTheTop,
                               qint32& seekPosition)
{
    editor.setFocus();
    const int from = textseek::searchStart(fromTheTop, editor.selectionStart());
    seekPosition = textseek::findFrom(editor.text(), needle, from);
    // Nothing found: the selection stays as it was.
    if (seekPosition >= 0)
        selectInMiddle(editor, seekPosition, static_cast<int>(needle.size()));
}

void SeekCommands::selectLine(ScriptEditor& editor, double lineNumber, int lineOffset, qint32& seekPosition)
{
    editor.setFocus();
    const textseek::LineJump jump = textseek::lineJump(editor.text(), lineNumber, lineOffset);
    switch (jump.kind) {
    case textseek::LineJump::Kind::Nothing:
        return;
    case textseek::LineJump::Kind::FirstCharacter:
        selectInMiddle(editor, 0, 1);
        return;
    case textseek::LineJump::Kind::Line:
        // The editor keeps CR LF as one break: the selection ends just before it.
        selectInMiddle(editor, jump.range.start, jump.range.length);
        seekPosition = jump.range.start;
        return;
    }
}

void SeekCommands::clearLineBoxOnPress(MainWindow& window)
{
    QLineEdit* box = window.lineBox();
    box->installEventFilter(new LineBoxClearer(box));
}
