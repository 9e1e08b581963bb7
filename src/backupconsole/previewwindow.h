#pragma once

#include "backupconsole/consolecontext.h"

#include <QSizeF>
#include <QWidget>

class CodeView;
class QPushButton;
class ScriptEditor;

// Preview1: one backup snapshot in Text1, with "Revert all" (Command1), which puts the whole
// snapshot back into the editor it came from, and "Add selected to NOTES" (Command2), which
// appends the selected part to the notes. Deletes itself when closed.
class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWindow(const ConsoleContext& context, QWidget* parent = nullptr);

    void setSnapshotText(const QString& text);
    // Shows the window at its opening size, centred on the screen.
    void open();
    ScriptEditor* textBox() const { return m_text; }

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

    ConsoleContext m_context;
    ScriptEditor* m_text = nullptr;
    CodeView* m_lines = nullptr;
    QPushButton* m_revert = nullptr;
    QPushButton* m_toNotes = nullptr;
};
