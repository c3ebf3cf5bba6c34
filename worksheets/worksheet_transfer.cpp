#include "draft_grids.h"
#include "draft_handover.h"
#include "draft_view.h"
#include "errors.h"
#include "input_grid.h"
#include "message_service.h"
#include "ship.h"
#include "ship_and_port_lists.h"
#include "survey_worksheet.h"
#include "table_rows.h"
#include "ui_survey_worksheet.h"

#include <QTableWidget>

bool SurveyWorksheet::CorrectDrafts() {
    // A ship refused for its particulars (said on Calculate) gives no
    // corrections to show.
    if (!shipShown() || !m_lists->particularsProblem().isEmpty())
        return false;
    DraftReadingTexts readings{
        m_ui->txtFwdPort->text(),     m_ui->txtFwdStbd->text(), m_ui->txtMidShipPort->text(),
        m_ui->txtMidshipStbd->text(), m_ui->txtAftPort->text(), m_ui->txtAftStbd->text(),
        m_ui->txtFwdX->text(),        m_ui->txtMidX->text(),    m_ui->txtAftX->text()};
    try {
        m_corrected = ::CorrectDrafts(readings, m_lists->ship().LBP());
    } catch (const ProgramError& error) {
        // The boxes keep their last figures. Text that is no number is
        // refused by its own field's check; marks that coincide are said.
        if (error.code() != ErrorCode::TypeMismatch)
            showWarning(error.description());
        return false;
    }
    m_view->showCorrected(m_corrected);
    return true;
}

void SurveyWorksheet::fillFromTable() {
    const std::optional<ShipTable>& table = m_lists->table();
    const DraftEntry typed = entryFromControls();
    const QString readings[] = {typed.fwdPort, typed.fwdStbd, typed.midPort,
                                typed.midStbd, typed.aftPort, typed.aftStbd};
    if (!table || std::any_of(std::begin(readings), std::end(readings),
                              [](const QString& reading) { return reading.trimmed().isEmpty(); }))
        return;
    const TableChoice choice = chooseRows(*table, Decimal::fromText(m_corrected.txtTrueMeanDraft));
    const QString& source = table->declaration.source;
    m_grids->fillFromTable(tableFill(choice).value_or(TableFill{}),
                           source.isEmpty()
                               ? QStringLiteral("From the ship's hydrostatic table")
                               : QStringLiteral("From the ship's hydrostatic table: ") + source);
    // Said when the table first falls short, not again for every reading.
    const TableGap gap = choice.said.isEmpty() ? TableGap::None
                         : choice.rows         ? TableGap::Mctc
                                               : TableGap::Rows;
    if (gap != TableGap::None && gap != m_tableGap)
        showWarning(choice.said);
    m_tableGap = gap;
}

DraftEntry SurveyWorksheet::entryFromControls() const {
    DraftEntry entry;
    m_view->readInto(entry);
    m_grids->readInto(entry);
    if (const std::optional<ShipTable>& table = m_lists->table(); table && m_grids->rowsFromTable())
        entry.table = tableUse(*table);
    return entry;
}

void SurveyWorksheet::SaveDraft(int index) {
    if (!shipShown())
        return;
    // A refused correction leaves the last figures to hand over.
    CorrectDrafts();
    clsDraft& draft = *m_drafts[index];
    const QTableWidgetItem* total = m_ui->fgrdFinalResult->item(TotalDeductibles, 1);
    saveDraftEntry(draft, entryFromControls(), m_corrected, total ? total->text() : QString());
    SaveDeductions(index);
    m_entries[index] = entryFromControls();
}

bool SurveyWorksheet::SaveDeductions(int index) {
    if (m_grids->itemIDs().isEmpty())
        return true;
    if (!m_grids->checkEditor(m_grids->deductions()))
        return false;
    saveDeductions(m_drafts[index]->Deductions(), m_grids->itemIDs(), m_grids->quantities());
    return true;
}

void SurveyWorksheet::LoadDraft(int index) {
    try {
        clsDraft& draft = *m_drafts[index];
        const bool wasLoading = mblnLoading;
        mblnLoading = true;
        m_view->showTyped(draft);
        mblnLoading = wasLoading;
        CorrectDrafts();
        // A draft not taken yet has no deflection; the other tab's must not
        // stay beside its empty means.
        m_view->showDeflection(draft.HasRecord() || draft.ToSave() ? hullDeflection(m_corrected)
                                                                   : HullDeflection{});
        m_grids->showRows(draft);
        m_view->showCalculated(draft);
        showStageResults(index == 0 ? Stage::Initial : Stage::Final);
        m_grids->showDeductions(draft);
    } catch (const std::exception&) {
        showBare(QStringLiteral("frmCalvane::LoadDraft"));
    }
}

void SurveyWorksheet::showStageResults(Stage stage) {
    StageInputs inputs;
    inputs.worksheet = m_kind;
    inputs.stage = stage;
    inputs.net = m_drafts[int(stage)]->NetDisplacement();
    inputs.lightShip = m_lists->ship().LightShip();
    inputs.initialNet = m_drafts[0]->NetDisplacement();
    inputs.initialNetField = m_ui->txtFnlGrdTxtBox->text();
    inputs.billOfLading = m_ui->txtBLQty->text();
    const StageResults results = deriveStage(inputs);
    if (results.warning)
        messageService().show(*results.warning);
    m_view->showStageResults(results);
}
