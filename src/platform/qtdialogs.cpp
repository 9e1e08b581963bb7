// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qtdialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon toQt(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Warning:
        return QMessageBox::Warning;
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The program's texts use CR LF; a label wants plain line feeds.
QString forDisplay(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

Dialogs::Answer run(const QString& title, const QString& text, Dialogs::Icon icon,
                    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(toQt(icon), title, forDisplay(text), buttons, QApplication::activeWindow());
    box.setDefaultButton(defaultButton);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Dialogs::Answer::Yes;
    case QMessageBox::No:
        return Dialogs::Answer::No;
    case QMessageBox::Retry:
        return Dialogs::Answer::Retry;
    case QMessageBox::Ok:
        return Dialogs::Answer::Ok;
    default:
        return Dialogs::Answer::Cancel;
    }
}

} // namespace

Dialogs::Answer QtDialogs::askYesNo(const QString& title, const QString& text, Icon icon,
                                    Answer defaultAnswer)
{
    const Answer answer = run(title, text, icon, QMessageBox::Yes | QMessageBox::No,
                              defaultAnswer == Answer::No ? QMessageBox::No : QMessageBox::Yes);
    // Closing the box with Escape or its close box counts as No.
    return answer == Answer::Yes ? Answer::Yes : Answer::No;
}

Dialogs::Answer QtDialogs::askYesNoCancel(const QString& title, const QString& text, Icon icon)
{
    return run(title, text, icon, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
}

Dialogs::Answer QtDialogs::askRetryCancel(const QString& title, const QString& text, Icon icon)
{
    return run(title, text, icon, QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry);
}

void QtDialogs::tell(const QString& title, const QString& text, Icon icon)
{
    run(title, text, icon, QMessageBox::Ok, QMessageBox::Ok);
}

int QtDialogs::askChoice(const QString& title, const QString& text, Icon icon, const QStringList& buttons)
{
    QMessageBox box(toQt(icon), title, forDisplay(text), QMessageBox::NoButton, QApplication::activeWindow());
    QList<QPushButton*> pushButtons;
    for (const QString& caption : buttons)
        pushButtons.append(box.addButton(caption, QMessageBox::AcceptRole));
    if (pushButtons.isEmpty())
        return -1;
    box.setDefaultButton(pushButtons.first());
    box.setEscapeButton(pushButtons.last());
    box.exec();
    const qsizetype pressed = pushButtons.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
    return int(pressed >= 0 ? pressed : pushButtons.size() - 1);
}

QString QtDialogs::askText(const QString& title, const QString& prompt, const QString& defaultText)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), title, forDisplay(prompt),
                                               QLineEdit::Normal, defaultText, &accepted);
    return accepted ? text : QString();
}

QString QtDialogs::chooseFileToOpen(const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, filter);
}
