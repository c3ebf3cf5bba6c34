#include "bound_list.h"
#include "clock.h"
#include "draft_field_checks.h"
#include "draft_grids.h"
#include "draft_view.h"
#include "errors.h"
#include "file_chooser.h"
#include "input_grid.h"
#include "message_service.h"
#include "ship_and_port_lists.h"
#include "stage_tabs.h"
#include "survey.h"
#include "survey_checks_panel.h"
#include "survey_file.h"
#include "survey_file_commands.h"
#include "survey_file_name.h"
#include "survey_worksheet.h"
#include "table_rows.h"
#include "ui_survey_worksheet.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>

void SurveyWorksheet::watchEdits() {
    // Only what the user types counts as a change: the figures the
    // worksheet fills in itself do not.
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        connect(box, &QLineEdit::textEdited, this, [this] { m_survey.setModified(true); });
        connect(box, &QLineEdit::textEdited, m_checksPanel.get(), &SurveyChecksPanel::schedule);
    }
    connect(&m_lists->ships(), &BoundList::chosen, this, [this] {
        if (!mblnLoading)
            m_survey.setModified(true);
        m_checksPanel->schedule();
    });
    connect(&m_survey, &Survey::commitEdits, this,
            [this] { m_survey.setContents(surveyDocument()); });
    connect(&m_survey, &Survey::modifiedChanged, this, &SurveyWorksheet::showTitle);
    connect(&m_survey, &Survey::filePathChanged, this, &SurveyWorksheet::showTitle);
}

void SurveyWorksheet::showTitle() {
    // The window's own caption, given once the kind of worksheet has set it.
    if (m_title.isEmpty())
        m_title = windowTitle();
    QString title = m_title;
    if (!m_survey.filePath().isEmpty())
        title += QStringLiteral(" - ") + QFileInfo(m_survey.filePath()).fileName();
    if (m_survey.isModified())
        title += QStringLiteral(" *");
    setWindowTitle(title);
}

SurveyDocument SurveyWorksheet::surveyDocument() {
    SurveyDocument survey;
    survey.worksheet = m_kind;
    if (const std::optional<int> shipID = m_lists->chosenShipID()) {
        survey.shipID = *shipID;
        survey.particulars = m_lists->particulars();
    }
    survey.voyage = m_ui->txtVoyageID->text();
    survey.port = m_ui->dcbPort->currentText();
    survey.cargo = m_ui->txtCargo->text();
    survey.surveyParticulars = m_surveyParticulars;
    survey.billOfLadingQuantity = m_ui->txtBLQty->text().trimmed();
    const int shown = int(shownStage());
    DraftEntry entries[2] = {m_entries[0], m_entries[1]};
    entries[shown] = entryFromControls();
    survey.initial = entries[0];
    survey.final = entries[1];
    // The Final tab's initial net displacement is the user's own only while
    // the Initial draft has none calculated.
    if (shownStage() == Stage::Final && !hasNetDisplacement(*m_drafts[0]))
        survey.typedInitialNetDisplacement = m_ui->txtFnlGrdTxtBox->text().trimmed();
    return survey;
}

void SurveyWorksheet::RSave() {
    reportFailure(QStringLiteral("frmCalvane::RSave"), [&] { m_files->save(); });
}

bool SurveyWorksheet::saveSurveyAs() {
    return m_files->saveAs();
}

QString SurveyWorksheet::proposedFilePath() {
    // Dated as the report is.
    const QDate date = m_survey.surveyDate(programClock().now().date());
    const QString ship = m_lists->shipName();
    const QString worksheet =
        m_kind == Worksheet::Loading ? QStringLiteral("Loading") : QStringLiteral("Discharging");
    QString folder = m_host.surveyFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = documentsFolder();
    return QDir(folder).filePath(surveyFileName(ship, m_survey.contents().port, worksheet, date,
                                                QString::fromLatin1(surveyFileSuffix)));
}

bool SurveyWorksheet::maySave() {
    if (!shipShown()) {
        showWarning(QStringLiteral("Please select a ship first."));
        return false;
    }
    // A field typed in but not yet left is checked as Calculate would.
    return m_checks->typedFieldsAccepted();
}

void SurveyWorksheet::showEntry(const DraftEntry& e) {
    m_view->show(e);
    m_grids->show(e);
    // A file may leave the rows to the ship's table, as the command does.
    if (CorrectDrafts() && hydrostaticsBlank(e))
        fillFromTable();
}

void SurveyWorksheet::calculateIfComplete() {
    if (isComplete(entryFromControls()))
        cmdCalculate_Click();
}

void SurveyWorksheet::showSurvey(const SurveyDocument& survey, int shipID, const QString& path,
                                 bool unsaved) {
    reportFailure(QStringLiteral("frmCalvane::showSurvey"), [&] {
        // Chosen as if picked from the list: the ship's length comes with it.
        m_lists->showShip(shipID);
        m_ui->txtVoyageID->setText(survey.voyage);
        m_lists->showPort(survey.port);
        m_ui->txtCargo->setText(survey.cargo);
        m_ui->txtBLQty->setText(survey.billOfLadingQuantity);
        const bool initialTaken = !(survey.initial == DraftEntry{});
        const bool finalTaken = !(survey.final == DraftEntry{});
        if (initialTaken || !finalTaken) {
            showEntry(survey.initial);
            calculateIfComplete();
        }
        if (finalTaken) {
            showFinalTab(initialTaken);
            showEntry(survey.final);
            if (!survey.typedInitialNetDisplacement.isEmpty())
                m_ui->txtFnlGrdTxtBox->setText(survey.typedInitialNetDisplacement);
            calculateIfComplete();
        }
    });
    m_entries[0] = survey.initial;
    m_entries[1] = survey.final;
    m_surveyParticulars = survey.surveyParticulars;
    m_survey.open(survey, path, unsaved);
    m_checksPanel->refresh();
}

void SurveyWorksheet::showFinalTab(bool checkInitialTab) {
    if (checkInitialTab) {
        m_tabs->show(Stage::Final);
        return;
    }
    // An Initial tab never filled has nothing to check or keep: its blank
    // date must not stop the Final draft from reaching its own tab.
    const bool wasLoading = mblnLoading;
    mblnLoading = true;
    m_tabs->show(Stage::Final);
    mblnLoading = wasLoading;
    enterFinalTab();
}

bool SurveyWorksheet::mayClose() {
    return m_files->mayClose([this] {
        bool saved = false;
        reportFailure(QStringLiteral("frmCalvane::RSave"), [&] { saved = m_files->save(); });
        return saved;
    });
}

void SurveyWorksheet::closeEvent(QCloseEvent* event) {
    if (mayClose())
        event->accept();
    else
        event->ignore();
}
