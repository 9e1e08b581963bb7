// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"

#include "editor/classiclook.h"
#include "editor/hiddentextbuffer.h"
#include "editor/scripteditor.h"
#include "mainwindow/artwork.h"
#include "mainwindow/clickarea.h"
#include "mainwindow/splitter.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

namespace {

// The layout itself: the painted background with every control on it, at its design size,
// inside a scroll area so that a screen smaller than the layout still reaches all of it.
class LayoutCanvas : public QWidget {
public:
    LayoutCanvas(const layout::Table& table, QWidget* parent) : QWidget(parent), m_table(table)
    {
        setObjectName(QStringLiteral("LayoutCanvas"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (m_background.isNull())
            m_background = artwork::paintBackground(m_table);
        QPainter painter(this);
        painter.drawPixmap(0, 0, m_background);
    }

private:
    const layout::Table& m_table;
    QPixmap m_background;
};

bool isMouseEvent(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
           type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick;
}

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

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("LayoutScroll"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(false);
    QPalette dark = m_scroll->palette();
    dark.setColor(QPalette::Window, QColor(18, 24, 38));
    m_scroll->setPalette(dark);
    m_scroll->setBackgroundRole(QPalette::Window);
    m_canvas = new LayoutCanvas(table, m_scroll);
    m_canvas->setFixedSize(client);
    m_scroll->setWidget(m_canvas);
    m_scroll->setGeometry(rect());
    // Presses on the background reach the window: the strip moves it, a double-click maximises.
    m_canvas->installEventFilter(this);

    for (const layout::Control& control : table.controls)
        createControl(control);
    createHiddenControls();

    connect(m_splitter, &QScrollBar::valueChanged, this, &MainWindow::applySplitter);
    connect(m_splitter, &QScrollBar::sliderMoved, this, &MainWindow::applySplitter);
}

MainWindow::~MainWindow() = default;

QRect MainWindow::pixels(const QRectF& r) const
{
    return twips::toPixels(r.left(), r.top(), r.width(), r.height());
}

QWidget* MainWindow::control(const QString& name) const
{
    return findChild<QWidget*>(name);
}

QLineEdit* MainWindow::createTextBox(const QString& name)
{
    auto* box = new QLineEdit(m_canvas);
    box->setObjectName(name);
    box->setFont(classiclook::font(8.25, true));
    classiclook::paintDarkBlue(*box, name == QLatin1String("GAMEDIR") ? Qt::white : Qt::cyan);
    if (name == QLatin1String("GAMEDIR")) {
        box->setText(QStringLiteral("c:\\wz2100\\multiplay\\skirmish"));
        box->setToolTip(QStringLiteral("The game's folder, without a separator at its end"));
        m_gameDir = box;
    } else if (name == QLatin1String("TEXT_SEEKER")) {
        box->setToolTip(QStringLiteral("Text to search for, without regard to letter case"));
        m_textSeeker = box;
    } else {
        box->setToolTip(QStringLiteral("Line number"));
        m_lineBox = box;
    }
    return box;
}

// The list that shows the layout of each generated variable file.
QListWidget* MainWindow::createSkeletonList(const QString& name)
{
    auto* list = new QListWidget(m_canvas);
    list->setObjectName(name);
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
    return list;
}

void MainWindow::createControl(const layout::Control& c)
{
    QWidget* widget = nullptr;
    const auto reportCommand = [this, command = commandOfControl(c.name)] {
        if (command)
            Q_EMIT commandClicked(*command);
    };
    switch (c.kind) {
    case layout::Kind::ClickArea: {
        auto* area = new ClickArea(c.name, c.tip, m_canvas);
        area->setAccessibleDescription(c.caption);
        connect(area, &ClickArea::clicked, this, reportCommand);
        widget = area;
        break;
    }
    case layout::Kind::Decoration:
        widget = new DecorationArea(c.name, m_canvas);
        break;
    case layout::Kind::Editor: {
        auto* editor = new ScriptEditor(c.name, m_canvas);
        (c.name == QLatin1String("SLO") ? m_slo : m_vlo) = editor;
        widget = editor;
        break;
    }
    case layout::Kind::TextBox:
        widget = createTextBox(c.name);
        break;
    case layout::Kind::Button: {
        auto* button = new QPushButton(c.caption, m_canvas);
        button->setObjectName(c.name);
        button->setFont(classiclook::font(8.25, true));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, reportCommand);
        widget = button;
        break;
    }
    case layout::Kind::Label: {
        auto* label = new QLabel(c.caption, m_canvas);
        label->setObjectName(c.name);
        label->setFont(classiclook::font(8.25, true));
        label->setStyleSheet(QStringLiteral("color: rgb(192, 204, 226);"));
        widget = label;
        break;
    }
    case layout::Kind::LinkLabel: {
        auto* label = new LinkLabel(c.name, c.caption, c.tip, m_canvas);
        label->setFont(classiclook::font(8.25, true));
        label->setStyleSheet(
            QStringLiteral("QLabel { color: rgb(255, 206, 120); } QLabel:hover { color: white; }"));
        connect(label, &LinkLabel::clicked, this, reportCommand);
        widget = label;
        break;
    }
    case layout::Kind::List:
        widget = createSkeletonList(c.name);
        break;
    case layout::Kind::ScrollBar: {
        m_splitter = new QScrollBar(Qt::Horizontal, m_canvas);
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

    m_sloMenu = classiclook::createEditMenuList(QStringLiteral("SLO_MENU"), m_canvas);
    m_vloMenu = classiclook::createEditMenuList(QStringLiteral("VLO_MENU"), m_canvas);

    m_firstStart = new QTimer(this);
    m_firstStart->setObjectName(QStringLiteral("FirstStart1"));
    m_firstStart->setInterval(1);
    m_resRec = new QTimer(this);
    m_resRec->setObjectName(QStringLiteral("ResRec1"));
    m_resRec->setInterval(1);
}

void MainWindow::setReadOnlyMark(const QString& text)
{
    if (!m_readOnlyMark) {
        m_readOnlyMark = new QLabel(m_canvas);
        m_readOnlyMark->setObjectName(QStringLiteral("READ_ONLY"));
        // The strip still moves the window.
        m_readOnlyMark->setAttribute(Qt::WA_TransparentForMouseEvents);
        const int strip = twips::toPixels(m_table.handleStrip);
        const int right = twips::toPixels(m_table.find(QStringLiteral("Image2"))->rect.left()) - strip;
        const int left = m_canvas->width() / 2;
        m_readOnlyMark->setGeometry(left, 0, right - left, strip);
        m_readOnlyMark->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont font = m_readOnlyMark->font();
        font.setBold(true);
        font.setPixelSize(qMax(9, strip - 5));
        m_readOnlyMark->setFont(font);
        m_readOnlyMark->setStyleSheet(QStringLiteral("color: rgb(255, 190, 60); background: transparent;"));
    }
    m_readOnlyMark->setText(text);
    m_readOnlyMark->show();
    m_readOnlyMark->raise();
    setWindowTitle(QStringLiteral("QRB2 \u2013 READ-ONLY \u2013 Warzone 2100 skirmish AI workbench"));
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

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_scroll->setGeometry(rect());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_canvas || !isMouseEvent(event->type()))
        return QWidget::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    QMouseEvent mapped(mouse->type(), m_canvas->mapTo(this, mouse->position()), mouse->scenePosition(),
                       mouse->globalPosition(), mouse->button(), mouse->buttons(), mouse->modifiers());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        mousePressEvent(&mapped);
        break;
    case QEvent::MouseMove:
        mouseMoveEvent(&mapped);
        break;
    case QEvent::MouseButtonRelease:
        mouseReleaseEvent(&mapped);
        break;
    default:
        mouseDoubleClickEvent(&mapped);
        break;
    }
    return true;
}

QRect MainWindow::availableArea() const
{
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect();
}

bool MainWindow::fitsScreen() const
{
    const QRect area = availableArea();
    return area.isEmpty() || (m_canvas->width() <= area.width() && m_canvas->height() <= area.height());
}

void MainWindow::fitIntoScreen()
{
    if (fitsScreen())
        return;
    // Larger than the screen: the window takes what the screen offers and the layout scrolls.
    const QRect area = availableArea();
    m_keptOnScreen = true;
    setMinimumSize(m_canvas->size().boundedTo(area.size()));
    resize(m_canvas->size().boundedTo(area.size()));
    move(keptOnScreen(pos()));
}

QPoint MainWindow::keptOnScreen(const QPoint& topLeft) const
{
    // The whole top strip, with the close mark at its right end, stays on the screen.
    const QRect area = availableArea();
    return QPoint(qBound(area.left(), topLeft.x(), qMax(area.left(), area.right() + 1 - width())),
                  qBound(area.top(), topLeft.y(), qMax(area.top(), area.bottom() + 1 - height())));
}

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    const QPointF p = m_canvas->mapFrom(this, event->position());
    if (m_drag.press(twips::fromPixels(p.x()), twips::fromPixels(p.y()))) {
        // A maximised window is restored before it moves.
        if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
            setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    }
    event->accept();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF p = m_canvas->mapFrom(this, event->position());
    const QPointF by = m_drag.moveBy(twips::fromPixels(p.x()), twips::fromPixels(p.y()));
    if (m_drag.active() && !by.isNull()) {
        const QPoint target = pos() + QPoint(twips::toPixels(by.x()), twips::toPixels(by.y()));
        move(m_keptOnScreen ? keptOnScreen(target) : target);
    }
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
