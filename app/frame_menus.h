#pragma once

#include <QList>

class QAction;
class QMenu;
class QMenuBar;

// The items of the main window's menu bar. Each item's object name is its
// menu and index, such as "mnuFile(14)"; the gaps in the indexes are kept
// so that every item can be addressed as the child windows know it.
struct FrameMenus {
    QAction* fileNew;
    QAction* fileOpen;
    QAction* fileOpenSurvey;
    QMenu* fileRecent;
    QAction* fileSave;
    QAction* fileSaveAs;
    QAction* fileClose;
    QAction* filePrintPreview;
    QAction* filePrint;
    QAction* fileReconnect;
    QAction* fileExit;
    QAction* shipParticulars;
    QAction* hydrostaticTables;
    QAction* port;
    QAction* loading;
    QAction* discharging;
    QAction* calculator;
    QAction* notepad;
    QMenu* window;
    QAction* dailyTips;
    QAction* contents;
    QAction* technicalSupport;
    QList<QAction*> webLinks;
    QAction* submitBugs;
    QAction* about;
};

// Builds the menus into the bar, with the captions, shortcuts and icons of
// the program; the items do nothing until connected.
FrameMenus buildFrameMenus(QMenuBar& bar);
