#pragma once

#include "ship_table.h"

#include <QList>
#include <QString>

// What the audit of a table says of it, row by row. Only a refusal stops
// the table from being stored; everything else is shown for the user to
// look at, and nothing is corrected without being said.
struct AuditFinding {
    enum class Kind {
        Sorted,                // rows not in draft order were put in order
        DuplicateDraft,        // refused: a draft given twice
        DisplacementNotRising, // a displacement not above the row before
        OutOfLine,             // a figure out of line with its neighbours
        IrregularStep,         // a draft step unlike the table's own
        MissingColumn,         // a column the worksheet needs is not given
        MissingFigure,         // a row lacks a figure its column gives
        TooShort,              // refused: fewer than two rows
    };
    Kind kind;
    // The line of the imported text (0: the whole table).
    int line = 0;
    QString text;
    bool refuses() const { return kind == Kind::DuplicateDraft || kind == Kind::TooShort; }
};

struct TableAudit {
    // The rows by rising draft, each with the line it came from.
    QList<TableRow> rows;
    QList<int> lineNumbers;
    QList<AuditFinding> findings;
    bool refused() const;
};

// `lineNumbers`: each row's line in the imported text, for the findings.
TableAudit auditTable(const QList<TableRow>& rows, const QList<int>& lineNumbers);
