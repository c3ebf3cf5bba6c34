#include "hydrostatic_table.h"

#include "message.h"

namespace {

// What the draft stores for a cell is what NormalizeValue makes of it: the
// value of a number, 0 for a blank. A blank is handed over as it is, so the
// draft makes the same 0 of it; `value` is the cell's number either way.
Variant cellValue(const QString& text, Decimal& value) {
    const Variant normalized = NormalizeValue(Variant(text), -1, 0);
    value = normalized.toDecimal();
    return normalized.kind() == Variant::Kind::Decimal ? normalized : Variant(text);
}

// The grid with its cells beyond the differenced columns as their texts;
// fillDifference writes the others.
VariantGrid valuesOf(const QList<QStringList>& rows, int differencedColumns) {
    VariantGrid grid(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        grid[row].resize(rows[row].size());
        for (int column = differencedColumns; column < rows[row].size(); ++column)
            grid[row][column] = Variant(rows[row][column]);
    }
    return grid;
}

// Reads the Below and then the Above cell of a column (the first bad one
// raises its error, and it always was Below first) and writes their
// difference.
void fillDifference(QList<QStringList>& rows, VariantGrid& values, int column) {
    Decimal below;
    Decimal above;
    values[Below][column] = cellValue(rows[Below][column], below);
    values[Above][column] = cellValue(rows[Above][column], above);
    const Decimal difference = above - below;
    rows[Difference][column] = difference.toString();
    values[Difference][column] = difference;
}

// The MCTC table draft for a hydrostatic draft text and its value, read
// once for both tables.
QString mctcDraftOf(const QString& hydrostaticDraft, const std::optional<Decimal>& draft,
                    bool plus) {
    if (QStringView(hydrostaticDraft).trimmed().isEmpty())
        return QString();
    if (!draft)
        return hydrostaticDraft;
    static const Decimal half = Decimal::fromText(u"0.5");
    return (plus ? *draft + half : *draft - half).toString();
}

bool isZero(const Variant& difference) {
    return difference.toDecimal().isZero();
}

} // namespace

QString mctcDraftText(const QString& hydrostaticDraft, bool plus) {
    return mctcDraftOf(hydrostaticDraft, Decimal::tryParse(hydrostaticDraft), plus);
}

HydrostaticTexts hydrostaticTexts(const DraftEntry& entry) {
    HydrostaticTexts grids;
    const HydrostaticLine* lines[2] = {&entry.below, &entry.above};
    const QString plus[2] = {entry.mctcPlus50Below, entry.mctcPlus50Above};
    const QString minus[2] = {entry.mctcMinus50Below, entry.mctcMinus50Above};
    for (int row = Below; row <= Above; ++row) {
        const HydrostaticLine& line = *lines[row];
        grids.hdt[row] = {line.draft, line.displacement, line.tpc, line.lcf, QString(), QString()};
        const std::optional<Decimal> draft = Decimal::tryParse(line.draft);
        grids.mctcPlus50[row] = {mctcDraftOf(line.draft, draft, true), plus[row]};
        grids.mctcMinus50[row] = {mctcDraftOf(line.draft, draft, false), minus[row]};
    }
    return grids;
}

HydrostaticValues fillDifferences(HydrostaticTexts& grids) {
    constexpr int hdtDifferenced = 4;
    constexpr int mctcDifferenced = 2;
    HydrostaticValues values{valuesOf(grids.hdt, hdtDifferenced),
                             valuesOf(grids.mctcPlus50, mctcDifferenced),
                             valuesOf(grids.mctcMinus50, mctcDifferenced)};
    for (int column = 0; column < hdtDifferenced; ++column)
        fillDifference(grids.hdt, values.hdt, column);
    for (int column = 0; column < mctcDifferenced; ++column) {
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
