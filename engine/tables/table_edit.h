#pragma once

#include "ship_table.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One figure of a stored table changed by hand, put through the audit an
// import gets: the rows to store, or why they may not be stored.
struct TableRowEdit {
    // The table's rows with the figure changed, in draft order.
    QList<TableRow> rows;
    // Why the edit is refused (a text that is no figure, a row without a
    // draft, a draft given twice); nothing is stored then.
    std::optional<QString> refusal;
    // What the audit says of the edited table that it did not say before,
    // for the user to confirm.
    QStringList said;
};

// `row` counts from 0 in draft order; the audit numbers rows from 1, as the
// window shows them. `text` is written with a decimal point; blank leaves
// the figure out.
TableRowEdit editTableFigure(const QList<TableRow>& rows, int row, TableColumn column,
                             const QString& text);
