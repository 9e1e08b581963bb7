// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListView>

class SnapshotNamesModel;

// One column of the backup console: the names of one kind of snapshot, each with a tooltip
// telling when and by which save it was made and its size. A double-click or Enter reports
// the chosen entry, or -1 when there is no entry under the pointer.
class SnapshotList : public QListView {
    Q_OBJECT
public:
    SnapshotList(const QString& name, const QString& emptyHint, QWidget* parent);

    // `folder` is where the named files lie; their sizes are read when a tooltip is asked for.
    void setNames(const QString& folder, const QStringList& names);
    QStringList names() const;

Q_SIGNALS:
    void entryChosen(int row);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    SnapshotNamesModel* m_model = nullptr;
    QString m_emptyHint;
};
