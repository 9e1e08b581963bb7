#pragma once

#include <QListView>

class QStringListModel;

// One column of the backup console: the names of one kind of snapshot. A double-click or
// Enter reports the chosen entry, or -1 when there is no entry under the pointer.
class SnapshotList : public QListView {
    Q_OBJECT
public:
    SnapshotList(const QString& name, const QString& emptyHint, QWidget* parent);

    void setNames(const QStringList& names);
    QStringList names() const;

Q_SIGNALS:
    void entryChosen(int row);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QStringListModel* m_model = nullptr;
    QString m_emptyHint;
};
