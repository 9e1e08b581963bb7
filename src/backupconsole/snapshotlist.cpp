// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupconsole/snapshotlist.h"

#include "editor/classiclook.h"
#include "workspace/snapshotname.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStringListModel>
#include <filesystem>

namespace {
const QColor kListBackground(199, 211, 233);
const QColor kHintColour(96, 104, 128);
} // namespace

// The names, with a tooltip built only when it is shown: a folder of many thousand snapshots
// is listed without reading a single file's size.
class SnapshotNamesModel : public QStringListModel {
public:
    using QStringListModel::QStringListModel;

    QString folder;

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::ToolTipRole)
            return QStringListModel::data(index, role);
        const QString name = QStringListModel::data(index, Qt::DisplayRole).toString();
        const QFileInfo info(QDir(folder).filePath(name));
        std::optional<qint64> size;
        int links = 1;
        if (info.isFile()) {
            size = info.size();
            std::error_code error;
            const auto count = std::filesystem::hard_link_count(
                std::filesystem::path(QFile::encodeName(info.filePath()).toStdString()), error);
            if (!error)
                links = int(count);
        }
        return snapshotname::describe(name, size, links);
    }
};

SnapshotList::SnapshotList(const QString& name, const QString& emptyHint, QWidget* parent)
    : QListView(parent), m_model(new SnapshotNamesModel(this)), m_emptyHint(emptyHint)
{
    setObjectName(name);
    setModel(m_model);
    // Thousands of snapshots: one row height for all keeps filling and scrolling cheap.
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const QFont font = classiclook::font();
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, kListBackground);
    pal.setColor(QPalette::Text, Qt::black);
    pal.setColor(QPalette::Highlight, QColor(0, 0, 128));
    pal.setColor(QPalette::HighlightedText, Qt::white);
    setPalette(pal);
}

void SnapshotList::setNames(const QString& folder, const QStringList& names)
{
    m_model->folder = folder;
    m_model->setStringList(names);
}

QStringList SnapshotList::names() const
{
    return m_model->stringList();
}

void SnapshotList::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListView::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex under = indexAt(event->position().toPoint());
    Q_EMIT entryChosen(under.isValid() ? under.row() : -1);
}

void SnapshotList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const QModelIndex current = currentIndex();
        Q_EMIT entryChosen(current.isValid() ? current.row() : -1);
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void SnapshotList::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    if (m_model->rowCount() > 0)
        return;
    QPainter painter(viewport());
    painter.setPen(kHintColour);
    painter.drawText(viewport()->rect().adjusted(8, 8, -8, -8),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_emptyHint);
}
