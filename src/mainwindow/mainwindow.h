// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/command.h"
#include "mainwindow/layouttable.h"
#include "mainwindow/windowdrag.h"
#include "workspace/workspaceview.h"

#include <QWidget>

class ClickArea;
class HiddenTextBuffer;
class QLabel;
class LinkLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class QScrollBar;
class QTimer;
class ScriptEditor;

// The main window, in either of its layouts (form1024 or Form800). Its controls carry the
// names of the layout table; a click on one of them reports its command through commandClicked,
// and the workbench decides what runs.
class MainWindow : public QWidget, public WorkspaceView {
    Q_OBJECT
public:
    explicit MainWindow(const layout::Table& table, QWidget* parent = nullptr);
    ~MainWindow() override;

    const layout::Table& table() const { return m_table; }
    bool isLayout800() const { return m_table.isLayout800; }

    ScriptEditor* slo() const { return m_slo; }
    ScriptEditor* vlo() const { return m_vlo; }
    HiddenTextBuffer* sloUndo() const { return m_sloUndo; }
    HiddenTextBuffer* vloUndo() const { return m_vloUndo; }
    HiddenTextBuffer* exportBuffer() const { return m_export; }
    QLineEdit* gameDirBox() const { return m_gameDir; }
    QLineEdit* textSeeker() const { return m_textSeeker; }
    QLineEdit* lineBox() const { return m_lineBox; }
    QListWidget* sloMenu() const { return m_sloMenu; }
    QListWidget* vloMenu() const { return m_vloMenu; }
    QScrollBar* splitterBar() const { return m_splitter; }
    QPushButton* trySaveButton() const { return m_trySave; }
    QPushButton* forceSaveButton() const { return m_forceSave; }
    QTimer* firstStartTimer() const { return m_firstStart; }
    QTimer* resRecTimer() const { return m_resRec; }
    QWidget* control(const QString& name) const;
    const WindowDrag& drag() const { return m_drag; }

    // The copy may not write: the title strip shows `text` ("READ-ONLY ...") at its right,
    // and the window's title says READ-ONLY too.
    void setReadOnlyMark(const QString& text);
    QLabel* readOnlyMark() const { return m_readOnlyMark; }

    // Resizes the editors from the splitter bar's value.
    void applySplitter();

    // A layout larger than the screen's available area: the window is made to fit inside it
    // and the layout scrolls; moving then keeps the top strip and the close mark on screen.
    void fitIntoScreen();
    bool fitsScreen() const;
    QScrollArea* layoutScroll() const { return m_scroll; }

    // WorkspaceView
    QString sloText() const override;
    QString vloText() const override;
    QString gameDirectory() const override;
    void setExportText(const QString& text) override;

Q_SIGNALS:
    // A click area, a label used as a button or a button of the window was clicked.
    void commandClicked(Command command);
    // The window system asks the window to close; the receiver accepts or ignores the event.
    void closeRequested(QCloseEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void createControl(const layout::Control& control);
    QLineEdit* createTextBox(const QString& name);
    QListWidget* createSkeletonList(const QString& name);
    void createHiddenControls();
    QRect pixels(const QRectF& twipRect) const;
    QRect availableArea() const;
    QPoint keptOnScreen(const QPoint& topLeft) const;

    const layout::Table& m_table;
    WindowDrag m_drag;
    ScriptEditor* m_slo = nullptr;
    ScriptEditor* m_vlo = nullptr;
    HiddenTextBuffer* m_sloUndo = nullptr;
    HiddenTextBuffer* m_vloUndo = nullptr;
    HiddenTextBuffer* m_export = nullptr;
    QLineEdit* m_gameDir = nullptr;
    QLineEdit* m_textSeeker = nullptr;
    QLineEdit* m_lineBox = nullptr;
    QListWidget* m_sloMenu = nullptr;
    QListWidget* m_vloMenu = nullptr;
    QScrollBar* m_splitter = nullptr;
    QPushButton* m_trySave = nullptr;
    QPushButton* m_forceSave = nullptr;
    QTimer* m_firstStart = nullptr;
    QTimer* m_resRec = nullptr;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_canvas = nullptr;
    QLabel* m_readOnlyMark = nullptr;
    // Set once the window was fitted into a screen smaller than its layout.
    bool m_keptOnScreen = false;
};
