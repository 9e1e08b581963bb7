#pragma once

#include <QObject>

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStartAsksInOrder();
    void cancelledDirectoryIsStoredEmpty();
    void yesLoadsTheLastProject();
    void noLeavesTheEditorsEmpty();
    void settingsGiveGameDirAndHelpFlag();
    void timersFinishTheStart();
    void narrowScreenMaximises_data();
    void narrowScreenMaximises();
    void badSettingsFilesStillStart_data();
    void badSettingsFilesStillStart();
    void unreadableProjectFileIsReported();
    void hugeAndBinaryProjectFilesLoad();
};

class LayoutSwitchTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void switchCarriesTheProjectBothWays();
    void layout1024LoadsItsOwnSettingsAndTimers();
    void hiddenHelpStaysHiddenAfterSwitchingBack();
};

class SaveAndExportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void manualSaveShowsTheSignOnce();
    void highBytesSurviveEditorAndSave();
    void failedSaveShowsNoSign();
    void exportThroughTheWindow();
    void missingSkirmishFolderSaysWhichFiles();
    void closeBoxSavesWithoutNotes();
};
