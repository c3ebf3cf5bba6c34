#pragma once

#include "survey_document.h"

#include <QString>

class Autosave;
class frmMDI;
class ProgramSettings;
class QMenu;
class Survey;
class SurveyWorksheet;

// The survey files of the main window: opening one into the worksheet of
// its kind, the recent files, and the surveys a crash left behind.
class SurveyFiles {
public:
    SurveyFiles(frmMDI& frame, ProgramSettings& settings, Autosave& autosave);

    // Every survey the main window opens, however, comes here.
    void adopt(Survey& survey);
    // Opens the file in a new worksheet; a file that cannot be read is
    // named with its reason and nothing opens. True when it opened.
    bool open(const QString& path);
    void chooseAndOpen();
    // Fills the Open Recent menu with the last files.
    void fillRecentMenu(QMenu& menu);
    // Offers each survey left behind by a run that did not end well:
    // reopened unsaved, or discarded. Removes what saves a crash
    // interrupted left.
    void offerRecovery();

private:
    SurveyWorksheet* show(const SurveyDocument& survey, const QString& path, bool unsaved);
    void removeInterruptedSaves();

    frmMDI& m_frame;
    ProgramSettings& m_settings;
    Autosave& m_autosave;
};
