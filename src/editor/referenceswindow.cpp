// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/referenceswindow.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

ReferencesWindow::ReferencesWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_summary(new QLabel(this)), m_list(new QTreeView(this)),
      m_model(new QStandardItemModel(0, 4, this))
{
    setObjectName(QStringLiteral("REFERENCES"));
    setWindowTitle(QStringLiteral("References"));
    m_summary->setObjectName(QStringLiteral("ReferenceSummary"));
    m_list->setObjectName(QStringLiteral("ReferenceList"));
    m_list->setToolTip(
        QStringLiteral("Enter or a double-click goes to the place (Shift+F12 in an editor lists "
                       "the places of the name at the caret)"));
    m_model->setHorizontalHeaderLabels(
        {QStringLiteral("Text"), QStringLiteral("Line"), QStringLiteral("Column"), QStringLiteral("Code")});
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->header()->setStretchLastSection(true);
    m_list->installEventFilter(this);
    connect(m_list, &QTreeView::doubleClicked, this,
            [this](const QModelIndex& index) { Q_EMIT rowChosen(index.row()); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_list);
    resize(720, 260);
}

void ReferencesWindow::setReferences(const QString& name, const QList<Row>& rows)
{
    setWindowTitle(QStringLiteral("References to '%1'").arg(name));
    m_model->removeRows(0, m_model->rowCount());
    int slo = 0;
    for (const Row& r : rows) {
        slo += r.text == QLatin1StringView("SLO") ? 1 : 0;
        m_model->appendRow({new QStandardItem(r.text), new QStandardItem(QString::number(r.line)),
                            new QStandardItem(QString::number(r.column)), new QStandardItem(r.code)});
    }
    m_summary->setText(QStringLiteral("'%1': %2 place(s) in the SLO, %3 in the VLO")
                           .arg(name)
                           .arg(slo)
                           .arg(rows.size() - slo));
    for (int column = 0; column < 3; ++column)
        m_list->resizeColumnToContents(column);
    if (!rows.isEmpty())
        m_list->setCurrentIndex(m_model->index(0, 0));
}

void ReferencesWindow::bringForward()
{
    showNormal();
    raise();
    activateWindow();
    m_list->setFocus();
}

bool ReferencesWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_list->currentIndex().isValid()) {
            Q_EMIT rowChosen(m_list->currentIndex().row());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
