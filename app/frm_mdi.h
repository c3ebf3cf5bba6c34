#pragma once

#include "child_window.h"
#include "frame_menus.h"
#include "frame_toolbar.h"
#include "shell_options.h"
#include "survey_document.h"
#include "window_registry.h"

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>

class Autosave;
class ChildFrame;
class ProgramSettings;
class SurveyFiles;
class Survey;
class SurveyWorksheet;
class QMdiArea;
class QMdiSubWindow;
class StatusPanels;

// The main window: a frame whose working windows open inside it as child
// windows. It routes the shared commands New, Save, Print, Print Preview,
// Delete and Close to the active child, and each child tells it which of
// them it can take.
class frmMDI : public QMainWindow, public ChildHost {
    Q_OBJECT

public:
    frmMDI(const WindowRegistry& registry, ProgramSettings& settings, ShellOptions options);
    ~frmMDI() override;

    // Enables a child's commands on the toolbar and the File menu.
    void enabledCommandsChanged(Commands enabled) override;

    // The working child windows opened and not yet closed (intOpenChildren).
    int openChildren() const { return m_openChildren; }
    // Opens a registered working window as a child, or brings it forward
    // when it is open already; nothing when the window is not registered.
    QWidget* openWorkingChild(WorkingWindow window);
    // A worksheet of `kind` for a survey from a file: the one open when it
    // holds nothing typed, else another beside it. Nothing when that
    // worksheet is not built.
    SurveyWorksheet* openSurveyWindow(Worksheet kind);
    // A new survey for a worksheet about to be made; it goes with the
    // worksheet's window.
    Survey& newSurvey(Worksheet kind);
    SurveyFiles& surveyFiles() const { return *m_surveyFiles; }
    Autosave& autosave() const { return *m_autosave; }
    // After the start-up: the surveys a crash left behind, then the file
    // named on the command line.
    void openStartupSurveys();

    // Shows the frame with the tip of the day inside it.
    void showTipOfDay();
    // The About box, modal; Continue leads on as at start-up.
    void showAbout();
    // Where the About box's Continue leads: the tip of the day when the user
    // wants it at start-up (and `tipWanted`), else the frame alone.
    void continueFromAbout(bool tipWanted = true);

    // Status panel 1.
    QString statusMessage() const;
    void setStatusMessage(const QString& text) override;
    QString surveyFolder() const override;
    // The hint for opening a window while none is open, else the empty text.
    void refreshStatusHint();

    QMdiArea& mdiArea() const { return *m_mdiArea; }

    // Opens the shared connection again at the register's address, says
    // whether it worked and, when it did, has every open window read again.
    void reconnectRegister();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void connectMenus();
    void connectToolbar();
    void connectWorkingWindow(QAction* item, WorkingWindow window);
    void showFrame();
    void runOnActiveChild(Command command);
    void applyCommandsOf(QMdiSubWindow* activated);
    void childUnloading(ChildFrame* closing, bool working);
    void fillWindowMenu();
    void showOpenDialog();
    ChildFrame* addWorkingChild(WorkingWindow window);
    void saveActiveSurveyAs();

    const WindowRegistry& m_registry;
    ProgramSettings& m_settings;
    const ShellOptions m_options;
    QMdiArea* m_mdiArea;
    FrameToolbar m_toolbar;
    FrameMenus m_menus;
    StatusPanels* m_status;
    qint16 m_openChildren = 0;
    std::map<WorkingWindow, QPointer<ChildFrame>> m_workingChildren;
    QPointer<ChildFrame> m_tipOfDay;
    std::unique_ptr<Autosave> m_autosave;
    std::unique_ptr<SurveyFiles> m_surveyFiles;
    // Where the register is: a failed reopening forgets the connection's.
    QString m_registerAddress;
    // The window has the geometry it was last closed with.
    bool m_placed = false;
};
