// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class Dialogs;
class QLabel;
class QLineEdit;
class QPushButton;
class ScriptEditor;

// HELP1, "SCRIPTING LANGUAGE HELP": the help text Help.qrb of the working directory (plain or
// rich text; the built-in help when it is empty or missing) with a search that ignores letter
// case. A small tool window; the text area follows the window's size.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // Loads Help.qrb at once; a file that cannot be read is told through `dialogs`.
    // `seekPosition` is the program-wide work value of the searches.
    HelpWindow(const QString& workDir, Dialogs& dialogs, qint32& seekPosition, QWidget* parent = nullptr);

    ScriptEditor* helpText() const { return m_text; }
    QLineEdit* textSeeker() const { return m_seeker; }
    QPushButton* seekButton() const { return m_seek; }

    // "&SEEK" and Enter in TEXT_SEEKER: selects the next occurrence of the search text.
    void seek();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildControls();
    void loadHelp(const QString& workDir, Dialogs& dialogs);
    void applyFillRule();

    qint32& m_seekPosition;
    QLabel* m_caption = nullptr;
    QLineEdit* m_seeker = nullptr;
    QPushButton* m_seek = nullptr;
    QLabel* m_hint = nullptr;
    ScriptEditor* m_text = nullptr;
};
