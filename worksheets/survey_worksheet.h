#pragma once

#include "child_window.h"
#include "draft.h"
#include "draft_correction.h"
#include "field_rules.h"
#include "stage_results.h"
#include "survey_document.h"

#include <QWidget>
#include <memory>
#include <optional>

class DraftFieldChecks;
class DraftGrids;
class DraftView;
class ShipAndPortLists;
class StageTabs;
class SurveyChecksPanel;
class Survey;
class SurveyFileCommands;
class WorksheetKeyboard;
struct TableChoice;

namespace Ui {
class SurveyWorksheet;
}

// The survey worksheet both the loading and the discharging windows are
// made of: one survey, its Initial and Final drafts, the shared input
// controls that show one draft at a time, the grids with their editors, the
// field checks and the Calculate command. The two windows differ only in
// the frames they show and in the few places their kind decides. The survey
// document it shows and edits belongs to whoever made the window.
class SurveyWorksheet : public QWidget, public ChildWindow {
    Q_OBJECT

public:
    ~SurveyWorksheet() override;

    Commands enabledCommands() const override { return m_enabled; }
    void RNew() override;
    void RPrint(bool blnShowPreview = true) override;
    void RSave() override;
    void registerReopened() override;

    // Saving and opening the survey file (worksheet_file.cpp).
    // Asks for a file; false when nothing was saved.
    bool saveSurveyAs();
    // The survey as the controls and the drafts hold it now.
    SurveyDocument surveyDocument();
    // Shows a survey of the file `path` ("" for none yet), on the ship
    // `shipID`, and calculates each complete draft again. `unsaved`: what is
    // shown is not what the file holds (a survey recovered after a crash).
    void showSurvey(const SurveyDocument& survey, int shipID, const QString& path,
                    bool unsaved = false);
    Survey& survey() { return m_survey; }
    // Close, Save / Discard / Cancel: false when the worksheet is to stay.
    bool mayClose();

    // Resets both drafts and shows the Initial draft's date and time.
    void NewDraft();

    // A stage's draft as Calculate or a change of tab last handed it over.
    const clsDraft& draft(Stage stage) const { return *m_drafts[int(stage)]; }

protected:
    SurveyWorksheet(Survey& survey, ChildHost& host, QWidget* parent = nullptr);
    Ui::SurveyWorksheet& ui() { return *m_ui; }

    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Opening and life cycle (survey_worksheet.cpp).
    void open();
    void InitializeAllGrids();
    void ClearSurvey();
    void shipChosen(int shipID);
    void stageChanged(Stage left, Stage entered);
    void enterInitialTab();
    void enterFinalTab();
    // The Final tab's initial net displacement box over its results cell,
    // wherever the layout puts the results.
    void placeInitialNetField();
    void setCommands(Commands enabled);
    // The worksheet's frame of the tab shown, the other one hidden.
    void showStageFrames(Stage stage);
    bool shipShown() const;
    Stage shownStage() const;
    clsDraft& shownDraft();

    // Calculate (worksheet_calculate.cpp).
    void cmdCalculate_Click();
    bool InputComplete();
    bool focusOnField(const QString& objectName);
    DraftEntry entryFromControls() const;

    // Copy between controls and drafts (worksheet_transfer.cpp).
    bool CorrectDrafts();
    // The hydrostatic rows from the ship's table at the true mean draft,
    // once all six readings are typed.
    void fillFromTable();
    // The table's rows at the true mean draft the controls give; nothing
    // without a table or before all six readings are typed.
    std::optional<TableChoice> tableChoice() const;
    // The tooltip of a cell the table filled.
    QString tableNote() const;
    // Marks the shown rows that are still the table's, for a draft that
    // took them from it.
    void markTableRows(const DraftEntry& entry);
    void SaveDraft(int index);
    bool SaveDeductions(int index);
    void LoadDraft(int index);
    void showStageResults(Stage stage);

    // The survey file (worksheet_file.cpp).
    void watchEdits();
    void showTitle();
    // Opens the survey's particulars; what is accepted there is a change.
    void editSurveyParticulars();
    // A ship is chosen and every typed field accepted; says why not.
    bool maySave();
    // Where the first Save proposes to write the survey.
    QString proposedFilePath();
    void showEntry(const DraftEntry& entry);
    void calculateIfComplete();
    // Brings the Final tab forward for a survey being shown; the checks of
    // leaving the Initial tab run only when it was filled.
    void showFinalTab(bool checkInitialTab);

    Survey& m_survey;
    const Worksheet m_kind;
    ChildHost& m_host;
    std::unique_ptr<Ui::SurveyWorksheet> m_ui;
    QWidget* m_stageFrames[2];
    std::unique_ptr<ShipAndPortLists> m_lists;
    // Kept apart from the boxes: the particulars dialog edits them.
    SurveyParticulars m_surveyParticulars;
    std::unique_ptr<clsDraft> m_drafts[2];
    StageTabs* m_tabs = nullptr;
    std::unique_ptr<WorksheetKeyboard> m_keyboard;
    std::unique_ptr<DraftGrids> m_grids;
    std::unique_ptr<DraftView> m_view;
    std::unique_ptr<DraftFieldChecks> m_checks;
    std::unique_ptr<SurveyFileCommands> m_files;
    std::unique_ptr<SurveyChecksPanel> m_checksPanel;
    CorrectedDrafts m_corrected;
    Commands m_enabled;
    bool mblnLoading = false;
    bool m_placed = false;
    // Each draft as last handed over from the controls, for saving.
    DraftEntry m_entries[2];
    QString m_title;
    // Where the ship's table last fell short of the draft.
    enum class TableGap { None, Mctc, Rows } m_tableGap = TableGap::None;
};
