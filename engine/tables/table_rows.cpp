#include "table_rows.h"

#include "draft_correction.h"
#include "field_rules.h"

#include <algorithm>

namespace {

const Decimal& draftOf(const TableRow& row) {
    return *row[TableColumn::Draft];
}

// The first row whose draft is above `draft`.
int rowAbove(const ShipTable& table, const Decimal& draft) {
    const auto at = std::upper_bound(
        table.rows.cbegin(), table.rows.cend(), draft,
        [](const Decimal& value, const TableRow& row) { return value < draftOf(row); });
    return int(at - table.rows.cbegin());
}

QString metres(const Decimal& value) {
    return value.toString() + QStringLiteral(" m");
}

} // namespace

std::optional<Decimal> figureAt(const ShipTable& table, TableColumn column, const Decimal& draft,
                                int decimals) {
    const QList<TableRow>& rows = table.rows;
    if (rows.isEmpty() || draft < draftOf(rows.first()) || draft > draftOf(rows.last()))
        return std::nullopt;
    const int above = rowAbove(table, draft);
    const TableRow& lower = rows[above - 1];
    if (draftOf(lower) == draft)
        return lower[column];
    const TableRow& upper = rows[above];
    if (!lower[column] || !upper[column])
        return std::nullopt;
    const Decimal share = (draft - draftOf(lower)) * (*upper[column] - *lower[column]);
    return (*lower[column] + share / (draftOf(upper) - draftOf(lower))).rounded(decimals);
}

TableChoice chooseRows(const ShipTable& table, const Decimal& trueMeanDraft) {
    const QList<TableRow>& rows = table.rows;
    if (rows.size() < 2)
        return {std::nullopt, QStringLiteral("The ship's table has fewer than two rows.")};
    const Decimal& lowest = draftOf(rows.first());
    const Decimal& highest = draftOf(rows.last());
    if (trueMeanDraft < lowest || trueMeanDraft > highest)
        return {std::nullopt,
                QStringLiteral("The true mean draft %1 is outside the ship's table (%2 to %3): "
                               "type the hydrostatic rows.")
                    .arg(metres(trueMeanDraft), metres(lowest), metres(highest))};
    // An exact hit on the last row takes the row below it as Below.
    const int above = std::min(rowAbove(table, trueMeanDraft), int(rows.size()) - 1);
    ChosenRows chosen{rows[above - 1], rows[above], {}, {}, {}, {}, false};
    if (!table.hasColumn(TableColumn::MCTC))
        return {chosen, QString()};
    const Decimal half = Decimal::fromText(u"0.5");
    const int decimals = fieldRule(SurveyField::MCTCPlus50).decimals;
    Decimal* const targets[] = {&chosen.mctcPlus50Below, &chosen.mctcPlus50Above,
                                &chosen.mctcMinus50Below, &chosen.mctcMinus50Above};
    const Decimal drafts[] = {draftOf(chosen.below) + half, draftOf(chosen.above) + half,
                              draftOf(chosen.below) - half, draftOf(chosen.above) - half};
    for (int n = 0; n < 4; ++n) {
        const std::optional<Decimal> mctc = figureAt(table, TableColumn::MCTC, drafts[n], decimals);
        if (!mctc)
            return {chosen, QStringLiteral("The ship's table gives no MCTC at %1: type the MCTC "
                                           "rows.")
                                .arg(metres(drafts[n]))};
        *targets[n] = *mctc;
    }
    chosen.hasMctc = true;
    return {chosen, QString()};
}

namespace {

QString cellText(const std::optional<Decimal>& value, SurveyField field) {
    return value ? value->rounded(fieldRule(field).decimals).toString() : QString();
}

HydrostaticLine lineOf(const TableRow& row) {
    return {cellText(row[TableColumn::Draft], SurveyField::HydDraft),
            cellText(row[TableColumn::Displacement], SurveyField::Displacement),
            cellText(row[TableColumn::TPC], SurveyField::TPC),
            cellText(row[TableColumn::LCF], SurveyField::LCF)};
}

} // namespace

std::optional<TableFill> tableFill(const TableChoice& choice) {
    if (!choice.rows)
        return std::nullopt;
    const ChosenRows& rows = *choice.rows;
    TableFill fill{lineOf(rows.below), lineOf(rows.above), {}, {}, {}, {}};
    if (rows.hasMctc) {
        fill.mctcPlus50Below = cellText(rows.mctcPlus50Below, SurveyField::MCTCPlus50);
        fill.mctcPlus50Above = cellText(rows.mctcPlus50Above, SurveyField::MCTCPlus50);
        fill.mctcMinus50Below = cellText(rows.mctcMinus50Below, SurveyField::MCTCMinus50);
        fill.mctcMinus50Above = cellText(rows.mctcMinus50Above, SurveyField::MCTCMinus50);
    }
    return fill;
}

TableUse tableUse(const ShipTable& table) {
    return {table.id, table.declaration.source, table.declaration.density.toString()};
}

bool hydrostaticsBlank(const DraftEntry& e) {
    return e.below == HydrostaticLine{} && e.above == HydrostaticLine{} &&
           e.mctcPlus50Below.isEmpty() && e.mctcPlus50Above.isEmpty() &&
           e.mctcMinus50Below.isEmpty() && e.mctcMinus50Above.isEmpty();
}

bool readingsTaken(const DraftEntry& e) {
    for (const QString* reading :
         {&e.fwdPort, &e.fwdStbd, &e.midPort, &e.midStbd, &e.aftPort, &e.aftStbd}) {
        if (reading->trimmed().isEmpty())
            return false;
    }
    return true;
}

bool takeRowsFromTable(DraftEntry& entry, const ShipTable& table, const Decimal& lbp,
                       QString& said) {
    const DraftReadingTexts readings{entry.fwdPort, entry.fwdStbd, entry.midPort,
                                     entry.midStbd, entry.aftPort, entry.aftStbd,
                                     entry.fwdX,    entry.midX,    entry.aftX};
    const CorrectedDrafts corrected = CorrectDrafts(readings, Variant(lbp));
    const TableChoice choice = chooseRows(table, Decimal::fromText(corrected.txtTrueMeanDraft));
    said = choice.said;
    const std::optional<TableFill> fill = tableFill(choice);
    if (fill && !choice.rows->hasMctc && said.isEmpty())
        said = QStringLiteral("The ship's table gives no MCTC: type the MCTC rows.");
    if (!fill || !choice.rows->hasMctc)
        return false;
    entry.below = fill->below;
    entry.above = fill->above;
    entry.mctcPlus50Below = fill->mctcPlus50Below;
    entry.mctcPlus50Above = fill->mctcPlus50Above;
    entry.mctcMinus50Below = fill->mctcMinus50Below;
    entry.mctcMinus50Above = fill->mctcMinus50Above;
    entry.table = tableUse(table);
    return true;
}
