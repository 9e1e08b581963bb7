#include "mainwindow/mainwindow.h"

#include "mainwindow/artwork.h"
#include "mainwindow/classiclook.h"
#include "mainwindow/clickarea.h"
#include "mainwindow/hiddentextbuffer.h"
#include "mainwindow/scripteditor.h"
#include "mainwindow/splitter.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace {

} // namespace

MainWindow::MainWindow(const layout::Table& table, QWidget* parent)
    : QWidget(parent), m_table(table), m_drag(table.handleStrip)
{
    setObjectName(table.windowName);
    setWindowTitle(QStringLiteral("QRB2 \u2013 Warzone 2100 skirmish AI workbench"));
    setWindowFlag(Qt::FramelessWindowHint);
    // The controls stand where the design puts them; a maximised window shows more background.
    const QSize client(twips::toPixels(table.client.width()), twips::toPixels(table.client.height()));
    setMinimumSize(client);
    resize(client);
    setAttribute(Qt::WA_OpaquePaintEvent);

    for (const layout::Control& control : table.controls)
        createControl(control);
    createHiddenControls();

    connect(m_splitter, &QScrollBar::valueChanged, this, &MainWindow::applySplitter);
    connect(m_splitter, &QScrollBar::sliderMoved, this, &MainWindow::applySplitter);
}

MainWindow::~MainWindow()
{
    delete m_background;
}

QRect MainWindow::pixels(const QRectF& r) const
{
    return twips::toPixels(r.left(), r.top(), r.width(), r.height());
}

QWidget* MainWindow::control(const QString& name) const
{
    return findChild<QWidget*>(name);
}

void MainWindow::createControl(const layout::Control& c)
{
    QWidget* widget = nullptr;
    switch (c.kind) {
    case layout::Kind::ClickArea: {
        auto* area = new ClickArea(c.name, c.tip, this);
        area->setAccessibleDescription(c.caption);
        connect(area, &ClickArea::clicked, this, [this, name = c.name] { Q_EMIT commandClicked(name); });
        widget = area;
        break;
    }
    case layout::Kind::Decoration:
        widget = new DecorationArea(c.name, this);
        break;
    case layout::Kind::Editor: {
        auto* editor = new ScriptEditor(c.name, this);
        (c.name == QLatin1String("SLO") ? m_slo : m_vlo) = editor;
        widget = editor;
        break;
    }
    case layout::Kind::TextBox: {
        auto* box = new QLineEdit(this);
        box->setObjectName(c.name);
        box->setFont(classiclook::font(8.25, true));
        classiclook::paintDarkBlue(*box, c.name == QLatin1String("GAMEDIR") ? Qt::white : Qt::cyan);
        if (c.name == QLatin1String("GAMEDIR")) {
            box->setText(QStringLiteral("c:\\wz2100\\multiplay\\skirmish"));
            box->setToolTip(QStringLiteral("The game's folder, without a separator at its end"));
            m_gameDir = box;
        } else if (c.name == QLatin1String("TEXT_SEEKER")) {
            box->setToolTip(QStringLiteral("Text to search for, without regard to letter case"));
            m_textSeeker = box;
        } else {
            box->setToolTip(QStringLiteral("Line number"));
            m_lineBox = box;
        }
        widget = box;
        break;
    }
    case layout::Kind::Button: {
        auto* button = new QPushButton(c.caption, this);
        button->setObjectName(c.name);
        button->setFont(classiclook::font(8.25, true));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, [this, name = c.name] { Q_EMIT commandClicked(name); });
        widget = button;
        break;
    }
    case layout::Kind::Label: {
        auto* label = new QLabel(c.caption, this);
        label->setObjectName(c.name);
        label->setFont(classiclook::font(8.25, true));
        label->setStyleSheet(QStringLiteral("color: rgb(192, 204, 226);"));
        widget = label;
        break;
    }
    case layout::Kind::LinkLabel: {
        auto* label = new LinkLabel(c.name, c.caption, c.tip, this);
        label->setFont(classiclook::font(8.25, true));
        label->setStyleSheet(QStringLiteral("QLabel { color: rgb(255, 206, 120); } QLabel:hover { color: white; }"));
        connect(label, &LinkLabel::clicked, this, [this, name = c.name] { Q_EMIT commandClicked(name); });
        widget = label;
        break;
    }
    case layout::Kind::List: {
        auto* list = new QListWidget(this);
        list->setObjectName(c.name);
        list->addItems(layout::skeletonLines());
        QFont small;
        small.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")});
        small.setPixelSize(m_table.isLayout800 ? 9 : 10);
        list->setFont(small);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setFocusPolicy(Qt::NoFocus);
        list->setSelectionMode(QAbstractItemView::NoSelection);
        list->setToolTip(QStringLiteral("The layout of each generated variable file"));
        classiclook::paintDarkBlue(*list, QColor(168, 168, 168));
        widget = list;
        break;
    }
    case layout::Kind::ScrollBar: {
        m_splitter = new QScrollBar(Qt::Horizontal, this);
        m_splitter->setObjectName(c.name);
        m_splitter->setRange(0, 100);
        m_splitter->setValue(50);
        m_splitter->setToolTip(QStringLiteral("Moves the border between the two editors"));
        widget = m_splitter;
        break;
    }
    }
    widget->setGeometry(pixels(c.rect));
}

void MainWindow::createHiddenControls()
{
    m_sloUndo = new HiddenTextBuffer(QStringLiteral("SLO_UNDO"), this);
    m_vloUndo = new HiddenTextBuffer(QStringLiteral("VLO_UNDO"), this);
    m_export = new HiddenTextBuffer(QStringLiteral("EXPORT"), this);
    m_export->setText(m_table.exportInitialText);

    m_trySave = new QPushButton(QStringLiteral("TRY_SAVE"), this);
    m_trySave->setObjectName(QStringLiteral("TRY_SAVE"));
    m_trySave->hide();
    m_forceSave = new QPushButton(m_table.forceSaveCaption, this);
    m_forceSave->setObjectName(QStringLiteral("FORCE_SAVE"));
    m_forceSave->hide();

    m_sloMenu = classiclook::createEditMenuList(QStringLiteral("SLO_MENU"), this);
    m_vloMenu = classiclook::createEditMenuList(QStringLiteral("VLO_MENU"), this);

    m_firstStart = new QTimer(this);
    m_firstStart->setObjectName(QStringLiteral("FirstStart1"));
    m_firstStart->setInterval(1);
    m_resRec = new QTimer(this);
    m_resRec->setObjectName(QStringLiteral("ResRec1"));
    m_resRec->setInterval(1);
}

void MainWindow::applySplitter()
{
    // While the thumb is dragged its position leads the value.
    const splitter::Geometry g = splitter::compute(m_table, m_splitter->sliderPosition());
    const QRectF slo = m_table.find(QStringLiteral("SLO"))->rect;
    const QRectF vlo = m_table.find(QStringLiteral("VLO"))->rect;
    m_slo->setGeometry(pixels(QRectF(slo.left(), slo.top(), g.sloWidth, slo.height())));
    m_vlo->setGeometry(pixels(QRectF(g.vloLeft, vlo.top(), g.vloWidth, vlo.height())));
}

QString MainWindow::sloText() const
{
    return m_slo->text();
}

QString MainWindow::vloText() const
{
    return m_vlo->text();
}

QString MainWindow::gameDirectory() const
{
    return m_gameDir->text();
}

void MainWindow::setExportText(const QString& text)
{
    m_export->setText(text);
}

void MainWindow::paintEvent(QPaintEvent*)
{
    if (!m_background)
        m_background = new QPixmap(artwork::paintBackground(m_table));
    QPainter painter(this);
    if (width() > m_background->width() || height() > m_background->height())
        painter.fillRect(rect(), QColor(18, 24, 38));
    painter.drawPixmap(0, 0, *m_background);
}

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    const QPointF p = event->position();
    if (m_drag.press(twips::fromPixels(p.x()), twips::fromPixels(p.y()))) {
        // A maximised window is restored before it moves.
        if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
            setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    }
    event->accept();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF p = event->position();
    const QPointF by = m_drag.moveBy(twips::fromPixels(p.x()), twips::fromPixels(p.y()));
    if (m_drag.active() && !by.isNull())
        move(pos() + QPoint(twips::toPixels(by.x()), twips::toPixels(by.y())));
    event->accept();
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event)
{
    m_drag.release();
    event->accept();
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Maximised becomes normal, normal becomes maximised.
    if (windowState() & Qt::WindowMaximized)
        showNormal();
    else
        showMaximized();
    event->accept();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    Q_EMIT closeRequested(event);
}
