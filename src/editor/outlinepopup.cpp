// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/outlinepopup.h"

#include "editor/classiclook.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

OutlinePopup::OutlinePopup(QWidget& editor)
    : QFrame(&editor, Qt::Popup), m_editor(editor), m_filter(new QLineEdit(this)),
      m_list(new QTreeWidget(this))
{
    setObjectName(editor.objectName() + QStringLiteral("_OUTLINE"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    m_filter->setObjectName(objectName() + QStringLiteral("_FILTER"));
    m_filter->setPlaceholderText(QStringLiteral("Type part of a name"));
    m_filter->setToolTip(QStringLiteral("Filters the outline (Ctrl+Shift+O); Up and Down choose, Enter goes "
                                        "there, Escape closes"));
    m_list->setObjectName(objectName() + QStringLiteral("_LIST"));
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setColumnCount(4);
    m_list->setHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Kind"), QStringLiteral("Line"), QStringLiteral("Detail")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setStretchLastSection(true);
    m_list->setFont(classiclook::font());
    m_filter->installEventFilter(this);
    connect(m_filter, &QLineEdit::textEdited, this, &OutlinePopup::filterEdited);
    connect(m_list, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Q_EMIT rowChosen(m_list->indexOfTopLevelItem(item)); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_filter);
    layout->addWidget(m_list);
}

void OutlinePopup::setRows(const QList<Row>& rows)
{
    m_list->setUpdatesEnabled(false);
    m_list->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const Row& r : rows)
        items.append(new QTreeWidgetItem({r.name, r.kind, QString::number(r.line), r.detail}));
    m_list->addTopLevelItems(items);
    if (!items.isEmpty())
        m_list->setCurrentItem(items.first());
    for (int column = 0; column < 3; ++column)
        m_list->resizeColumnToContents(column);
    m_list->setUpdatesEnabled(true);
}

void OutlinePopup::open()
{
    m_filter->clear();
    const QSize size(qMin(560, qMax(360, m_editor.width() - 40)),
                     qMin(420, qMax(200, m_editor.height() - 40)));
    const QPoint centre = m_editor.mapToGlobal(m_editor.rect().center());
    setGeometry(QRect(centre - QPoint(size.width() / 2, size.height() / 2), size));
    show();
    raise();
    activateWindow();
    m_filter->setFocus(Qt::PopupFocusReason);
}

bool OutlinePopup::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_filter || event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int count = m_list->topLevelItemCount();
    const int row = m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
    auto select = [this, count](int to) {
        if (count > 0)
            m_list->setCurrentItem(m_list->topLevelItem(qBound(0, to, count - 1)));
    };
    switch (key) {
    case Qt::Key_Down:
        select(row + 1);
        return true;
    case Qt::Key_Up:
        select(row - 1);
        return true;
    case Qt::Key_PageDown:
        select(row + 10);
        return true;
    case Qt::Key_PageUp:
        select(row - 10);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (row >= 0)
            Q_EMIT rowChosen(row);
        return true;
    default:
        return false;
    }
}
