#pragma once

#include "decimal.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>

// Where a table measures its LCF from, and which way is positive.
enum class LcfOrigin { Amidships, AftPerpendicular };
enum class LcfPositive { Aft, Forward };

// What a hydrostatic table says of itself, as its booklet declares it:
// nothing here is guessed from the figures.
struct TableDeclaration {
    // Salt water unless the table says otherwise.
    Decimal density = Decimal::fromText(u"1.025");
    LcfOrigin lcfOrigin = LcfOrigin::Amidships;
    LcfPositive lcfPositive = LcfPositive::Aft;
    // Booklet, page: printed on the report of a survey that used the table.
    QString source;
    // The trim the table is computed for, when it is not for even keel.
    std::optional<Decimal> trim;

    friend bool operator==(const TableDeclaration& a, const TableDeclaration& b);
};

// The columns a table may give. Draft is always there; a column the table
// lacks blocks only what needs it.
enum class TableColumn { Draft, Displacement, TPC, LCF, MCTC, KM, LCB };
constexpr int tableColumnCount = 7;
// "Draft", "Displacement"...: as the columns are headed on export.
QString tableColumnName(TableColumn column);

// One line of a table: draft (m), displacement (t), TPC (t/cm), LCF (m),
// MCTC (t·m/cm), KM and LCB (m) where given.
struct TableRow {
    std::array<std::optional<Decimal>, tableColumnCount> values;

    const std::optional<Decimal>& operator[](TableColumn column) const {
        return values[size_t(column)];
    }
    std::optional<Decimal>& operator[](TableColumn column) { return values[size_t(column)]; }
    friend bool operator==(const TableRow& a, const TableRow& b) { return a.values == b.values; }
};

// A ship's table as the register keeps it: the rows by rising draft, LCF
// already in the calculation's convention (from amidships, positive aft).
struct ShipTable {
    qint64 id = 0;
    int shipID = 0;
    TableDeclaration declaration;
    QList<TableRow> rows;

    bool hasColumn(TableColumn column) const;
};

// An LCF as declared, in the calculation's convention: metres from
// amidships, positive aft. `lbp` places amidships for a table measured from
// the aft perpendicular.
Decimal lcfFromAmidships(const Decimal& declared, const TableDeclaration& declaration,
                         const Decimal& lbp);
