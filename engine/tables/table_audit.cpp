#include "table_audit.h"

#include <QMap>
#include <algorithm>
#include <numeric>

namespace {

using Kind = AuditFinding::Kind;

// The columns a survey reads off the table.
constexpr TableColumn surveyed[] = {TableColumn::Displacement, TableColumn::TPC, TableColumn::LCF,
                                    TableColumn::MCTC};

// The places a column's figures are written to: the smallest difference
// the table can tell.
int placesOf(const QList<TableRow>& rows, TableColumn column) {
    int places = 0;
    for (const TableRow& row : rows) {
        while (row[column] && places < Decimal::MaxScale &&
               row[column]->rounded(places) != *row[column])
            ++places;
    }
    return places;
}

Decimal unitOf(int places) {
    Decimal unit = 1;
    for (int n = 0; n < places; ++n)
        unit = unit / Decimal(10);
    return unit;
}

// Where each inner row's draft lies between its neighbours' (0 to 1), for
// the straight line through their figures.
QList<Decimal> shares(const QList<TableRow>& rows) {
    QList<Decimal> result(rows.size());
    for (int k = 1; k + 1 < rows.size(); ++k) {
        const Decimal& d0 = *rows[k - 1][TableColumn::Draft];
        result[k] = (*rows[k][TableColumn::Draft] - d0) / (*rows[k + 1][TableColumn::Draft] - d0);
    }
    return result;
}

// How far row `k`'s figure lies off the straight line through its
// neighbours'; nothing where a figure is missing.
std::optional<Decimal> offLine(const QList<TableRow>& rows, const QList<Decimal>& shares, int k,
                               TableColumn column) {
    const std::optional<Decimal>&before = rows[k - 1][column], &here = rows[k][column],
          &after = rows[k + 1][column];
    if (!before || !here || !after)
        return std::nullopt;
    return *here - (*before + (*after - *before) * shares[k]);
}

// A single figure typed wrong stands out as a kink the rows round it do not
// share: larger than the column's rounding can make, several times the
// column's usual curvature, and the largest of its neighbours'.
void findOutOfLine(const TableAudit& audit, const QList<Decimal>& shares, TableColumn column,
                   QList<AuditFinding>& findings) {
    const QList<TableRow>& rows = audit.rows;
    const int count = int(rows.size());
    if (count < 3)
        return;
    QList<std::optional<Decimal>> kinks(count);
    QList<Decimal> sizes;
    for (int k = 1; k + 1 < count; ++k) {
        kinks[k] = offLine(rows, shares, k, column);
        if (kinks[k])
            sizes.append(kinks[k]->abs());
    }
    if (sizes.isEmpty())
        return;
    std::sort(sizes.begin(), sizes.end());
    const Decimal usual = sizes[sizes.size() / 2];
    const Decimal rounding = unitOf(placesOf(rows, column)) * Decimal(3);
    for (int k = 1; k + 1 < count; ++k) {
        if (!kinks[k])
            continue;
        const Decimal size = kinks[k]->abs();
        const auto larger = [&](int n) { return !kinks[n] || kinks[n]->abs() <= size; };
        if (size > rounding && size > usual * Decimal(4) && larger(k - 1) && larger(k + 1))
            findings.append({Kind::OutOfLine, audit.lineNumbers[k],
                             QStringLiteral("Line %1: %2 %3 is out of line with the rows round it "
                                            "(about %4 would follow them).")
                                 .arg(audit.lineNumbers[k])
                                 .arg(tableColumnName(column), (*rows[k][column]).toString(),
                                      (*rows[k][column] - *kinks[k])
                                          .rounded(placesOf(rows, column))
                                          .toString())});
    }
}

void findIrregularSteps(const TableAudit& audit, QList<AuditFinding>& findings) {
    const QList<TableRow>& rows = audit.rows;
    const auto stepAt = [&rows](int k) {
        return *rows[k][TableColumn::Draft] - *rows[k - 1][TableColumn::Draft];
    };
    QMap<Decimal, int> counts;
    for (int k = 1; k < rows.size(); ++k)
        ++counts[stepAt(k)];
    if (counts.size() < 2)
        return;
    const auto common =
        std::max_element(counts.cbegin(), counts.cend(), [](int a, int b) { return a < b; });
    for (int k = 1; k < rows.size(); ++k) {
        if (stepAt(k) != common.key())
            findings.append({Kind::IrregularStep, audit.lineNumbers[k],
                             QStringLiteral("Line %1: the draft steps %2 m from the row before; "
                                            "the table's step is %3 m.")
                                 .arg(audit.lineNumbers[k])
                                 .arg(stepAt(k).toString(), common.key().toString())});
    }
}

} // namespace

bool TableAudit::refused() const {
    return std::any_of(findings.cbegin(), findings.cend(),
                       [](const AuditFinding& finding) { return finding.refuses(); });
}

TableAudit auditTable(const QList<TableRow>& rows, const QList<int>& lineNumbers) {
    TableAudit audit;
    QList<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return *rows[a][TableColumn::Draft] < *rows[b][TableColumn::Draft];
    });
    bool sorted = false;
    for (int n = 0; n < order.size(); ++n) {
        audit.rows.append(rows[order[n]]);
        audit.lineNumbers.append(lineNumbers[order[n]]);
        sorted = sorted || order[n] != n;
    }
    if (sorted)
        audit.findings.append(
            {Kind::Sorted, 0,
             QStringLiteral("The rows were not in draft order; they are sorted by draft.")});
    QList<AuditFinding>& findings = audit.findings;
    if (audit.rows.size() < 2) {
        findings.append({Kind::TooShort, 0, QStringLiteral("A table needs at least two rows.")});
        return audit;
    }
    for (int k = 1; k < audit.rows.size(); ++k) {
        const TableRow &before = audit.rows[k - 1], &row = audit.rows[k];
        if (*row[TableColumn::Draft] == *before[TableColumn::Draft])
            findings.append({Kind::DuplicateDraft, audit.lineNumbers[k],
                             QStringLiteral("Line %1 gives the draft %2 m again (line %3).")
                                 .arg(audit.lineNumbers[k])
                                 .arg(row[TableColumn::Draft]->toString())
                                 .arg(audit.lineNumbers[k - 1])});
        else if (row[TableColumn::Displacement] && before[TableColumn::Displacement] &&
                 *row[TableColumn::Displacement] <= *before[TableColumn::Displacement])
            findings.append({Kind::DisplacementNotRising, audit.lineNumbers[k],
                             QStringLiteral("Line %1: the displacement %2 t does not rise above "
                                            "the row before's %3 t.")
                                 .arg(audit.lineNumbers[k])
                                 .arg(row[TableColumn::Displacement]->toString(),
                                      before[TableColumn::Displacement]->toString())});
    }
    if (audit.refused())
        return audit;
    findIrregularSteps(audit, findings);
    const ShipTable table{0, 0, {}, audit.rows};
    const QList<Decimal> lineShares = shares(audit.rows);
    for (TableColumn column : surveyed) {
        if (!table.hasColumn(column)) {
            findings.append({Kind::MissingColumn, 0,
                             QStringLiteral("The table gives no %1: it is left to be typed.")
                                 .arg(tableColumnName(column))});
            continue;
        }
        for (int k = 0; k < audit.rows.size(); ++k) {
            if (!audit.rows[k][column])
                findings.append({Kind::MissingFigure, audit.lineNumbers[k],
                                 QStringLiteral("Line %1 gives no %2.")
                                     .arg(audit.lineNumbers[k])
                                     .arg(tableColumnName(column))});
        }
        findOutOfLine(audit, lineShares, column, findings);
    }
    return audit;
}
