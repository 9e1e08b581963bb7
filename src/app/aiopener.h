// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Dialogs;
class MainWindow;

// OPEN AI and Ctrl+O: the author chooses a .slo (in the game's skirmish folder at first); its
// text goes into SLO and the .vlo beside it into VLO without what the export generates, each as
// one edit that Ctrl+Z takes back. Nothing is written until the next save.
class AiOpener {
public:
    explicit AiOpener(Dialogs& dialogs) : m_dialogs(dialogs) {}

    void open(MainWindow& window);

private:
    Dialogs& m_dialogs;
};
