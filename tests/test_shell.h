#pragma once

#include <QObject>

#include <memory>

namespace ombrelis {

class ShellFixture;

class ShellCommandsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> shell;

private Q_SLOTS:
    void init();
    void cleanup();
    void startsWithOneEmptyWindow();
    void menuTree_data();
    void menuTree();
    void toolbarButtons();
    void acceleratorTable();
    void acceleratorsNeedADocumentWindow();
    void everyIdentifierIsInTheTable();
    void handlersSitWhereTheTableSays();
    void routeOffersTheViewFirst();
    void scriptIsAlwaysGreyed();
    void undoIsEnabledAndDoesNothing();
    void undoAndRedoEachAction();
    void aboutBoxIsAsked();
    void toolbarCommandHidesAndShowsTheToolbar();
    void checkMarksFollowTheUpdateHandler();

public:
    ShellCommandsTest();
    ~ShellCommandsTest() override;
};

class ShellWindowsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> shell;

private Q_SLOTS:
    void init();
    void cleanup();
    void newWindowsBeyondFourAreRegistered();
    void closingFreesTheEntry();
    void documentWindowIsRegistered();
    void documentAlreadyOpenIsActivated();
    void unreadableDocumentLeavesNoWindow_data();
    void unreadableDocumentLeavesNoWindow();
    void shortPathIsRefusedSilently();
    void commandLineOpensTheFile();
    void commandLineWithAnUnreadableFileFails();
    void openCommandAsksForAFile();
    void saveCommandWritesNothing();
    void droppedFilesOpenAsDocuments();
    void recentFilesAreKeptAndListed();
    void recentFileThatFailsLeavesTheList();
    void windowMenuListsTheWindows();
    void frameTitleFollowsTheActiveWindow();
    void arrangementNeedsAWindow();
    void cascadeStepsEveryWindow();
    void cascadeOfOpenWindows_data();
    void cascadeOfOpenWindows();
    void viewPaintsItsScene();
    void quitClosesEveryWindow();

public:
    ShellWindowsTest();
    ~ShellWindowsTest() override;
};

}  // namespace ombrelis
