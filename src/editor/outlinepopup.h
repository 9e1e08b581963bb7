// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

class QLineEdit;
class QTreeWidget;

// The script's outline over the editor: a filter box and the list of events, functions,
// triggers and globals. Typing filters the list, Up and Down move in it, Enter goes to the
// selected row, Escape or a click elsewhere closes it.
class OutlinePopup : public QFrame {
    Q_OBJECT
public:
    struct Row {
        QString name;
        QString kind;
        QString detail;
        int line = 0;
    };

    explicit OutlinePopup(QWidget& editor);

    void setRows(const QList<Row>& rows);
    // Shown over the middle of the editor with an empty filter, the filter box focused.
    void open();
    QLineEdit* filter() const { return m_filter; }
    QTreeWidget* list() const { return m_list; }

Q_SIGNALS:
    void filterEdited(const QString& text);
    void rowChosen(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_editor;
    QLineEdit* m_filter;
    QTreeWidget* m_list;
};
