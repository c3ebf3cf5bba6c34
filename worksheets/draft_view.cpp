#include "draft_view.h"

#include "draft.h"
#include "input_grid.h"
#include "ui_survey_worksheet.h"

#include <QTableWidget>
#include <algorithm>

namespace {

const QColor red(255, 0, 0);
const QColor black(0, 0, 0);

QStringList texts(std::initializer_list<const char*> latin1) {
    QStringList list;
    for (const char* text : latin1)
        list << QString::fromLatin1(text);
    return list;
}

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

void showIfSet(QLineEdit& box, const std::optional<ShownValue>& value) {
    if (!value)
        return;
    box.setText(value->text);
    QPalette palette = box.palette();
    palette.setColor(QPalette::Text, value->red ? red : black);
    box.setPalette(palette);
}

void layOutResult(QTableWidget& grid, const QStringList& labels, int labelWidth) {
    compactRows(grid);
    const QFontMetrics metrics = grid.fontMetrics();
    for (const QString& label : labels)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(label) + 12);
    grid.clear();
    grid.setColumnCount(2);
    grid.setRowCount(int(labels.size()));
    for (int row = 0; row < labels.size(); ++row) {
        grid.setItem(row, 0, new QTableWidgetItem(labels.at(row)));
        auto* value = new QTableWidgetItem;
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid.setItem(row, 1, value);
    }
    grid.horizontalHeader()->setVisible(false);
    grid.verticalHeader()->setVisible(false);
    grid.setColumnWidth(0, labelWidth);
    grid.horizontalHeader()->setStretchLastSection(true);
    // Room for a figure to 5 places beside its label.
    grid.setMinimumWidth(labelWidth + metrics.horizontalAdvance(QStringLiteral("-000000.00000")) +
                         12 + 2 * grid.frameWidth());
    grid.setFixedHeight(grid.verticalHeader()->length() + 2 * grid.frameWidth());
}

} // namespace

void DraftView::readInto(DraftEntry& e) const {
    const Ui::SurveyWorksheet& u = m_form;
    e.density = u.txtDensity->text();
    e.date = u.mbxDate->text();
    e.time = u.mbxTime->text();
    e.fwdPort = u.txtFwdPort->text();
    e.fwdStbd = u.txtFwdStbd->text();
    e.midPort = u.txtMidShipPort->text();
    e.midStbd = u.txtMidshipStbd->text();
    e.aftPort = u.txtAftPort->text();
    e.aftStbd = u.txtAftStbd->text();
    e.fwdX = u.txtFwdX->text();
    e.midX = u.txtMidX->text();
    e.aftX = u.txtAftX->text();
    e.comments = u.txtComments->text();
}

void DraftView::show(const DraftEntry& e) {
    const Ui::SurveyWorksheet& u = m_form;
    const std::pair<QLineEdit*, QString> boxes[] = {
        {u.mbxDate, e.date},           {u.mbxTime, e.time},       {u.txtDensity, e.density},
        {u.txtFwdPort, e.fwdPort},     {u.txtFwdStbd, e.fwdStbd}, {u.txtMidShipPort, e.midPort},
        {u.txtMidshipStbd, e.midStbd}, {u.txtAftPort, e.aftPort}, {u.txtAftStbd, e.aftStbd},
        {u.txtFwdX, e.fwdX},           {u.txtMidX, e.midX},       {u.txtAftX, e.aftX},
        {u.txtComments, e.comments}};
    for (const auto& [box, text] : boxes)
        box->setText(text);
}

void DraftView::showTyped(const clsDraft& draft) {
    const Ui::SurveyWorksheet& u = m_form;
    using P = DraftProperty;
    u.txtDensity->setText(shownUnlessZero(draft.get(P::SpecificGravity)));
    u.mbxDate->setText(draft.get(P::DSDate).toText());
    u.mbxTime->setText(draft.get(P::DSTime).toText());
    const std::pair<QLineEdit*, P> readings[] = {
        {u.txtFwdPort, P::FwdPort},     {u.txtFwdStbd, P::FwdStbd}, {u.txtMidShipPort, P::MidPort},
        {u.txtMidshipStbd, P::MidStbd}, {u.txtAftPort, P::AftPort}, {u.txtAftStbd, P::AftStbd}};
    for (const auto& [box, property] : readings)
        box->setText(shownUnlessZero(draft.get(property)));
    const std::pair<QLineEdit*, P> marks[] = {
        {u.txtFwdX, P::FwdX}, {u.txtMidX, P::MidX}, {u.txtAftX, P::AftX}};
    for (const auto& [box, property] : marks) {
        const Variant value = draft.get(property);
        if (!(value.isText() && value.toText().isEmpty()) && !value.isEmpty())
            box->setText(value.toText());
    }
    u.txtComments->setText(draft.get(P::Comments).toText());
}

void DraftView::showCorrected(const CorrectedDrafts& d) {
    const Ui::SurveyWorksheet& u = m_form;
    u.txtFwdMean->setText(d.txtFwdMean);
    u.txtMidshipMean->setText(d.txtMidshipMean);
    u.txtAftMean->setText(d.txtAftMean);
    u.txtApparentTrim->setText(d.txtApparentTrim);
    u.txtLBM->setText(d.txtLBM);
    u.txtFwdCorrection->setText(d.txtFwdCorrection);
    u.txtMidshipCorrection->setText(d.txtMidshipCorrection);
    u.txtAftCorrection->setText(d.txtAftCorrection);
    u.txtFwdTrueDraft->setText(d.txtFwdTrueDraft);
    u.txtMidshipTrueDraft->setText(d.txtMidshipTrueDraft);
    u.txtAftTrueDraft->setText(d.txtAftTrueDraft);
    u.txtTrueTrim->setText(d.txtTrueTrim);
    u.txtTrueMeanDraft->setText(d.txtTrueMeanDraft);
}

void DraftView::showDeflection(const HullDeflection& deflection) {
    m_form.lblHogSag->setText(deflection.caption);
    m_form.lblHogSag->setVisible(!deflection.caption.isEmpty());
    m_form.txtDeflection->setText(deflection.text);
}

void DraftView::showCalculated(const clsDraft& draft) {
    const Ui::SurveyWorksheet& u = m_form;
    u.txtIpFactor->setText(roundedText(draft.get(DraftProperty::IpFactor), 7));
    const VariantGrid ip = draft.IpResult();
    setCell(*u.fgrdIpResultMCTCP50, 0, ip[0][3].toText());
    setCell(*u.fgrdIpResultMCTCP50, 1, ip[1][3].toText());
    setCell(*u.fgrdIpResultMCTCM50, 0, ip[0][4].toText());
    setCell(*u.fgrdIpResultMCTCM50, 1, ip[1][4].toText());
    setCell(*u.fgrdIpResult, 0, ip[0][0].toText());
    setCell(*u.fgrdIpResult, 1, ip[1][0].toText());
    for (int row = 0; row < 4; ++row)
        setCell(*u.fgrdResult, row, ip[1][row + 1].toText());
    const bool bothMCTC = !ip[1][3].toText().isEmpty() && !ip[1][4].toText().isEmpty();
    setCell(*u.fgrdResult, 4,
            bothMCTC ? (ip[1][3].toDecimal() - ip[1][4].toDecimal()).toString() : QString());

    const QList<Variant> result = draft.FinalResult();
    const int places[] = {5, 4, 4, 4, 4, 5, 5, 5, 5};
    for (int row = 0; row < 9; ++row)
        setCell(*u.fgrdFinalResult, row, roundedText(result[row], places[row]));
    const Variant net = draft.NetDisplacement();
    const Decimal value = NormalizeValue(net, -1, 0).toDecimal();
    setCell(*u.fgrdFinalResult, NetRow, roundedText(net, 6),
            !(value > Decimal(0) && value < Decimal(1000000)));
}

void DraftView::showStageResults(const StageResults& results) {
    const Ui::SurveyWorksheet& u = m_form;
    QTableWidget& grid = *u.fgrdFinalResult;
    setTitle(grid, NetRow, results.netTitle);
    setTitle(grid, ReferenceRow, results.referenceTitle);
    setTitle(grid, OutcomeRow, results.outcomeTitle);
    setCell(grid, ReferenceRow, results.reference.text, results.reference.red);
    setCell(grid, OutcomeRow, results.outcome.text, results.outcome.red);
    showIfSet(*u.txtFnlGrdTxtBox, results.initialNetField);
    showIfSet(*u.txtConstant, results.constant);
    showIfSet(*u.txtInitNetDisp, results.initNetDisp);
    showIfSet(*u.txtFinalNetDisp, results.finalNetDisp);
    showIfSet(*(m_kind == Worksheet::Loading ? u.txtTotCargoLoaded : u.txtFinTotCargoDis),
              results.cargo);
    showIfSet(*u.txtAssumedConstant, results.assumedConstant);
}

void DraftView::layOutResults(Stage stage) {
    const Ui::SurveyWorksheet& u = m_form;
    const QStringList interpolated = texts({"Interpolated Values", "Result"});
    layOutResult(*u.fgrdIpResult, interpolated, 120);
    layOutResult(*u.fgrdIpResultMCTCP50, interpolated, 120);
    layOutResult(*u.fgrdIpResultMCTCM50, interpolated, 120);
    layOutResult(*u.fgrdResult, texts({"TPC", "LCF", "MCTC+50", "MCTC-50", "dMCTC"}), 70);
    const bool loading = m_kind == Worksheet::Loading;
    QStringList rows = texts({"Displacement@TMD", "First Trim Correction", "Second Trim Correction",
                              "Total Trim Correction", "List Correction", "Displacement@even keel",
                              "Density Correction", "True Displacement", "Total Deductibles"});
    if (stage == Stage::Initial)
        rows << texts(
            {"Net Displacement", "Light Ship", loading ? "Constant" : "Cargo + Constant"});
    else if (loading)
        rows << texts({"Final Net Displacement", "Net. Displacement", "Total Cargo Loaded"});
    else
        rows << texts({"Final Net Displacement", "Initial Displacement", "Total Cargo Discharged"});
    layOutResult(*u.fgrdFinalResult, rows, 170);
}
