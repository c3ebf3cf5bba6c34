#include "table_edit.h"

#include "table_audit.h"
#include "table_text.h"

namespace {

TableAudit auditRows(const QList<TableRow>& rows) {
    QList<int> numbers;
    for (int n = 1; n <= rows.size(); ++n)
        numbers.append(n);
    return auditTable(rows, numbers);
}

} // namespace

TableRowEdit editTableFigure(const QList<TableRow>& rows, int row, TableColumn column,
                             const QString& text) {
    TableRowEdit edit;
    const QString typed = text.trimmed();
    std::optional<Decimal> figure;
    if (!typed.isEmpty()) {
        figure = tableFigure(typed, DecimalSeparator::Point);
        if (!figure) {
            edit.refusal = QStringLiteral("\"%1\" is no figure.").arg(typed);
            return edit;
        }
    } else if (column == TableColumn::Draft) {
        edit.refusal = QStringLiteral("A row needs its draft.");
        return edit;
    }
    QList<TableRow> edited = rows;
    edited[row][column] = figure;

    const TableAudit before = auditRows(rows);
    const TableAudit after = auditRows(edited);
    QStringList refusals;
    for (const AuditFinding& finding : after.findings) {
        if (finding.refuses())
            refusals.append(finding.text);
        else if (!std::any_of(
                     before.findings.cbegin(), before.findings.cend(),
                     [&finding](const AuditFinding& known) { return known.text == finding.text; }))
            edit.said.append(finding.text);
    }
    if (!refusals.isEmpty()) {
        edit.refusal = refusals.join(u'\n');
        edit.said.clear();
        return edit;
    }
    edit.rows = after.rows;
    return edit;
}
