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

std::optional<TableChoice> SurveyWorksheet::tableChoice() const {
    const std::optional<ShipTable>& table = m_lists->table();
    if (!table || !readingsTaken(entryFromControls()))
        return std::nullopt;
    return chooseRows(*table, Decimal::fromText(m_corrected.txtTrueMeanDraft));
}

QString SurveyWorksheet::tableNote() const {
    const QString& source = m_lists->table()->declaration.source;
    return source.isEmpty() ? QStringLiteral("From the ship's hydrostatic table")
                            : QStringLiteral("From the ship's hydrostatic table: ") + source;
}

void SurveyWorksheet::fillFromTable() {
    // Rows the surveyor typed need nothing of the table, nor a word on it.
    const std::optional<TableChoice> choice = tableChoice();
    if (!choice || m_grids->rowsTyped())
        return;
    m_grids->fillFromTable(tableFill(*choice).value_or(TableFill{}), tableNote());
    // Said when the table first falls short, not again for every reading.
    const TableGap gap = choice->said.isEmpty() ? TableGap::None
                         : choice->rows         ? TableGap::Mctc
                                                : TableGap::Rows;
    if (gap != TableGap::None && gap != m_tableGap)
        showWarning(choice->said);
    m_tableGap = gap;
}

void SurveyWorksheet::markTableRows(const DraftEntry& entry) {
    // Rows the file left out were the table's when calculated.
    if (!entry.table && !hydrostaticsBlank(entry))
        return;
    if (const std::optional<TableChoice> choice = tableChoice())
        if (const std::optional<TableFill> fill = tableFill(*choice))
            m_grids->markFromTable(*fill, tableNote());
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
        markTableRows(m_entries[index]);
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
