#include "bound_list.h"
#include "draft_grids.h"
#include "draft_handover.h"
#include "errors.h"
#include "input_grid.h"
#include "message_service.h"
#include "rowset.h"
#include "ship.h"
#include "survey_worksheet.h"
#include "ui_survey_worksheet.h"

#include <QTableWidget>

namespace {

const QColor red(255, 0, 0);
const QColor black(0, 0, 0);

// A reading or density held as 0 shows as an empty box.
QString shownUnlessZero(const Variant& value) {
    if (value.isNumber() && value.toDecimal().isZero())
        return QString();
    return value.toText();
}

QString roundedText(const Variant& value, int decimals) {
    return NormalizeValue(value, decimals, 1).toText();
}

void setCell(QTableWidget& grid, int row, const QString& text, bool isRed = false) {
    if (QTableWidgetItem* item = grid.item(row, 1)) {
        item->setText(text);
        item->setForeground(isRed ? red : black);
    }
}

void setTitle(QTableWidget& grid, int row, const QString& title) {
    if (QTableWidgetItem* item = grid.item(row, 0))
        item->setText(title);
}

void show(QLineEdit& box, const ShownValue& value) {
    box.setText(value.text);
    QPalette palette = box.palette();
    palette.setColor(QPalette::Text, value.red ? red : black);
    box.setPalette(palette);
}

void showIfSet(QLineEdit& box, const std::optional<ShownValue>& value) {
    if (value)
        show(box, *value);
}

} // namespace

bool SurveyWorksheet::CorrectDrafts() {
    // A ship refused for its particulars (said on Calculate) gives no
    // corrections to show.
    if (!shipShown() || !particularsProblem().isEmpty())
        return false;
    DraftReadingTexts readings{
        m_ui->txtFwdPort->text(),     m_ui->txtFwdStbd->text(), m_ui->txtMidShipPort->text(),
        m_ui->txtMidshipStbd->text(), m_ui->txtAftPort->text(), m_ui->txtAftStbd->text(),
        m_ui->txtFwdX->text(),        m_ui->txtMidX->text(),    m_ui->txtAftX->text()};
    try {
        m_corrected = ::CorrectDrafts(readings, m_ship->LBP());
    } catch (const ProgramError& error) {
        // The boxes keep their last figures. Text that is no number is
        // refused by its own field's check; marks that coincide are said.
        if (error.code() != ErrorCode::TypeMismatch)
            showWarning(error.description());
        return false;
    }
    const CorrectedDrafts& d = m_corrected;
    m_ui->txtFwdMean->setText(d.txtFwdMean);
    m_ui->txtMidshipMean->setText(d.txtMidshipMean);
    m_ui->txtAftMean->setText(d.txtAftMean);
    m_ui->txtApparentTrim->setText(d.txtApparentTrim);
    m_ui->txtLBM->setText(d.txtLBM);
    m_ui->txtFwdCorrection->setText(d.txtFwdCorrection);
    m_ui->txtMidshipCorrection->setText(d.txtMidshipCorrection);
    m_ui->txtAftCorrection->setText(d.txtAftCorrection);
    m_ui->txtFwdTrueDraft->setText(d.txtFwdTrueDraft);
    m_ui->txtMidshipTrueDraft->setText(d.txtMidshipTrueDraft);
    m_ui->txtAftTrueDraft->setText(d.txtAftTrueDraft);
    m_ui->txtTrueTrim->setText(d.txtTrueTrim);
    m_ui->txtTrueMeanDraft->setText(d.txtTrueMeanDraft);
    return true;
}

DraftEntry SurveyWorksheet::entryFromControls() const {
    DraftEntry e;
    e.density = m_ui->txtDensity->text();
    e.date = m_ui->mbxDate->text();
    e.time = m_ui->mbxTime->text();
    e.fwdPort = m_ui->txtFwdPort->text();
    e.fwdStbd = m_ui->txtFwdStbd->text();
    e.midPort = m_ui->txtMidShipPort->text();
    e.midStbd = m_ui->txtMidshipStbd->text();
    e.aftPort = m_ui->txtAftPort->text();
    e.aftStbd = m_ui->txtAftStbd->text();
    e.fwdX = m_ui->txtFwdX->text();
    e.midX = m_ui->txtMidX->text();
    e.aftX = m_ui->txtAftX->text();
    m_grids->readInto(e);
    e.comments = m_ui->txtComments->text();
    return e;
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
        using P = DraftProperty;
        const bool wasLoading = mblnLoading;
        mblnLoading = true;
        m_ui->txtDensity->setText(shownUnlessZero(draft.get(P::SpecificGravity)));
        m_ui->mbxDate->setText(draft.get(P::DSDate).toText());
        m_ui->mbxTime->setText(draft.get(P::DSTime).toText());
        const std::pair<QLineEdit*, P> readings[] = {
            {m_ui->txtFwdPort, P::FwdPort},     {m_ui->txtFwdStbd, P::FwdStbd},
            {m_ui->txtMidShipPort, P::MidPort}, {m_ui->txtMidshipStbd, P::MidStbd},
            {m_ui->txtAftPort, P::AftPort},     {m_ui->txtAftStbd, P::AftStbd}};
        for (const auto& [box, property] : readings)
            box->setText(shownUnlessZero(draft.get(property)));
        const std::pair<QLineEdit*, P> marks[] = {
            {m_ui->txtFwdX, P::FwdX}, {m_ui->txtMidX, P::MidX}, {m_ui->txtAftX, P::AftX}};
        for (const auto& [box, property] : marks) {
            const Variant value = draft.get(property);
            if (!(value.isText() && value.toText().isEmpty()) && !value.isEmpty())
                box->setText(value.toText());
        }
        m_ui->txtComments->setText(draft.get(P::Comments).toText());
        mblnLoading = wasLoading;
        CorrectDrafts();
        // A draft not taken yet has no deflection; the other tab's must not
        // stay beside its empty means.
        const HullDeflection deflection =
            draft.HasRecord() || draft.ToSave() ? hullDeflection(m_corrected) : HullDeflection{};
        m_ui->lblHogSag->setText(deflection.caption);
        m_ui->lblHogSag->setVisible(!deflection.caption.isEmpty());
        m_ui->txtDeflection->setText(deflection.text);
        m_grids->showRows(draft);
        m_ui->txtIpFactor->setText(roundedText(draft.get(P::IpFactor), 7));

        const VariantGrid ip = draft.IpResult();
        setCell(*m_ui->fgrdIpResultMCTCP50, 0, ip[0][3].toText());
        setCell(*m_ui->fgrdIpResultMCTCP50, 1, ip[1][3].toText());
        setCell(*m_ui->fgrdIpResultMCTCM50, 0, ip[0][4].toText());
        setCell(*m_ui->fgrdIpResultMCTCM50, 1, ip[1][4].toText());
        setCell(*m_ui->fgrdIpResult, 0, ip[0][0].toText());
        setCell(*m_ui->fgrdIpResult, 1, ip[1][0].toText());
        for (int row = 0; row < 4; ++row)
            setCell(*m_ui->fgrdResult, row, ip[1][row + 1].toText());
        const bool bothMCTC = !ip[1][3].toText().isEmpty() && !ip[1][4].toText().isEmpty();
        setCell(*m_ui->fgrdResult, 4,
                bothMCTC ? (ip[1][3].toDecimal() - ip[1][4].toDecimal()).toString() : QString());

        const QList<Variant> result = draft.FinalResult();
        const int places[] = {5, 4, 4, 4, 4, 5, 5, 5, 5};
        for (int row = 0; row < 9; ++row)
            setCell(*m_ui->fgrdFinalResult, row, roundedText(result[row], places[row]));
        m_net = draft.NetDisplacement();
        const Decimal net = NormalizeValue(m_net, -1, 0).toDecimal();
        setCell(*m_ui->fgrdFinalResult, NetDisplacementRow, roundedText(m_net, 6),
                !(net > Decimal(0) && net < Decimal(1000000)));
        showStageResults(index == 0 ? Stage::Initial : Stage::Final);
        LoadDeductions(draft.Deductions());
    } catch (const std::exception&) {
        showBare(QStringLiteral("frmCalvane::LoadDraft"));
    }
}

void SurveyWorksheet::showStageResults(Stage stage) {
    StageInputs inputs;
    inputs.worksheet = m_kind;
    inputs.stage = stage;
    inputs.net = m_net;
    inputs.lightShip = m_ship->LightShip();
    inputs.initialNet = m_drafts[0]->NetDisplacement();
    inputs.initialNetField = m_ui->txtFnlGrdTxtBox->text();
    inputs.billOfLading = m_ui->txtBLQty->text();
    const StageResults results = deriveStage(inputs);
    if (results.warning)
        messageService().show(*results.warning);
    QTableWidget& grid = *m_ui->fgrdFinalResult;
    setTitle(grid, 9, results.row9Title);
    setTitle(grid, 10, results.row10Title);
    setTitle(grid, 11, results.row11Title);
    setCell(grid, 10, results.row10.text, results.row10.red);
    setCell(grid, 11, results.row11.text, results.row11.red);
    showIfSet(*m_ui->txtFnlGrdTxtBox, results.initialNetField);
    showIfSet(*m_ui->txtConstant, results.constant);
    showIfSet(*m_ui->txtInitNetDisp, results.initNetDisp);
    showIfSet(*m_ui->txtFinalNetDisp, results.finalNetDisp);
    showIfSet(*(m_kind == Worksheet::Loading ? m_ui->txtTotCargoLoaded : m_ui->txtFinTotCargoDis),
              results.cargo);
    showIfSet(*m_ui->txtAssumedConstant, results.assumedConstant);
}

void SurveyWorksheet::LoadDeductions(RowSet& rs) {
    const QList<int>& itemIDs = m_grids->itemIDs();
    if (itemIDs.isEmpty())
        return;
    m_grids->clearDeductions();
    InputGrid& deductions = m_grids->deductions();
    const clsDraft& draft = shownDraft();
    if (!draft.ToSave() && !draft.HasRecord())
        return;
    const auto setAll = [&deductions](const QString& text) {
        for (int row = 0; row <= deductions.lastRow(); ++row)
            deductions.setText(row, 1, text);
    };
    if (rs.recordCount() == 0) {
        if (draft.HasRecord())
            setAll(QStringLiteral("0"));
    } else {
        if (m_kind == Worksheet::Discharging)
            setAll(QStringLiteral("0"));
        for (rs.moveFirst(); !rs.atEnd(); rs.moveNext()) {
            const int n = itemIDs.indexOf(int(rs.field(QStringLiteral("ItemID")).toWhole()));
            const Variant quantity = rs.field(QStringLiteral("Quantity"));
            const bool none = quantity.toDecimal().isZero() && !draft.HasRecord();
            if (n >= 0)
                deductions.setText(n, 1, none ? QString() : quantity.toText());
        }
    }
    deductions.showCurrentInEditor();
}
