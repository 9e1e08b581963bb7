// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/scripteddialogs.h"

QStringList ScriptedDialogs::texts() const
{
    QStringList out;
    for (const Shown& s : m_shown)
        out << s.text;
    return out;
}

Dialogs::Answer ScriptedDialogs::next(Answer fallback)
{
    return m_answers.isEmpty() ? fallback : m_answers.takeFirst();
}

void ScriptedDialogs::record(const Shown& s)
{
    m_shown.append(s);
    if (onShow)
        onShow(s);
}

Dialogs::Answer ScriptedDialogs::askYesNo(const QString& title, const QString& text, Icon icon,
                                          Answer defaultAnswer)
{
    record({Kind::YesNo, title, text, icon, {}, defaultAnswer, {}});
    return next(Answer::Yes);
}

Dialogs::Answer ScriptedDialogs::askYesNoCancel(const QString& title, const QString& text, Icon icon)
{
    record({Kind::YesNoCancel, title, text, icon, {}, Answer::Yes, {}});
    return next(Answer::Yes);
}

Dialogs::Answer ScriptedDialogs::askRetryCancel(const QString& title, const QString& text, Icon icon)
{
    record({Kind::RetryCancel, title, text, icon, {}, Answer::Yes, {}});
    return next(Answer::Retry);
}

void ScriptedDialogs::tell(const QString& title, const QString& text, Icon icon)
{
    record({Kind::Tell, title, text, icon, {}, Answer::Yes, {}});
    next(Answer::Ok);
}

QString ScriptedDialogs::askText(const QString& title, const QString& prompt, const QString& defaultText)
{
    record({Kind::AskText, title, prompt, Icon::None, defaultText, Answer::Yes, {}});
    return m_texts.isEmpty() ? defaultText : m_texts.takeFirst();
}

QString ScriptedDialogs::chooseFileToOpen(const QString& title, const QString& folder, const QString& filter)
{
    record({Kind::ChooseFile, title, filter, Icon::None, folder, Answer::Yes, {}});
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

int ScriptedDialogs::askChoice(const QString& title, const QString& text, Icon icon,
                               const QStringList& buttons)
{
    record({Kind::Choice, title, text, icon, {}, Answer::Yes, buttons});
    return m_choices.isEmpty() ? 0 : m_choices.takeFirst();
}
