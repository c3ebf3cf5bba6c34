#pragma once

#include "ship_table.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// How the figures of an imported table write their decimals: declared for
// each import, never guessed, so that "7,5" is never read as 75.
enum class DecimalSeparator { Point, Comma };

// The text of a table file (UTF-8, a byte-order mark dropped); nothing, with
// `problem`, when it cannot be read or is larger than a table can be.
std::optional<QString> readTableFile(const QString& path, QString& problem);

// A table as text (a CSV or TSV file, or lines pasted from a spreadsheet or
// a PDF) cut into cells: tab, semicolon, comma (with a decimal point only)
// or runs of blanks between them, by what the text uses.
struct TableText {
    // The first line's cells when it names columns rather than giving
    // figures; empty otherwise.
    QStringList header;
    QList<QStringList> lines;
    // Each line's number in the text, from 1, for what is said of it.
    QList<int> lineNumbers;
};
TableText splitTableText(const QString& text, DecimalSeparator separator);

// The column a heading names ("Disp", "LCF (m)", "MTC [t.m/cm]"...);
// nothing for a heading that names none of them.
std::optional<TableColumn> columnNamed(const QString& heading);
// What each column of the text is taken for until the user says otherwise:
// by its heading, else, with no header, in the order draft, displacement,
// TPC, LCF, MCTC. Nothing: the column is left out.
using ColumnRoles = QList<std::optional<TableColumn>>;
ColumnRoles proposedRoles(const TableText& text);

// A figure written with the declared separator; nothing when it is not one.
std::optional<Decimal> tableFigure(const QString& text, DecimalSeparator separator);

// What was read of the text: the rows in the text's order, the line each
// came from, and what stopped a line from being read.
struct TableProblem {
    int line = 0;
    QString text;
};
struct ImportedRows {
    QList<TableRow> rows;
    QList<int> lineNumbers;
    QList<TableProblem> problems;
};
// Reads the rows by the roles the user confirmed. A line without a draft,
// or with a cell that is no figure, is a problem and gives no row; a blank
// cell is a figure the table does not give (never 0).
ImportedRows readTableRows(const TableText& text, const ColumnRoles& roles,
                           DecimalSeparator separator);
