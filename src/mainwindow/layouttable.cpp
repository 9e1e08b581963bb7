// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/layouttable.h"

namespace layout {

namespace {

const QString kTipExportScripts =
    QStringLiteral("Write the script as player0.slo to player7.slo into the game's skirmish folder");
const QString kTipExportVariables = QStringLiteral(
    "Generate player0.vlo to player7.vlo around the variable list, into the game's skirmish folder");
const QString kTipSave =
    QStringLiteral("Save the script, the variable list and the notes, after a backup snapshot");
const QString kTipGame = QStringLiteral("Start the game from its folder");
const QString kTipNotes = QStringLiteral("Open the Runtime Notes");
const QString kTipConsole = QStringLiteral("Open the backup console: preview and restore earlier snapshots");
const QString kTipTemplates = QStringLiteral("Droid template tools");
const QString kTipOpenAi = QStringLiteral("Open an AI you already have: a .slo into SLO and the .vlo beside "
                                          "it into VLO, without its generated head");
const QString kTipExit = QStringLiteral("Exit");
const QString kTipMinimise = QStringLiteral("Minimise");
const QString kTipInternalHelp = QStringLiteral("Open the scripting language help");
const QString kTipExternalHelp =
    QStringLiteral("Open the scripting language reference in your document viewer");

// The controls both layouts share, in the order the window creates them.
QList<Control> common(const QRectF& slo, const QRectF& vlo, const QRectF& scroll)
{
    return {
        {QStringLiteral("SLO"), Kind::Editor, slo, {}},
        {QStringLiteral("VLO"), Kind::Editor, vlo, {}},
        {QStringLiteral("HScroll1"), Kind::ScrollBar, scroll, {}},
    };
}

Table make1024()
{
    Table t;
    t.windowName = QStringLiteral("form1024");
    t.client = {15345, 11550};
    t.splitterUnit = 74.55;
    t.splitterGap = 200;
    t.handleStrip = 250;
    t.forceSaveCaption = QStringLiteral("FORCE_SAVE");
    t.exportInitialText = QStringLiteral("Text1");
    t.switchAreaName = QStringLiteral("Command5");
    t.switchCaption = QStringLiteral("800 LAYOUT");
    t.isLayout800 = false;
    t.backspaceSnapshotInSlo = false;
    t.controls = common({120, 2880, 7695, 7455}, {7920, 2880, 7335, 7455}, {0, 10440, 15135, 135});
    t.controls += {
        {QStringLiteral("Image8"),
         Kind::ClickArea,
         {0, 0, 135, 135},
         {},
         QStringLiteral("Switch to the 800 x 600 layout")},
        {QStringLiteral("Image2"), Kind::ClickArea, {14760, 0, 135, 375}, QStringLiteral("_"), kTipMinimise},
        {QStringLiteral("Image1"), Kind::ClickArea, {15000, 120, 255, 255}, QStringLiteral("X"), kTipExit},
        {QStringLiteral("Image4"), Kind::Decoration, {180, 30, 195, 195}, {}},
        {QStringLiteral("Image5"), Kind::Decoration, {12840, 1260, 1935, 60}, {}},
        {QStringLiteral("Image6"), Kind::Decoration, {2880, 1260, 9735, 60}, {}},
        {QStringLiteral("Image7"), Kind::Decoration, {120, 2520, 2640, 60}, {}},
        {QStringLiteral("Image9"), Kind::Decoration, {120, 11160, 195, 195}, {}},
        {QStringLiteral("Image10"), Kind::Decoration, {15030, 11160, 195, 195}, {}},
        {QStringLiteral("List1"), Kind::List, {120, 360, 2640, 1560}, {}},
        {QStringLiteral("Label1"), Kind::Label, {120, 1980, 1320, 240}, QStringLiteral("SELECTED:")},
        {QStringLiteral("Label2"),
         Kind::LinkLabel,
         {120, 2250, 1275, 255},
         QStringLiteral("SLO to NTS"),
         QStringLiteral("You may use F10 key...")},
        {QStringLiteral("Label3"),
         Kind::LinkLabel,
         {1485, 2250, 1275, 255},
         QStringLiteral("VLO to NTS"),
         QStringLiteral("You may use F11 key...")},
        {QStringLiteral("GAMEDIR"), Kind::TextBox, {4920, 600, 7575, 330}, {}},
        {QStringLiteral("Command15"),
         Kind::LinkLabel,
         {12840, 450, 1935, 300},
         QStringLiteral("Internal Help"),
         kTipInternalHelp},
        {QStringLiteral("Command14"),
         Kind::LinkLabel,
         {12840, 810, 1935, 300},
         QStringLiteral("External Help"),
         kTipExternalHelp},
        {QStringLiteral("Command17"),
         Kind::ClickArea,
         {2880, 1440, 1935, 495},
         QStringLiteral("BACKUPS"),
         kTipConsole},
        {QStringLiteral("OPEN_AI"),
         Kind::ClickArea,
         {4860, 1440, 1815, 495},
         QStringLiteral("OPEN AI"),
         kTipOpenAi},
        {QStringLiteral("Command10"),
         Kind::ClickArea,
         {6720, 1440, 1935, 495},
         QStringLiteral("NOTES"),
         kTipNotes},
        {QStringLiteral("Command7"),
         Kind::ClickArea,
         {10680, 1440, 1935, 495},
         QStringLiteral("START GAME"),
         kTipGame},
        {QStringLiteral("Image3"),
         Kind::ClickArea,
         {12840, 1440, 1935, 495},
         QStringLiteral("TEMPLATES"),
         kTipTemplates},
        {QStringLiteral("Command1"),
         Kind::ClickArea,
         {2880, 2040, 1935, 495},
         QStringLiteral("EXPORT .SLO"),
         kTipExportScripts},
        {QStringLiteral("Command4"),
         Kind::ClickArea,
         {6720, 2040, 1935, 495},
         QStringLiteral("SAVE"),
         kTipSave},
        {QStringLiteral("Command2"),
         Kind::ClickArea,
         {10680, 2040, 1935, 495},
         QStringLiteral("EXPORT .VLO"),
         kTipExportVariables},
        {QStringLiteral("Command5"),
         Kind::ClickArea,
         {12840, 2040, 1935, 495},
         QStringLiteral("800 LAYOUT"),
         QStringLiteral("Switch to the 800 x 600 layout")},
        {QStringLiteral("Label7"), Kind::Label, {120, 10710, 690, 255}, QStringLiteral("TEXT :")},
        {QStringLiteral("TEXT_SEEKER"), Kind::TextBox, {840, 10665, 3480, 330}, {}},
        {QStringLiteral("Command12"), Kind::Button, {4440, 10665, 600, 330}, QStringLiteral("1st")},
        {QStringLiteral("NEXT_SEEK_CMD"), Kind::Button, {5070, 10665, 900, 330}, QStringLiteral("&SLO")},
        {QStringLiteral("Command11"), Kind::Button, {6090, 10665, 600, 330}, QStringLiteral("1st")},
        {QStringLiteral("Command13"), Kind::Button, {6720, 10665, 900, 330}, QStringLiteral("&VLO")},
        {QStringLiteral("Label5"), Kind::Label, {7920, 10710, 840, 255}, QStringLiteral("Line # :")},
        {QStringLiteral("LINEINT1"), Kind::TextBox, {8760, 10665, 1200, 330}, {}},
        {QStringLiteral("Command8"), Kind::Button, {10080, 10665, 900, 330}, QStringLiteral("SLO")},
        {QStringLiteral("Command9"), Kind::Button, {11010, 10665, 900, 330}, QStringLiteral("VLO")},
    };
    return t;
}

Table make800()
{
    Table t;
    t.windowName = QStringLiteral("Form800");
    t.client = {12000, 9000};
    t.splitterUnit = 57.75;
    t.splitterGap = 225;
    t.handleStrip = 220;
    t.forceSaveCaption = QStringLiteral("FORCE SAVE");
    t.exportInitialText = QStringLiteral("EXPORT\r\n");
    t.switchAreaName = QStringLiteral("Command6");
    t.switchCaption = QStringLiteral("1024 LAYOUT");
    t.isLayout800 = true;
    t.backspaceSnapshotInSlo = true;
    t.controls = common({120, 2280, 5655, 5775}, {5880, 2280, 6015, 5775}, {120, 8160, 11655, 135});
    t.controls += {
        {QStringLiteral("Image8"),
         Kind::ClickArea,
         {0, 0, 135, 135},
         {},
         QStringLiteral("Switch to the 1024 x 768 layout")},
        {QStringLiteral("Image2"), Kind::ClickArea, {11475, 0, 135, 330}, QStringLiteral("_"), kTipMinimise},
        {QStringLiteral("Image1"), Kind::ClickArea, {11685, 105, 225, 225}, QStringLiteral("X"), kTipExit},
        {QStringLiteral("Image4"), Kind::Decoration, {165, 22, 180, 180}, {}},
        {QStringLiteral("Image5"), Kind::Decoration, {10500, 930, 1380, 45}, {}},
        {QStringLiteral("Image6"), Kind::Decoration, {2850, 930, 6600, 45}, {}},
        {QStringLiteral("Image7"), Kind::Decoration, {120, 2190, 2580, 45}, {}},
        {QStringLiteral("Image9"), Kind::Decoration, {120, 8700, 180, 180}, {}},
        {QStringLiteral("Image10"), Kind::Decoration, {11700, 8700, 180, 180}, {}},
        {QStringLiteral("List1"), Kind::List, {120, 300, 2580, 1320}, {}},
        {QStringLiteral("Label1"), Kind::Label, {120, 1665, 1200, 225}, QStringLiteral("SELECTED:")},
        {QStringLiteral("Label2"),
         Kind::LinkLabel,
         {120, 1905, 1035, 240},
         QStringLiteral("SLO to NTS"),
         QStringLiteral("You may use F10 key...")},
        {QStringLiteral("Label3"),
         Kind::LinkLabel,
         {1230, 1905, 1050, 240},
         QStringLiteral("VLO to NTS"),
         QStringLiteral("You may use F11 key...")},
        {QStringLiteral("GAMEDIR"), Kind::TextBox, {4380, 450, 5880, 315}, {}},
        {QStringLiteral("Command15"),
         Kind::LinkLabel,
         {10500, 330, 1380, 270},
         QStringLiteral("Internal Help"),
         kTipInternalHelp},
        {QStringLiteral("Command14"),
         Kind::LinkLabel,
         {10500, 630, 1380, 270},
         QStringLiteral("External Help"),
         kTipExternalHelp},
        {QStringLiteral("Command17"),
         Kind::ClickArea,
         {2850, 1080, 1500, 450},
         QStringLiteral("BACKUPS"),
         kTipConsole},
        {QStringLiteral("OPEN_AI"),
         Kind::ClickArea,
         {4395, 1080, 960, 450},
         QStringLiteral("OPEN AI"),
         kTipOpenAi},
        {QStringLiteral("Command10"),
         Kind::ClickArea,
         {5400, 1080, 1500, 450},
         QStringLiteral("NOTES"),
         kTipNotes},
        {QStringLiteral("Command7"),
         Kind::ClickArea,
         {7950, 1080, 1500, 450},
         QStringLiteral("START GAME"),
         kTipGame},
        {QStringLiteral("Image3"),
         Kind::ClickArea,
         {10500, 1080, 1380, 450},
         QStringLiteral("TEMPLATES"),
         kTipTemplates},
        {QStringLiteral("Command1"),
         Kind::ClickArea,
         {2850, 1650, 1500, 450},
         QStringLiteral("EXPORT .SLO"),
         kTipExportScripts},
        {QStringLiteral("Command4"),
         Kind::ClickArea,
         {5400, 1650, 1500, 450},
         QStringLiteral("SAVE"),
         kTipSave},
        {QStringLiteral("Command2"),
         Kind::ClickArea,
         {7950, 1650, 1500, 450},
         QStringLiteral("EXPORT .VLO"),
         kTipExportVariables},
        {QStringLiteral("Command6"),
         Kind::ClickArea,
         {10500, 1650, 1380, 450},
         QStringLiteral("1024 LAYOUT"),
         QStringLiteral("Switch to the 1024 x 768 layout")},
        {QStringLiteral("Label7"), Kind::Label, {120, 8385, 660, 240}, QStringLiteral("TEXT :")},
        {QStringLiteral("TEXT_SEEKER"), Kind::TextBox, {780, 8355, 2580, 300}, {}},
        {QStringLiteral("Command12"), Kind::Button, {3420, 8355, 540, 300}, QStringLiteral("1st")},
        {QStringLiteral("NEXT_SEEK_CMD"), Kind::Button, {3990, 8355, 780, 300}, QStringLiteral("&SLO")},
        {QStringLiteral("Command11"), Kind::Button, {4860, 8355, 540, 300}, QStringLiteral("1st")},
        {QStringLiteral("Command13"), Kind::Button, {5430, 8355, 780, 300}, QStringLiteral("&VLO")},
        {QStringLiteral("Label5"), Kind::Label, {6330, 8385, 750, 240}, QStringLiteral("Line # :")},
        {QStringLiteral("LINEINT1"), Kind::TextBox, {7080, 8355, 1020, 300}, {}},
        {QStringLiteral("Command8"), Kind::Button, {8190, 8355, 780, 300}, QStringLiteral("SLO")},
        {QStringLiteral("Command9"), Kind::Button, {9030, 8355, 780, 300}, QStringLiteral("VLO")},
    };
    return t;
}

} // namespace

const Control* Table::find(const QString& name) const
{
    for (const Control& c : controls) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

const Table& table1024()
{
    static const Table t = make1024();
    return t;
}

const Table& table800()
{
    static const Table t = make800();
    return t;
}

QStringList skeletonLines()
{
    return {
        QStringLiteral("script \"playerX.slo\""),
        QStringLiteral("run"),
        QStringLiteral("{"),
        QStringLiteral("player") + QString(11, QLatin1Char(' ')) + QStringLiteral("INT") +
            QString(12, QLatin1Char(' ')) + QStringLiteral("X"),
        QStringLiteral(" >>YOUR MODIFIED SCRIPT<<"),
        QStringLiteral("}"),
    };
}

} // namespace layout
