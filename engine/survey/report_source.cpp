#include "report_source.h"

#include "rowset.h"

namespace {

// The draft properties a report column prints.
constexpr DraftProperty printed[] = {
    DraftProperty::DSDate,          DraftProperty::DSTime,        DraftProperty::Comments,
    DraftProperty::SpecificGravity, DraftProperty::MidPort,       DraftProperty::MidStbd,
    DraftProperty::FwdMean,         DraftProperty::MidMean,       DraftProperty::AftMean,
    DraftProperty::FwdCorrection,   DraftProperty::AftCorrection, DraftProperty::FwdTrueDraft,
    DraftProperty::AftTrueDraft,    DraftProperty::TrueMeanDraft,
};

} // namespace

ReportColumn ReportColumn::from(const clsDraft& draft) {
    ReportColumn column;
    for (const DraftProperty property : printed)
        column.values.insert(property, draft.get(property));
    column.finalResult = draft.FinalResult();
    column.interpolated = draft.IpResult().value(1);
    // A copy, so the draft's own row set keeps its position.
    RowSet deductions = draft.Deductions();
    if (deductions.isOpen() && deductions.recordCount() > 0) {
        for (deductions.moveFirst(); !deductions.atEnd(); deductions.moveNext())
            column.deductions.append({deductions.field(QStringLiteral("ItemID")),
                                      deductions.field(QStringLiteral("Quantity"))});
    }
    return column;
}
