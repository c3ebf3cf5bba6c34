#include "draft_correction.h"

#include "errors.h"
#include "message.h"

namespace {

Decimal fieldValue(const QString& text) {
    return NormalizeValue(Variant(text), -1, 0).toDecimal();
}

QString shown(const Decimal& value, int places) {
    return value.rounded(places).toString();
}

} // namespace

CorrectedDrafts CorrectDrafts(const DraftReadingTexts& readings, const Variant& lbp) {
    CorrectedDrafts d;
    const Decimal two(2);
    d.fwdMean = (fieldValue(readings.fwdPort) + fieldValue(readings.fwdStbd)) / two;
    d.midMean = (fieldValue(readings.midPort) + fieldValue(readings.midStbd)) / two;
    d.aftMean = (fieldValue(readings.aftPort) + fieldValue(readings.aftStbd)) / two;
    d.txtFwdMean = shown(d.fwdMean, 3);
    d.txtMidshipMean = shown(d.midMean, 3);
    d.txtAftMean = shown(d.aftMean, 3);

    d.apparentTrim = d.aftMean - d.fwdMean;
    d.txtApparentTrim = shown(d.apparentTrim, 3);

    const Decimal fwdX = fieldValue(readings.fwdX);
    const Decimal midX = fieldValue(readings.midX);
    const Decimal aftX = fieldValue(readings.aftX);
    d.lengthBetweenMarks = NormalizeValue(lbp, -1, 0).toDecimal() + fwdX - aftX;
    d.txtLBM = d.lengthBetweenMarks.toString();
    // Marks placed so that they coincide leave nothing to divide the trim
    // by: say so rather than "Division by zero".
    if (d.lengthBetweenMarks.isZero())
        throw ProgramError(ErrorCode::DivisionByZero,
                           twoPartText(QStringLiteral("Invalid draft mark distances."),
                                       QStringLiteral("The length between the draft marks "
                                                      "(LBP + Fwd X - Aft X) can't be 0.")));

    d.fwdCorrection = fwdX * d.apparentTrim / d.lengthBetweenMarks;
    d.midCorrection = midX * d.apparentTrim / d.lengthBetweenMarks;
    d.aftCorrection = aftX * d.apparentTrim / d.lengthBetweenMarks;
    d.txtFwdCorrection = shown(d.fwdCorrection, 3);
    d.txtMidshipCorrection = shown(d.midCorrection, 3);
    d.txtAftCorrection = shown(d.aftCorrection, 3);

    d.fwdTrueDraft = d.fwdCorrection + d.fwdMean;
    d.midTrueDraft = d.midCorrection + d.midMean;
    d.aftTrueDraft = d.aftCorrection + d.aftMean;
    d.txtFwdTrueDraft = shown(d.fwdTrueDraft, 3);
    d.txtMidshipTrueDraft = shown(d.midTrueDraft, 3);
    d.txtAftTrueDraft = shown(d.aftTrueDraft, 3);

    d.trueTrim = d.aftTrueDraft - d.fwdTrueDraft;
    d.txtTrueTrim = shown(d.trueTrim, 3);

    d.trueMeanDraft = (d.aftTrueDraft + d.fwdTrueDraft + Decimal(6) * d.midTrueDraft) / Decimal(8);
    d.txtTrueMeanDraft = shown(d.trueMeanDraft, 8);
    return d;
}

HullDeflection hullDeflection(const CorrectedDrafts& drafts) {
    const Decimal deflection =
        (Decimal(2) * drafts.midMean - drafts.aftMean - drafts.fwdMean) * Decimal(50);
    if (deflection.sign() > 0)
        return {QStringLiteral("Sag"), deflection.toString()};
    if (deflection.sign() < 0)
        return {QStringLiteral("Hog"), deflection.abs().toString()};
    return {QString(), QStringLiteral("0")};
}
