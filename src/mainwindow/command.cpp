// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/command.h"

#include <QHash>

std::optional<Command> commandOfControl(const QString& controlName)
{
    static const QHash<QString, Command> commands{
        {QStringLiteral("Command1"), Command::ExportScripts},
        {QStringLiteral("Command2"), Command::ExportVariables},
        {QStringLiteral("Command4"), Command::Save},
        {QStringLiteral("Command5"), Command::SwitchLayout},
        {QStringLiteral("Command6"), Command::SwitchLayout},
        {QStringLiteral("Image8"), Command::SwitchLayout},
        {QStringLiteral("Command7"), Command::LaunchGame},
        {QStringLiteral("Command10"), Command::ShowNotes},
        {QStringLiteral("Command17"), Command::BackupConsole},
        {QStringLiteral("Image3"), Command::TemplateTools},
        {QStringLiteral("OPEN_AI"), Command::OpenAi},
        {QStringLiteral("Image1"), Command::Exit},
        {QStringLiteral("Image2"), Command::Minimise},
        {QStringLiteral("Command15"), Command::InternalHelp},
        {QStringLiteral("Command14"), Command::ExternalHelp},
        {QStringLiteral("Label2"), Command::SloToNotes},
        {QStringLiteral("Label3"), Command::VloToNotes},
        {QStringLiteral("Command12"), Command::SearchSloFirst},
        {QStringLiteral("NEXT_SEEK_CMD"), Command::SearchSloNext},
        {QStringLiteral("Command11"), Command::SearchVloFirst},
        {QStringLiteral("Command13"), Command::SearchVloNext},
        {QStringLiteral("Command8"), Command::GoToLineSlo},
        {QStringLiteral("Command9"), Command::GoToLineVlo},
    };
    const auto it = commands.constFind(controlName);
    if (it == commands.cend())
        return std::nullopt;
    return *it;
}
