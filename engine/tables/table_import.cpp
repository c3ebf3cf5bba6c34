#include "table_import.h"

QStringList TableImport::said() const {
    QStringList lines;
    for (const TableProblem& problem : problems)
        lines.append(problem.text);
    for (const AuditFinding& finding : audit.findings)
        lines.append(finding.text);
    return lines;
}

TableImport importTable(const QString& text, const TableImportSettings& settings,
                        const Decimal& lbp) {
    const TableText split = splitTableText(text, settings.separator);
    const ColumnRoles roles = settings.roles.isEmpty() ? proposedRoles(split) : settings.roles;
    ImportedRows read = readTableRows(split, roles, settings.separator);
    for (TableRow& row : read.rows) {
        if (row[TableColumn::LCF])
            row[TableColumn::LCF] =
                lcfFromAmidships(*row[TableColumn::LCF], settings.declaration, lbp);
    }
    TableImport import;
    import.problems = read.problems;
    import.audit = auditTable(read.rows, read.lineNumbers);
    import.table.declaration = settings.declaration;
    import.table.rows = import.audit.rows;
    return import;
}

QString exportTable(const ShipTable& table) {
    QList<TableColumn> columns;
    for (int c = 0; c < tableColumnCount; ++c) {
        if (table.hasColumn(TableColumn(c)))
            columns.append(TableColumn(c));
    }
    QStringList lines;
    QStringList heading;
    for (TableColumn column : columns)
        heading.append(tableColumnName(column));
    lines.append(heading.join(QLatin1Char(',')));
    for (const TableRow& row : table.rows) {
        QStringList cells;
        for (TableColumn column : columns)
            cells.append(row[column] ? row[column]->toString() : QString());
        lines.append(cells.join(QLatin1Char(',')));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
