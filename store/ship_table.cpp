#include "ship_table.h"

bool operator==(const TableDeclaration& a, const TableDeclaration& b) {
    return a.density == b.density && a.lcfOrigin == b.lcfOrigin && a.lcfPositive == b.lcfPositive &&
           a.source == b.source && a.trim == b.trim;
}

QString tableColumnName(TableColumn column) {
    static const char* const names[tableColumnCount] = {"Draft", "Displacement", "TPC", "LCF",
                                                        "MCTC",  "KM",           "LCB"};
    return QString::fromLatin1(names[int(column)]);
}

bool ShipTable::hasColumn(TableColumn column) const {
    for (const TableRow& row : rows) {
        if (row[column])
            return true;
    }
    return false;
}

Decimal lcfFromAmidships(const Decimal& declared, const TableDeclaration& declaration,
                         const Decimal& lbp) {
    const Decimal aftOfOrigin = declaration.lcfPositive == LcfPositive::Aft ? declared : -declared;
    if (declaration.lcfOrigin == LcfOrigin::Amidships)
        return aftOfOrigin;
    // The aft perpendicular lies half the length aft of amidships.
    return lbp / Decimal(2) + aftOfOrigin;
}
