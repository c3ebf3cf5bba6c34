#include "draft_field_checks.h"
#include "draft_grids.h"
#include "draft_handover.h"
#include "input_grid.h"
#include "message_service.h"
#include "ship_and_port_lists.h"
#include "stage_calculation.h"
#include "survey_checks_panel.h"
#include "survey_worksheet.h"
#include "ui_survey_worksheet.h"

#include <QComboBox>
#include <QTableWidget>

namespace {

QString cellText(const QTableWidget& grid, int row) {
    const QTableWidgetItem* item = grid.item(row, 1);
    return item ? item->text() : QString();
}

} // namespace

void SurveyWorksheet::cmdCalculate_Click() {
    if (!m_checks->typedFieldsAccepted() || !InputComplete() || !m_lists->shipSurveyable())
        return;
    const Stage stage = shownStage();
    const int index = int(stage);
    // A quantity typed but not yet left counts; a refused one keeps the
    // cell's last.
    if (!m_grids->itemIDs().isEmpty())
        m_grids->checkEditor(m_grids->deductions());
    StageRequest request;
    request.worksheet = m_kind;
    request.stage = stage;
    request.entry = entryFromControls();
    request.deductionItems = m_grids->itemIDs();
    request.initialNet = m_drafts[0]->NetDisplacement();
    request.initialNetField = m_ui->txtFnlGrdTxtBox->text();
    request.billOfLading = m_ui->txtBLQty->text();
    request.constantField = m_ui->txtConstant->text();
    request.cargoField = m_ui->txtFinTotCargoDis->text();
    request.totalDeductibles = cellText(*m_ui->fgrdFinalResult, TotalDeductibles);
    clsDraft& draft = *m_drafts[index];
    const StageOutcome outcome = calculateStage(draft, request);
    m_grids->showDifferences(outcome.grids);
    for (const Message& message : draft.takeMessages())
        messageService().show(message);
    if (outcome.refusal) {
        if (outcome.refusal->message)
            messageService().show(*outcome.refusal->message);
        return;
    }
    m_entries[index] = request.entry;
    LoadDraft(index);
    m_checksPanel->refresh();
    for (const Message& warning : outcome.warnings)
        messageService().show(warning);
    m_ui->txtFwdPort->setFocus();
}

bool SurveyWorksheet::InputComplete() {
    SurveyDocument survey;
    survey.worksheet = m_kind;
    if (const std::optional<int> ship = m_lists->chosenShipID())
        survey.shipID = *ship;
    survey.voyage = m_ui->txtVoyageID->text();
    survey.port = m_ui->dcbPort->currentText();
    survey.cargo = m_ui->txtCargo->text();
    if (const std::optional<MissingInput> missing =
            firstMissingField(survey, entryFromControls())) {
        messageService().show(missing->message);
        return focusOnField(missing->field);
    }
    if (!m_grids->checkEditor(m_grids->hydrostatics())) {
        m_ui->txtHDTGridTextbox->setFocus();
        return false;
    }
    m_grids->commitPendingEdits();
    if (const std::optional<MissingCell> missing = firstBlankCell(entryFromControls())) {
        messageService().show(missing->message);
        const BlankCell& cell = missing->cell;
        m_grids->gridOfEditorNamed(cell.editor).setCurrent(cell.row, cell.column);
        return false;
    }
    return true;
}

bool SurveyWorksheet::focusOnField(const QString& objectName) {
    if (auto* field = findChild<QWidget*>(objectName))
        field->setFocus();
    return false;
}
