// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTreeView>

class CompletionRows;

// The names offered at the caret: one row each with its kind and type, the best one selected.
// It floats below the caret without taking the focus; the editor's keys move the selection
// (Up, Down, Page Up, Page Down) and choose (Enter, Tab), as the tooltip says.
class CompletionPopup : public QTreeView {
    Q_OBJECT
public:
    struct Row {
        QString name;
        QString detail; // parameters, array sizes, a trigger's condition
        QString kind;
        QString type;
    };

    explicit CompletionPopup(QWidget& editor);

    void setRows(QList<Row> rows);
    int rowCount() const;
    // Shown with its top left corner at a place of the screen, kept on the screen.
    void showAt(const QPoint& globalTopLeft, int lineHeight);
    int currentRow() const;
    void moveSelection(int rows);
    int rowsPerPage() const;

Q_SIGNALS:
    // A double-click on a row.
    void rowChosen(int row);

private:
    CompletionRows* m_rows;
};
