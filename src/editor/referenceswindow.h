// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QStandardItemModel;
class QTreeView;

// The modeless "References" window: every place of a name, one row each (SLO or VLO, line,
// column and the line's text). Enter or a double-click on a row chooses that place.
class ReferencesWindow : public QWidget {
    Q_OBJECT
public:
    struct Row {
        QString text; // SLO or VLO
        int line = 0; // as the editor's line numbers show it
        int column = 0;
        QString code;
    };

    explicit ReferencesWindow(QWidget* parent = nullptr);

    void setReferences(const QString& name, const QList<Row>& rows);
    QTreeView* list() const { return m_list; }
    void bringForward();

Q_SIGNALS:
    void rowChosen(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_summary;
    QTreeView* m_list;
    QStandardItemModel* m_model;
};
