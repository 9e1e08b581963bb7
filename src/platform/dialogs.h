// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Every message box and input box of the program goes through this interface, so the
// logic can ask the author without knowing about widgets and tests can answer in order.
class Dialogs {
public:
    enum class Answer { Ok, Yes, No, Cancel, Retry };
    enum class Icon { None, Question, Information, Warning, Critical };

    virtual ~Dialogs() = default;

    // `defaultAnswer` is the button Enter presses: Yes, or No where Yes would be a risk.
    virtual Answer askYesNo(const QString& title, const QString& text, Icon icon,
                            Answer defaultAnswer = Answer::Yes) = 0;
    virtual Answer askYesNoCancel(const QString& title, const QString& text, Icon icon) = 0;
    virtual Answer askRetryCancel(const QString& title, const QString& text, Icon icon) = 0;
    virtual void tell(const QString& title, const QString& text, Icon icon) = 0;
    // A box with buttons of its own ("Open read-only", "Quit"); gives the index of the button
    // pressed, the last one when the box is closed without one.
    virtual int askChoice(const QString& title, const QString& text, Icon icon,
                          const QStringList& buttons) = 0;
    // The typed text, or the empty string when the author cancels.
    virtual QString askText(const QString& title, const QString& prompt, const QString& defaultText) = 0;
    // The path of the file the author chose to open, starting in `folder`, or the empty string
    // when the author cancels. `filter` as the desktop's file box takes it: "AI scripts (*.slo)".
    virtual QString chooseFileToOpen(const QString& title, const QString& folder, const QString& filter) = 0;
};

// The title that boxes without a title of their own show.
inline const QString kApplicationTitle = QStringLiteral("QRB2");
