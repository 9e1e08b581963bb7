// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// What a click on a control of the main window does. The controls keep their names
// (Command1, Image3 ...); the workbench is told what to do, never which control was clicked,
// so a command that does not exist cannot be asked for.
enum class Command {
    ExportScripts,   // Command1: EXPORT .SLO
    ExportVariables, // Command2: EXPORT .VLO
    Save,            // Command4: SAVE
    SwitchLayout,    // Command5, Command6 and Image8
    LaunchGame,      // Command7: START GAME
    ShowNotes,       // Command10: NOTES
    BackupConsole,   // Command17: BACKUPS
    TemplateTools,   // Image3: TEMPLATES
    OpenAi,          // OPEN_AI: OPEN AI
    Exit,            // Image1
    Minimise,        // Image2
    InternalHelp,    // Command15
    ExternalHelp,    // Command14
    SloToNotes,      // Label2
    VloToNotes,      // Label3
    SearchSloFirst,  // Command12: "1st" beside SLO
    SearchSloNext,   // NEXT_SEEK_CMD: "&SLO"
    SearchVloFirst,  // Command11: "1st" beside VLO
    SearchVloNext,   // Command13: "&VLO"
    GoToLineSlo,     // Command8
    GoToLineVlo,     // Command9
};

// The command of a control of either layout, or nothing for a control that runs none.
std::optional<Command> commandOfControl(const QString& controlName);
