#include "bound_list.h"
#include "draft_handover.h"
#include "hydrostatic_table.h"
#include "input_grid.h"
#include "message_service.h"
#include "particular_rules.h"
#include "ship.h"
#include "survey_worksheet.h"
#include "ui_survey_worksheet.h"

#include <QComboBox>

namespace {

void readGrid(const InputGrid& grid, QList<QStringList>& rows) {
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows[row].size(); ++column)
            rows[row][column] = grid.text(row + 1, column + 1);
    }
}

void writeDifferences(InputGrid& grid, const QList<QStringList>& rows, int columns) {
    for (int column = 0; column < columns; ++column)
        grid.setText(3, column + 1, rows[Difference][column]);
}

} // namespace

void SurveyWorksheet::cmdCalculate_Click() {
    if (!typedFieldsAccepted() || !InputComplete() || !shipSurveyable())
        return;
    HydrostaticTexts grids;
    readGrid(*m_hdt, grids.hdt);
    readGrid(*m_mctcPlus, grids.mctcPlus50);
    readGrid(*m_mctcMinus, grids.mctcMinus50);
    fillDifferences(grids);
    writeDifferences(*m_hdt, grids.hdt, 4);
    writeDifferences(*m_mctcPlus, grids.mctcPlus50, 2);
    writeDifferences(*m_mctcMinus, grids.mctcMinus50, 2);
    if (const std::optional<Message> refusal = unusableDifferences(grids)) {
        messageService().show(*refusal);
        return;
    }
    const std::optional<Stage> stage = stageOfTab(m_ui->sstCalvane->currentIndex());
    if (!stage)
        return;
    const int index = int(*stage);
    // The drafts must rest on marks that give a length between them.
    if (!CorrectDrafts())
        return;
    SaveDraft(index);
    clsDraft& draft = *m_drafts[index];
    draft.setHDT(toVariantGrid(grids.hdt));
    draft.setMCTCP50(toVariantGrid(grids.mctcPlus50));
    draft.setMCTCM50(toVariantGrid(grids.mctcMinus50));
    draft.Calculate(0);
    for (const Message& message : draft.takeMessages())
        messageService().show(message);
    LoadDraft(index);

    CalculatedStage calculated;
    calculated.worksheet = m_kind;
    calculated.stage = index == 0 ? Stage::Initial : Stage::Final;
    calculated.net = m_net;
    const QTableWidgetItem* row11 = m_ui->fgrdFinalResult->item(11, 1);
    calculated.row11 = row11 ? row11->text() : QString();
    calculated.cargoField = m_ui->txtFinTotCargoDis->text();
    calculated.constantField = m_ui->txtConstant->text();
    for (const Message& warning : checkCalculatedStage(calculated).warnings)
        messageService().show(warning);
    m_ui->txtFwdPort->setFocus();
}

QString SurveyWorksheet::particularsProblem() const {
    const auto text = [](const Variant& value) {
        return value.isNull() ? QString() : value.toText();
    };
    return surveyedParticularsProblem(text(m_ship->LBP()), text(m_ship->LightShip()));
}

bool SurveyWorksheet::shipSurveyable() {
    const QString problem = particularsProblem();
    if (problem.isEmpty())
        return true;
    showWarning(QStringLiteral("%1 cannot be surveyed with its particulars in the ship register.")
                    .arg(m_ship->ShipName()),
                problem);
    return false;
}

bool SurveyWorksheet::InputComplete() {
    SurveyDocument survey;
    survey.worksheet = m_kind;
    if (const std::optional<int> ship = m_ships->boundValue())
        survey.shipID = *ship;
    survey.voyage = m_ui->txtVoyageID->text();
    survey.port = m_ui->dcbPort->currentText();
    survey.cargo = m_ui->txtCargo->text();
    if (const std::optional<MissingInput> missing =
            firstMissingField(survey, entryFromControls())) {
        messageService().show(missing->message);
        return focusOnField(missing->field);
    }
    if (!checkHDTEditor()) {
        m_ui->txtHDTGridTextbox->setFocus();
        return false;
    }
    // The pending edits count as typed, unrounded.
    for (InputGrid* grid : {m_hdt.get(), m_mctcPlus.get(), m_mctcMinus.get()}) {
        if (!grid->isReadOnly(grid->row(), grid->column()))
            grid->setText(grid->row(), grid->column(), grid->editor().text());
    }
    if (const std::optional<MissingCell> missing = firstBlankCell(entryFromControls())) {
        messageService().show(missing->message);
        const BlankCell* cell = &missing->cell;
        InputGrid* grid = cell->editor == m_ui->txtHDTGridTextbox->objectName() ? m_hdt.get()
                          : cell->editor == m_ui->txtMPGridTextbox->objectName()
                              ? m_mctcPlus.get()
                              : m_mctcMinus.get();
        grid->setCurrent(cell->row, cell->column);
        return false;
    }
    return true;
}

bool SurveyWorksheet::focusOnField(const QString& objectName) {
    if (auto* field = findChild<QWidget*>(objectName))
        field->setFocus();
    return false;
}
