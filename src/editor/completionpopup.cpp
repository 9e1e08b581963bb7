// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/completionpopup.h"

#include "editor/classiclook.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>

namespace {

constexpr int kVisibleRows = 12;
// Column widths are measured on the first rows: a list of a thousand names opens at once.
constexpr int kMeasuredRows = 4 * kVisibleRows;

} // namespace

// The rows as a table: the name with its detail, the kind, the type.
class CompletionRows : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(QList<CompletionPopup::Row> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }
    const QList<CompletionPopup::Row>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }

    static QString cell(const CompletionPopup::Row& row, int column)
    {
        switch (column) {
        case 0:
            return row.name + row.detail;
        case 1:
            return row.kind;
        default:
            return row.type;
        }
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::DisplayRole)
            return cell(m_rows.at(index.row()), index.column());
        if (role == Qt::ForegroundRole && index.column() > 0)
            return QColor(index.column() == 1 ? QColor(96, 96, 96) : QColor(0, 96, 128));
        return {};
    }

private:
    QList<CompletionPopup::Row> m_rows;
};

CompletionPopup::CompletionPopup(QWidget& editor) : QTreeView(&editor), m_rows(new CompletionRows(this))
{
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setObjectName(editor.objectName() + QStringLiteral("_COMPLETION"));
    setToolTip(QStringLiteral("Enter or Tab inserts the name; Escape closes (Ctrl+Space opens the list)"));
    setModel(m_rows);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFont(classiclook::font());
    header()->setSectionResizeMode(QHeaderView::Fixed);
    header()->setStretchLastSection(false);
    connect(this, &QTreeView::doubleClicked, this,
            [this](const QModelIndex& index) { Q_EMIT rowChosen(index.row()); });
}

void CompletionPopup::setRows(QList<Row> rows)
{
    m_rows->setRows(std::move(rows));
    const QFontMetrics metrics(font());
    const int measured = qMin(kMeasuredRows, m_rows->rowCount());
    for (int column = 0; column < 3; ++column) {
        int width = 0;
        for (int row = 0; row < measured; ++row)
            width =
                qMax(width, metrics.horizontalAdvance(CompletionRows::cell(m_rows->rows().at(row), column)));
        setColumnWidth(column, width + 12);
    }
    if (m_rows->rowCount() > 0)
        setCurrentIndex(m_rows->index(0, 0));
}

int CompletionPopup::rowCount() const
{
    return m_rows->rowCount();
}

void CompletionPopup::showAt(const QPoint& globalTopLeft, int lineHeight)
{
    const int rowHeight = qMax(1, sizeHintForRow(0));
    const int rows = qMin(kVisibleRows, qMax(1, m_rows->rowCount()));
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < 3; ++column)
        width += columnWidth(column);
    const QSize size(qMin(width, 640), rows * rowHeight + 2 * frameWidth());
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
    scrollTo(currentIndex());
}

int CompletionPopup::currentRow() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

int CompletionPopup::rowsPerPage() const
{
    return qMax(1, viewport()->height() / qMax(1, sizeHintForRow(0)) - 1);
}

void CompletionPopup::moveSelection(int rows)
{
    const int count = m_rows->rowCount();
    if (count == 0)
        return;
    const QModelIndex to = m_rows->index(qBound(0, currentRow() + rows, count - 1), 0);
    setCurrentIndex(to);
    scrollTo(to);
}
