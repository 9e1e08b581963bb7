// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"
#include "templates/templateexport.h"

#include <QWidget>

class Dialogs;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TemplateTextBox;
struct GeneratorState;
class WriteGuard;

// Form3, the template generator: Rnd, Ord and Feed write into the text area, String into
// RTS/all.txt, and the four export buttons write whole template sets into the RTS folder.
// Everything it counts lives in the program-wide GeneratorState, so closing the window loses
// only the text area.
class GeneratorWindow : public QWidget {
    Q_OBJECT
public:
    GeneratorWindow(GeneratorState& state, Dialogs& dialogs, const QString& workDir,
                    QWidget* parent = nullptr);

    // Sets the limit to 32 and reads the four lists of the RTS folder; gives what could not
    // be read.
    QList<FileFailure> load();
    // Asked before String and the exports write; a read-only copy refuses them.
    void setWriteGuard(const WriteGuard* guard) { m_guard = guard; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* addButton(const QString& name, const QString& caption, int left, int top, int width);
    void onLimitTyped(const QString& text);
    void rnd();
    void ord();
    void string();
    void feed();
    void exportTemplates(templateexport::Button button);
    void reset();
    bool mayWrite(const QString& command);

    GeneratorState& m_state;
    Dialogs& m_dialogs;
    QString m_workDir;
    const WriteGuard* m_guard = nullptr;
    QLineEdit* m_limit;
    QLineEdit* m_quote;
    TemplateTextBox* m_text;
    QFrame* m_line;
    QLabel* m_notice;
};
