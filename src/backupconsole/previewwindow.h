// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backupconsole/consolecontext.h"

#include <QSizeF>
#include <QWidget>

class CodeView;
class CompareView;
class QComboBox;
class QPushButton;
class ScriptEditor;

// Preview1: one backup snapshot in Text1, with "Revert all" (Command1), which puts the whole
// snapshot back into the editor it came from, and "Add selected to NOTES" (Command2), which
// appends the selected part to the notes. "Compare with editor" (Command3) switches to the
// compare view, where CompareWith chooses the other side: the editor that "Revert all" would
// replace, or another snapshot of the same file. Both buttons act on the snapshot's own text in
// either view. Deletes itself when closed.
class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWindow(const ConsoleContext& context, QWidget* parent = nullptr);

    // The snapshot shown: its name in the backup folder and its text.
    void setSnapshot(const QString& name, const QString& text);
    // The other snapshots of the same file, which the compare view offers in the console's order.
    void setOtherSnapshots(const QStringList& others);
    // Shows the window at its opening size, centred on the screen.
    void open();
    ScriptEditor* textBox() const { return m_text; }
    bool comparing() const;

Q_SIGNALS:
    void closed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void revertAll();
    void addSelectedToNotes();
    ScriptEditor* revertTarget() const;
    void followWindowSize();
    void toggleCompare();
    void compareWithChoice(int index);
    QString editorText() const;

    ConsoleContext m_context;
    ScriptEditor* m_text = nullptr;
    CodeView* m_lines = nullptr;
    QPushButton* m_revert = nullptr;
    QPushButton* m_toNotes = nullptr;
    QPushButton* m_compareButton = nullptr;
    QComboBox* m_compareWith = nullptr;
    CompareView* m_compare = nullptr;
    QString m_snapshotName;
    QStringList m_others;
    int m_compareIndex = 0;
};
