// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/consoledialogs.h"

Dialogs::Answer ConsoleDialogs::askYesNo(const QString&, const QString&, Icon, Answer)
{
    return Answer::Yes;
}

Dialogs::Answer ConsoleDialogs::askYesNoCancel(const QString&, const QString&, Icon)
{
    return Answer::Cancel;
}

Dialogs::Answer ConsoleDialogs::askRetryCancel(const QString&, const QString&, Icon)
{
    return Answer::Cancel;
}

void ConsoleDialogs::tell(const QString& title, const QString& text, Icon icon)
{
    if (icon == Icon::Warning || icon == Icon::Critical)
        m_toldProblem = true;
    QString line = QStringLiteral("qrb2: ");
    if (title != kApplicationTitle)
        line += title + QStringLiteral(": ");
    line += text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!line.endsWith(QLatin1Char('\n')))
        line += QLatin1Char('\n');
    m_out << line;
    m_out.flush();
}

int ConsoleDialogs::askChoice(const QString&, const QString&, Icon, const QStringList& buttons)
{
    return int(buttons.size()) - 1;
}

QString ConsoleDialogs::askText(const QString&, const QString&, const QString&)
{
    return {};
}

QString ConsoleDialogs::chooseFileToOpen(const QString&, const QString&, const QString&)
{
    return {};
}
