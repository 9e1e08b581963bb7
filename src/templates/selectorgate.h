// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class Dialogs;

// Selector_gate1: the small window through which the author reaches the two template tools.
// Each button warns first; only Retry asks for the tool, and the gate closes either way.
class SelectorGate : public QWidget {
    Q_OBJECT
public:
    explicit SelectorGate(Dialogs& dialogs, QWidget* parent = nullptr);

Q_SIGNALS:
    void manualSelectorWanted();
    void generatorWanted();

private:
    void onRts();
    void onMts();

    Dialogs& m_dialogs;
};
