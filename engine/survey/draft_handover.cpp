#include "draft_handover.h"

#include "draft.h"
#include "message.h"
#include "rowset.h"

#include <QVarLengthArray>
#include <algorithm>

DraftReadingTexts readingTexts(const DraftEntry& e) {
    return {e.fwdPort, e.fwdStbd, e.midPort, e.midStbd, e.aftPort,
            e.aftStbd, e.fwdX,    e.midX,    e.aftX};
}

void saveDraftEntry(clsDraft& draft, const DraftEntry& e, const CorrectedDrafts& corrected,
                    const QString& totalDeductibles) {
    using P = DraftProperty;
    draft.set(P::SpecificGravity, e.density);
    draft.setTableDensity(e.table ? Decimal::fromText(e.table->density) : clsDraft::saltWater());
    draft.set(P::DSDate, e.date);
    draft.set(P::DSTime, e.time);
    draft.set(P::FwdPort, e.fwdPort);
    draft.set(P::FwdStbd, e.fwdStbd);
    draft.set(P::MidPort, e.midPort);
    draft.set(P::MidStbd, e.midStbd);
    draft.set(P::AftPort, e.aftPort);
    draft.set(P::AftStbd, e.aftStbd);
    draft.set(P::FwdMean, corrected.txtFwdMean);
    draft.set(P::MidMean, corrected.txtMidshipMean);
    draft.set(P::AftMean, corrected.txtAftMean);
    draft.set(P::FwdCorrection, corrected.txtFwdCorrection);
    draft.set(P::MidCorrection, corrected.txtMidshipCorrection);
    draft.set(P::AftCorrection, corrected.txtAftCorrection);
    draft.set(P::FwdTrueDraft, corrected.txtFwdTrueDraft);
    draft.set(P::MidTrueDraft, corrected.txtMidshipTrueDraft);
    draft.set(P::AftTrueDraft, corrected.txtAftTrueDraft);
    draft.set(P::FwdX, e.fwdX);
    draft.set(P::MidX, e.midX);
    draft.set(P::AftX, e.aftX);
    draft.set(P::TrueMeanDraft, corrected.trueMeanDraft);
    draft.set(P::LBM, corrected.txtLBM);
    draft.set(P::TrueTrim, corrected.txtTrueTrim);
    draft.set(P::TotDeductibles, totalDeductibles);
    draft.set(P::Comments, e.comments);
}

void saveDeductions(RowSet& deductions, const QList<int>& itemIDs,
                    const QMap<int, QString>& quantities) {
    // Each item's row, read in one pass: a search per item would read a
    // criterion and compare every row again, on every Calculate. A draft
    // has a few items, so looking through their keys beats hashing them.
    const QString itemColumn = QStringLiteral("ItemID");
    struct ItemRow {
        qint64 item;
        int row;
    };
    QVarLengthArray<ItemRow, 32> itemRows;
    for (deductions.moveFirst(); !deductions.atEnd(); deductions.moveNext()) {
        const Variant item = deductions.field(itemColumn);
        if (!item.isNull())
            itemRows.append({item.toWhole(), deductions.position()});
    }
    const QString quantityColumn = QStringLiteral("Quantity");
    for (int itemID : itemIDs) {
        // The first row of an item is the one kept.
        const auto row = std::find_if(itemRows.cbegin(), itemRows.cend(),
                                      [itemID](const ItemRow& r) { return r.item == itemID; });
        if (row != itemRows.cend()) {
            deductions.moveTo(row->row);
        } else {
            deductions.addNew();
            deductions.setField(itemColumn, Variant(itemID));
        }
        const Variant quantity =
            NormalizeValue(Variant(quantities.value(itemID)), -1, 0).toDecimal();
        // Calculate pressed again finds the quantities it stored last time.
        if (row != itemRows.cend() && deductions.field(quantityColumn) == quantity)
            continue;
        deductions.setField(quantityColumn, quantity);
        deductions.update();
    }
}

namespace {

// The inputs are looked at on every Calculate: each names its text, and
// the message is made only for the one missing.
struct RequiredField {
    const QString* text;
    const char* message;
    const char* field;
};

struct RequiredCell {
    const QString* text;
    const char* message;
    const char* editor;
    int row;
    int column;
};

// Typed values rarely start with a blank: only then is trimming needed.
bool blank(const QString& text) {
    return text.isEmpty() || (text.front().isSpace() && QStringView(text).trimmed().isEmpty());
}

} // namespace

std::optional<MissingInput> firstMissingField(const SurveyDocument& s, const DraftEntry& e) {
    const bool shipChosen = s.shipID.has_value() || s.particulars.has_value();
    const QString ship = shipChosen ? QStringLiteral("ship") : QString();
    const RequiredField fields[] = {
        {&ship, "Please select ship name.", "dcbShip"},
        {&s.voyage, "Please enter Voyage-ID.", "txtVoyageID"},
        {&s.port, "Please select port name.", "dcbPort"},
        {&s.cargo, "Please enter value for cargo.", "txtCargo"},
        {&e.density, "Please enter value for Density.", "txtDensity"},
        {&e.fwdPort, "Please enter value for Forward Port.", "txtFwdPort"},
        {&e.fwdStbd, "Please enter value for Forward Starboard.", "txtFwdStbd"},
        {&e.midPort, "Please enter value for Midship Port.", "txtMidShipPort"},
        {&e.midStbd, "Please enter value for Midship Starboard.", "txtMidshipStbd"},
        {&e.aftPort, "Please enter value for Aft Port.", "txtAftPort"},
        {&e.aftStbd, "Please enter value for Aft Starboard.", "txtAftStbd"},
        {&e.fwdX, "Please enter value for Fwd X.", "txtFwdX"},
        {&e.midX, "Please enter value for Mid X.", "txtMidX"},
        {&e.aftX, "Please enter value for Aft X.", "txtAftX"},
    };
    for (const RequiredField& f : fields) {
        if (blank(*f.text)) {
            return MissingInput{
                QString::fromLatin1(f.field),
                warningMessage(QStringLiteral("Incomplete data."), QString::fromLatin1(f.message))};
        }
    }
    return std::nullopt;
}

std::optional<MissingCell> firstBlankCell(const DraftEntry& e) {
    const char* const grid = "txtHDTGridTextbox";
    const RequiredCell cells[] = {
        {&e.below.draft, "Value of Hyd. Draft can't be left blank.", grid, 1, 1},
        {&e.below.displacement, "Value of Displacement can't be left blank.", grid, 1, 2},
        {&e.below.tpc, "Value of TPC can't be left blank.", grid, 1, 3},
        {&e.below.lcf, "Value of LCF can't be left blank.", grid, 1, 4},
        {&e.above.draft, "Value of Hyd. Draft can't be left blank.", grid, 2, 1},
        {&e.above.displacement, "Value of Displacement can't be left blank.", grid, 2, 2},
        {&e.above.tpc, "Value of TPC can't be left blank.", grid, 2, 3},
        {&e.above.lcf, "Value of LCF can't be left blank.", grid, 2, 4},
        // The MCTC drafts follow the hydrostatic drafts, already checked above.
        {&e.mctcPlus50Below, "Value of MCTC+50 can't be left blank.", "txtMPGridTextbox", 1, 2},
        {&e.mctcPlus50Above, "Value of MCTC+50 can't be left blank.", "txtMPGridTextbox", 2, 2},
        {&e.mctcMinus50Below, "Value of MCTC-50 can't be left blank.", "txtMMGridTextbox", 1, 2},
        {&e.mctcMinus50Above, "Value of MCTC-50 can't be left blank.", "txtMMGridTextbox", 2, 2},
    };
    for (const RequiredCell& cell : cells) {
        if (blank(*cell.text)) {
            return MissingCell{{QString::fromLatin1(cell.editor), cell.row, cell.column},
                               {MessageIcon::Exclamation, QStringLiteral("Hydrostatic Data Table"),
                                QString::fromLatin1(cell.message), MessageButtons::Ok,
                                MessageAnswer::Ok}};
        }
    }
    return std::nullopt;
}
