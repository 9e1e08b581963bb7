// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/linenumbers.h"

#include <QtGlobal>

class MainWindow;
class ProjectSaver;
class QString;
class ScriptEditor;
struct ProgramState;

// Search (TEXT_SEEKER with "1st", "&SLO", "&VLO") and go to line (LINEINT1 with "SLO", "VLO")
// in the editors of a main window. A move that gets past its inputs is preceded by the forced
// save, so a "_BEFORESEEK" snapshot holds the project as it was before the jump.
class SeekCommands {
public:
    enum class Target { Slo, Vlo };

    SeekCommands(ProjectSaver& saver, ProgramState& state);

    // "1st" when `fromTheTop`, otherwise onward from the current selection.
    void search(MainWindow& window, Target target, bool fromTheTop);
    // The occurrence before the current selection (Shift+F3), with the same save first.
    void searchBack(MainWindow& window, Target target);
    void goToLine(MainWindow& window, Target target);

    // A press of any mouse button on LINEINT1 empties it first, so a fresh number can be typed.
    static void clearLineBoxOnPress(MainWindow& window);

    // The moves alone, once the save is done. They leave in `seekPosition` the match (or -1),
    // or the start of the selected line.
    static void selectMatch(ScriptEditor& editor, const QString& needle, bool fromTheTop,
                            qint32& seekPosition);
    static void selectLine(ScriptEditor& editor, double lineNumber, int lineOffset, qint32& seekPosition);

    static void selectMatchBefore(ScriptEditor& editor, const QString& needle, qint32& seekPosition);

    // Lines 1 to 11 of a generated variable file are its head; line 12 is the first VLO line,
    // as the game numbers it in its messages.
    static constexpr int kVloLineOffset = linenumbers::kVloHeadLines;

private:
    ProjectSaver& m_saver;
    ProgramState& m_state;
};
