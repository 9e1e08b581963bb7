// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/problemswindow.h"

#include "mainwindow/besideplacement.h"
#include "mainwindow/closeonescape.h"
#include "scriptlang/checker.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

using scriptlang::Finding;
using scriptlang::Severity;
using scriptlang::TextKind;

ProblemsWindow::ProblemsWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_summary(new QLabel(this)), m_list(new QTreeView(this)),
      m_model(new QStandardItemModel(0, 5, this))
{
    setObjectName(QStringLiteral("PROBLEMS"));
    setWindowTitle(QStringLiteral("Problems"));
    m_summary->setObjectName(QStringLiteral("ProblemSummary"));
    m_list->setObjectName(QStringLiteral("ProblemList"));
    m_model->setHorizontalHeaderLabels({QStringLiteral("Severity"), QStringLiteral("Text"),
                                        QStringLiteral("Line"), QStringLiteral("Column"),
                                        QStringLiteral("Message")});
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->header()->setStretchLastSection(true);
    // A long message ends in "…" within the window; its row's tooltip holds it whole.
    m_list->setTextElideMode(Qt::ElideRight);
    m_list->setWordWrap(false);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->installEventFilter(this);
    connect(m_list, &QTreeView::doubleClicked, this,
            [this](const QModelIndex& index) { choose(index.row()); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_list);
    resize(720, 260);
    closeOnEscape(*this);
}

void ProblemsWindow::placeBeside(const QWidget& main)
{
    const QScreen* screen = main.screen() ? main.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The frame the window system adds is known once the window has been shown.
    const QSize frame = frameGeometry().size() - size();
    const QRect placed = besideplacement::place(main.frameGeometry(), QSize(720, 260) + frame,
                                                QSize(420, 160) + frame, screen->availableGeometry());
    resize(placed.size() - frame);
    move(placed.topLeft());
}

void ProblemsWindow::setFindings(const scriptlang::Findings& findings, bool keepPlace)
{
    const int keptRow = keepPlace ? m_list->currentIndex().row() : -1;
    const int keptScroll = m_list->verticalScrollBar()->value();
    m_findings = findings;
    m_model->removeRows(0, m_model->rowCount());
    int errors = 0;
    for (const Finding& f : findings) {
        const bool error = f.severity == Severity::Error;
        errors += error ? 1 : 0;
        QList<QStandardItem*> row{
            new QStandardItem(error ? QStringLiteral("error") : QStringLiteral("warning")),
            new QStandardItem(f.text == TextKind::Slo ? QStringLiteral("SLO") : QStringLiteral("VLO")),
            new QStandardItem(QString::number(scriptlang::displayedLine(f))),
            new QStandardItem(QString::number(f.column)), new QStandardItem(f.message)};
        for (QStandardItem* cell : row)
            cell->setToolTip(f.message);
        m_model->appendRow(row);
    }
    const int warnings = int(findings.size()) - errors;
    m_summary->setText(findings.isEmpty()
                           ? QStringLiteral("No problems found.")
                           : QStringLiteral("%1 error(s), %2 warning(s)").arg(errors).arg(warnings));
    for (int column = 0; column < 4; ++column)
        m_list->resizeColumnToContents(column);
    if (findings.isEmpty())
        return;
    if (keptRow < 0) {
        m_list->setCurrentIndex(m_model->index(0, 0));
        return;
    }
    m_list->setCurrentIndex(m_model->index(qMin(keptRow, m_model->rowCount() - 1), 0));
    m_list->verticalScrollBar()->setValue(keptScroll);
}

void ProblemsWindow::bringForward()
{
    showNormal();
    raise();
    activateWindow();
    m_list->setFocus();
}

bool ProblemsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            choose(m_list->currentIndex().row());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ProblemsWindow::choose(int row)
{
    if (row >= 0 && row < m_findings.size())
        Q_EMIT findingChosen(m_findings.at(row));
}
