#include "hydrostatic_table.h"

#include "message.h"

namespace {

// What the draft stores for a cell is what NormalizeValue makes of it: the
// value of a number, 0 for a blank. A blank is handed over as it is, so the
// draft makes the same 0 of it.
Variant cellValue(const QString& text) {
    const Variant normalized = NormalizeValue(Variant(text), -1, 0);
    return normalized.kind() == Variant::Kind::Decimal ? normalized : Variant(text);
}

VariantGrid valuesOf(const QList<QStringList>& rows) {
    VariantGrid grid(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        grid[row].reserve(rows[row].size());
        for (const QString& text : rows[row])
            grid[row].append(Variant(text));
    }
    return grid;
}

// Reads the Below and then the Above cell of a column (the first bad one
// raises its error, and it always was Below first) and writes their
// difference.
void fillDifference(QList<QStringList>& rows, VariantGrid& values, int column) {
    values[Below][column] = cellValue(rows[Below][column]);
    values[Above][column] = cellValue(rows[Above][column]);
    const Decimal difference = NormalizeValue(values[Above][column], -1, 0).toDecimal() -
                               NormalizeValue(values[Below][column], -1, 0).toDecimal();
    rows[Difference][column] = difference.toString();
    values[Difference][column] = difference;
}

bool isZero(const Variant& difference) {
    return difference.toDecimal().isZero();
}

} // namespace

QString mctcDraftText(const QString& hydrostaticDraft, bool plus) {
    if (hydrostaticDraft.trimmed().isEmpty())
        return QString();
    const auto draft = Decimal::tryParse(hydrostaticDraft);
    if (!draft)
        return hydrostaticDraft;
    static const Decimal half = Decimal::fromText(u"0.5");
    return (plus ? *draft + half : *draft - half).toString();
}

HydrostaticTexts hydrostaticTexts(const DraftEntry& entry) {
    HydrostaticTexts grids;
    const HydrostaticLine* lines[2] = {&entry.below, &entry.above};
    const QString plus[2] = {entry.mctcPlus50Below, entry.mctcPlus50Above};
    const QString minus[2] = {entry.mctcMinus50Below, entry.mctcMinus50Above};
    for (int row = Below; row <= Above; ++row) {
        const HydrostaticLine& line = *lines[row];
        grids.hdt[row] = {line.draft, line.displacement, line.tpc, line.lcf, QString(), QString()};
        grids.mctcPlus50[row] = {mctcDraftText(line.draft, true), plus[row]};
        grids.mctcMinus50[row] = {mctcDraftText(line.draft, false), minus[row]};
    }
    return grids;
}

HydrostaticValues fillDifferences(HydrostaticTexts& grids) {
    HydrostaticValues values{valuesOf(grids.hdt), valuesOf(grids.mctcPlus50),
                             valuesOf(grids.mctcMinus50)};
    for (int column = 0; column < 4; ++column)
        fillDifference(grids.hdt, values.hdt, column);
    for (int column = 0; column < 2; ++column) {
        fillDifference(grids.mctcPlus50, values.mctcPlus50, column);
        fillDifference(grids.mctcMinus50, values.mctcMinus50, column);
    }
    return values;
}

std::optional<Message> unusableDifferences(const HydrostaticValues& grids) {
    const bool usable = !isZero(grids.hdt[Difference][0]) && !isZero(grids.hdt[Difference][1]) &&
                        !isZero(grids.mctcPlus50[Difference][0]) &&
                        !isZero(grids.mctcMinus50[Difference][0]);
    if (usable)
        return std::nullopt;
    return warningMessage(QStringLiteral("Invalid hydrostatic details...!"),
                          QStringLiteral("Difference of Above & Below can't be zero."));
}
