// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogs.h"

// The real boxes: QMessageBox and QInputDialog with the program's titles, texts and icons.
class QtDialogs final : public Dialogs {
public:
    Answer askYesNo(const QString& title, const QString& text, Icon icon,
                    Answer defaultAnswer = Answer::Yes) override;
    Answer askYesNoCancel(const QString& title, const QString& text, Icon icon) override;
    Answer askRetryCancel(const QString& title, const QString& text, Icon icon) override;
    void tell(const QString& title, const QString& text, Icon icon) override;
    int askChoice(const QString& title, const QString& text, Icon icon, const QStringList& buttons) override;
    QString askText(const QString& title, const QString& prompt, const QString& defaultText) override;
    QString chooseFileToOpen(const QString& title, const QString& folder, const QString& filter) override;
};
