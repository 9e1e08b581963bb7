// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/finding.h"

#include <QWidget>

class QLabel;
class QStandardItemModel;
class QTreeView;

// The modeless "Problems" window: one row per finding of the script check (severity, SLO or
// VLO, line, column, message; VLO lines in the generated file's numbers). Enter or a
// double-click on a row chooses that finding.
class ProblemsWindow : public QWidget {
    Q_OBJECT
public:
    explicit ProblemsWindow(QWidget* parent = nullptr);

    // A new check: the first row becomes current, or with `keepPlace` (a refresh while the author
    // types) the current row and the scroll position stay where they were.
    void setFindings(const scriptlang::Findings& findings, bool keepPlace = false);
    const scriptlang::Findings& findings() const { return m_findings; }
    QTreeView* list() const { return m_list; }
    void bringForward();
    // Opens beside the main window, leaving its buttons and editors in sight where the screen
    // has room for that.
    void placeBeside(const QWidget& main);

Q_SIGNALS:
    void findingChosen(const scriptlang::Finding& finding);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(int row);

    QLabel* m_summary;
    QTreeView* m_list;
    QStandardItemModel* m_model;
    scriptlang::Findings m_findings;
};
