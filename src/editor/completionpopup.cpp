// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/completionpopup.h"

#include "editor/classiclook.h"

#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>

namespace {

constexpr int kVisibleRows = 12;

} // namespace

CompletionPopup::CompletionPopup(QWidget& editor) : QTreeWidget(&editor)
{
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setObjectName(editor.objectName() + QStringLiteral("_COMPLETION"));
    setToolTip(QStringLiteral("Enter or Tab inserts the name; Escape closes (Ctrl+Space opens the list)"));
    setColumnCount(3);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFont(classiclook::font());
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { Q_EMIT rowChosen(indexOfTopLevelItem(item)); });
}

void CompletionPopup::setRows(const QList<Row>& rows)
{
    setUpdatesEnabled(false);
    clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const Row& row : rows) {
        auto* item = new QTreeWidgetItem({row.name + row.detail, row.kind, row.type});
        item->setForeground(1, QColor(96, 96, 96));
        item->setForeground(2, QColor(0, 96, 128));
        items.append(item);
    }
    addTopLevelItems(items);
    if (!items.isEmpty())
        setCurrentItem(items.first());
    setUpdatesEnabled(true);
}

void CompletionPopup::showAt(const QPoint& globalTopLeft, int lineHeight)
{
    const int rowHeight = qMax(1, sizeHintForRow(0));
    const int rows = qMin(kVisibleRows, qMax(1, topLevelItemCount()));
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < columnCount(); ++column)
        width += sizeHintForColumn(column);
    QSize size(qMin(width, 640), rows * rowHeight + 2 * frameWidth());
    QPoint place = globalTopLeft;
    if (const QScreen* screen = QWidget::screen()) {
        const QRect area = screen->availableGeometry();
        // Above the line when there is no room below it.
        if (place.y() + size.height() > area.bottom())
            place.ry() -= size.height() + lineHeight;
        place.setX(qBound(area.left(), place.x(), qMax(area.left(), area.right() - size.width())));
    }
    setGeometry(QRect(place, size));
    show();
    raise();
    if (currentItem())
        scrollToItem(currentItem());
}

int CompletionPopup::currentRow() const
{
    return currentItem() ? indexOfTopLevelItem(currentItem()) : -1;
}

int CompletionPopup::rowsPerPage() const
{
    return qMax(1, viewport()->height() / qMax(1, sizeHintForRow(0)) - 1);
}

void CompletionPopup::moveSelection(int rows)
{
    const int count = topLevelItemCount();
    if (count == 0)
        return;
    const int row = qBound(0, currentRow() + rows, count - 1);
    setCurrentItem(topLevelItem(row));
    scrollToItem(topLevelItem(row));
}
