// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"

#include <QWidget>

class Dialogs;
class QComboBox;
class QLineEdit;
class QPushButton;
class TemplateTextBox;
struct ManualSelectorState;

// MTS1, the manual template selector: the author chooses a propulsion, a body and a weapon,
// and each ">> VALIDATE <<" (or Enter anywhere in the window) adds the template under the next
// number to the three boxes of Templates.txt, AssignWeapons.txt and Names.txt. It writes no
// file; the author copies the lines.
class ManualSelectorWindow : public QWidget {
    Q_OBJECT
public:
    ManualSelectorWindow(ManualSelectorState& state, Dialogs& dialogs, QWidget* parent = nullptr);

    // Reads the six lists of the mts folder and offers their names; the next number is 0.
    // Gives the lists that could not be read.
    QList<FileFailure> load(const QString& workDir);
    void validate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void onNumberTyped(const QString& text);

    ManualSelectorState& m_state;
    Dialogs& m_dialogs;
    QComboBox* m_propulsions;
    QComboBox* m_bodies;
    QComboBox* m_weapons;
    QLineEdit* m_number;
    QPushButton* m_validate;
    QLineEdit* m_quote;
    TemplateTextBox* m_records;
    TemplateTextBox* m_assignments;
    TemplateTextBox* m_names;
};
