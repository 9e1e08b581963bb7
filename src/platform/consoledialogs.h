// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogs.h"

#include <QTextStream>

// The boxes of a run from the command line, where the command itself is the author's answer:
// a Yes/No question gets Yes, any other question its way out (Cancel, the last button, the
// empty text). Every
// message goes to the stream as one "qrb2: TITLE: text" entry.
class ConsoleDialogs final : public Dialogs {
public:
    explicit ConsoleDialogs(QTextStream& out) : m_out(out) {}

    Answer askYesNo(const QString& title, const QString& text, Icon icon,
                    Answer defaultAnswer = Answer::Yes) override;
    Answer askYesNoCancel(const QString& title, const QString& text, Icon icon) override;
    Answer askRetryCancel(const QString& title, const QString& text, Icon icon) override;
    void tell(const QString& title, const QString& text, Icon icon) override;
    int askChoice(const QString& title, const QString& text, Icon icon, const QStringList& buttons) override;
    QString askText(const QString& title, const QString& prompt, const QString& defaultText) override;
    QString chooseFileToOpen(const QString& title, const QString& folder, const QString& filter) override;

    // True once a warning or an error was told.
    bool toldProblem() const { return m_toldProblem; }

private:
    QTextStream& m_out;
    bool m_toldProblem = false;
};
