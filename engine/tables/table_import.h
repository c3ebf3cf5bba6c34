#pragma once

#include "ship_table.h"
#include "table_audit.h"
#include "table_text.h"

#include <QString>

// What an import is told: how the figures write their decimals, what the
// table declares, and, when the user has confirmed them, each column's
// role (empty: as the headings propose).
struct TableImportSettings {
    DecimalSeparator separator = DecimalSeparator::Point;
    TableDeclaration declaration;
    ColumnRoles roles;
};

// A table read and audited: the rows (LCF already from amidships, positive
// aft), what stopped lines from being read, and the audit. It may be
// stored only when neither refuses it.
struct TableImport {
    ShipTable table;
    QList<TableProblem> problems;
    TableAudit audit;
    bool refused() const { return !problems.isEmpty() || audit.refused(); }
    // The problems and the findings, a line each, as they are shown.
    QStringList said() const;
};

// `lbp` places amidships for a table whose LCF is measured from the aft
// perpendicular.
TableImport importTable(const QString& text, const TableImportSettings& settings,
                        const Decimal& lbp);

// The table as CSV with a heading line, LCF from amidships, positive aft:
// read back by an import with the default declaration.
QString exportTable(const ShipTable& table);
