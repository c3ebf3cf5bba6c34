#include "hydrostatic_table.h"

#include "message.h"

namespace {

Decimal cellValue(const QString& text) {
    return NormalizeValue(Variant(text), -1, 0).toDecimal();
}

void fillDifference(QList<QStringList>& rows, int column) {
    rows[Difference][column] =
        (cellValue(rows[Above][column]) - cellValue(rows[Below][column])).toString();
}

bool isZero(const QString& differenceText) {
    return cellValue(differenceText).isZero();
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

void fillDifferences(HydrostaticTexts& grids) {
    for (int column = 0; column < 4; ++column)
        fillDifference(grids.hdt, column);
    for (int column = 0; column < 2; ++column) {
        fillDifference(grids.mctcPlus50, column);
        fillDifference(grids.mctcMinus50, column);
    }
}

std::optional<Message> unusableDifferences(const HydrostaticTexts& grids) {
    const bool usable = !isZero(grids.hdt[Difference][0]) && !isZero(grids.hdt[Difference][1]) &&
                        !isZero(grids.mctcPlus50[Difference][0]) &&
                        !isZero(grids.mctcMinus50[Difference][0]);
    if (usable)
        return std::nullopt;
    return warningMessage(QStringLiteral("Invalid hydrostatic details...!"),
                          QStringLiteral("Difference of Above & Below can't be zero."));
}

VariantGrid toVariantGrid(const QList<QStringList>& rows) {
    VariantGrid grid;
    grid.reserve(rows.size());
    for (const QStringList& row : rows) {
        QList<Variant> values;
        values.reserve(row.size());
        for (const QString& text : row)
            values.append(Variant(text));
        grid.append(values);
    }
    return grid;
}
