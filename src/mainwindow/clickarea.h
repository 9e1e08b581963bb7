// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QLabel>

// A transparent area over the background artwork that acts like a button. It paints only a
// light highlight while the pointer is over it or it is pressed.
class ClickArea : public QAbstractButton {
    Q_OBJECT
public:
    ClickArea(const QString& name, const QString& tip, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool m_hovered = false;
};

// Artwork that does nothing: it takes the mouse's presses so that they neither move nor
// maximise the window behind it.
class DecorationArea : public QWidget {
    Q_OBJECT
public:
    DecorationArea(const QString& name, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// A label used as a button ("Internal Help", "SLO to NTS").
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& name, const QString& caption, const QString& tip, QWidget* parent);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
