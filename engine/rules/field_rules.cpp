#include "field_rules.h"

#include "decimal.h"
#include "errors.h"

namespace {

constexpr const char* draftRange = "Please enter value greater than 0 and less than 100.";
constexpr const char* draftNotNumber = "Please enter numeric value.";
constexpr const char* onlyNumbers[2] = {"Invalid value. Only numbers are allowed.", ""};
constexpr const char* calvane = "Calvane Lt";
constexpr const char* hydrostatic = "Hydrostatic Data Table";

constexpr Bound open0{"0", false};
constexpr Bound open100{"100", false};

FieldRule reading(SurveyField field, const char* objectName, const char* name) {
    return {field,
            objectName,
            open0,
            open100,
            3,
            {name, draftNotNumber},
            {name, draftRange},
            nullptr,
            AfterRefusal::Emptied,
            AfterRefusal::Emptied,
            calvane};
}

FieldRule markDistance(SurveyField field, const char* objectName, const char* range,
                       const char* rangeDischarging) {
    return {field,
            objectName,
            {"-1000", false},
            {"1000", false},
            4,
            {onlyNumbers[0], onlyNumbers[1]},
            {"Invalid value.", range},
            rangeDischarging,
            AfterRefusal::Emptied,
            AfterRefusal::Emptied,
            calvane};
}

FieldRule gridValue(SurveyField field, const char* header, Bound low, const char* high,
                    int decimals, const char* range, const char* rangeDischarging,
                    AfterRefusal afterOutOfRange) {
    return {field,           header,           low,
            {high, false},   decimals,         {onlyNumbers[0], onlyNumbers[1]},
            {range, ""},     rangeDischarging, AfterRefusal::PreviousText,
            afterOutOfRange, hydrostatic};
}

// In the order of SurveyField.
const FieldRule rules[] = {
    reading(SurveyField::FwdPort, "txtFwdPort", "Invalid value for Foward Port draft."),
    reading(SurveyField::FwdStbd, "txtFwdStbd", "Invalid value for Foward Starboard draft."),
    reading(SurveyField::MidPort, "txtMidShipPort", "Invalid value for Midship Port draft."),
    reading(SurveyField::MidStbd, "txtMidshipStbd", "Invalid value for Midship Starboard draft."),
    reading(SurveyField::AftPort, "txtAftPort", "Invalid value for Aft Port draft."),
    reading(SurveyField::AftStbd, "txtAftStbd", "Invalid value for Aft Starboard draft."),
    {SurveyField::Density,
     "txtDensity",
     open0,
     {"10", false},
     4,
     {"Invalid density value.", "Only numbers are allowed."},
     {"Invalid density value.", "Please enter values greater than 0 and less than 10."},
     "Please enter values greater than 0 and less 10.",
     AfterRefusal::Emptied,
     AfterRefusal::Emptied,
     calvane},
    markDistance(SurveyField::FwdX, "txtFwdX",
                 "Value of Fwd-X can be a number greater than -1000 and less than 1000.", nullptr),
    markDistance(SurveyField::MidX, "txtMidX",
                 "Value of Mid-X can be a number greater than -1000 and less than 1000.", nullptr),
    markDistance(SurveyField::AftX, "txtAftX",
                 "Value of Aft-X can be  a number greater than -1000 and less than 1000.",
                 "Value of Aft-X can be greater than -1000 and less than 1000."),
    gridValue(SurveyField::HydDraft, "Hyd. Draft", open0, "100", 8,
              "Value of Hyd. Draft can only be a positive number greater than 0 and less than 100.",
              nullptr, AfterRefusal::PreviousText),
    gridValue(SurveyField::Displacement, "Displacement", open0, "1000000", 3,
              "Value of Displacement can only be a positive number greater than 0 and less than "
              "1000000.",
              "Value of Displacement can only be a positive number greater than 0 and less "
              "1000000.",
              AfterRefusal::PreviousText),
    gridValue(SurveyField::TPC, "TPC", open0, "10000", 3,
              "Value of TPC can only be a positive number greater than 0 and less than 10000.",
              nullptr, AfterRefusal::Emptied),
    gridValue(SurveyField::LCF, "LCF", {"-10000", false}, "10000", 3,
              "Value of LCF can only be a positive number greater than -10000 and less than 10000.",
              nullptr, AfterRefusal::PreviousText),
    gridValue(SurveyField::MCTCPlus50, "MCTC+50", open0, "100000", 3,
              "Value of MCTC+50 can only be a positive number greater than 0 and less than "
              "100000.",
              nullptr, AfterRefusal::PreviousText),
    gridValue(SurveyField::MCTCMinus50, "MCTC-50", open0, "100000", 3,
              "Value of MCTC-50 can only be a positive number greater than 0 and less than "
              "100000.",
              nullptr, AfterRefusal::PreviousText),
    {SurveyField::Deduction,
     "txtGridTextbox",
     {"0", true},
     {"100000", false},
     4,
     {"Invalid quantity.", "Please enter numeric value only."},
     {"Invalid value.", "Value of deduction can be a number greater than 0 and less than 100000."},
     "Value of deduction can be greater than 0 and less than 100000.",
     AfterRefusal::Emptied,
     AfterRefusal::Emptied,
     calvane},
};

QString text(const char* latin1) {
    return QString::fromLatin1(latin1);
}

bool inRange(const FieldRule& rule, const Decimal& value) {
    const Decimal low = Decimal::fromText(text(rule.low.value));
    const Decimal high = Decimal::fromText(text(rule.high.value));
    const bool aboveLow = rule.low.included ? value >= low : value > low;
    const bool belowHigh = rule.high.included ? value <= high : value < high;
    return aboveLow && belowHigh;
}

Message refusal(const FieldRule& rule, const char* first, const char* second) {
    const QString body = *second ? twoPartText(text(first), text(second)) : text(first);
    return {MessageIcon::Exclamation, text(rule.title), body, MessageButtons::Ok,
            MessageAnswer::Ok};
}

FieldVerdict refused(AfterRefusal after, const Message& message, const QString& previousText) {
    FieldVerdict verdict;
    verdict.accepted = false;
    verdict.text = after == AfterRefusal::PreviousText ? previousText : QString();
    verdict.refusal = message;
    return verdict;
}

} // namespace

const FieldRule& fieldRule(SurveyField field) {
    const FieldRule& rule = rules[int(field)];
    if (rule.field != field)
        throw ProgramError::subscriptOutOfRange();
    return rule;
}

FieldVerdict checkField(SurveyField field, Worksheet worksheet, const QString& typed,
                        const QString& previousText) {
    const FieldRule& rule = fieldRule(field);
    const QString trimmed = typed.trimmed();
    if (trimmed.isEmpty()) {
        FieldVerdict blank;
        blank.blank = true;
        return blank;
    }
    const std::optional<Decimal> number = Decimal::tryParse(trimmed);
    if (!number)
        return refused(rule.afterNotNumber, refusal(rule, rule.notNumber[0], rule.notNumber[1]),
                       previousText);
    // The value kept is the rounded one, so that is the one tested: a density
    // of 0.00001 would otherwise pass "greater than 0" and be kept as 0.
    const Decimal rounded = number->rounded(rule.decimals);
    if (!inRange(rule, rounded)) {
        const bool ownWording = worksheet == Worksheet::Discharging && rule.outOfRangeDischarging;
        const char* second =
            ownWording && *rule.outOfRange[1] ? rule.outOfRangeDischarging : rule.outOfRange[1];
        const char* first =
            ownWording && !*rule.outOfRange[1] ? rule.outOfRangeDischarging : rule.outOfRange[0];
        return refused(rule.afterOutOfRange, refusal(rule, first, second), previousText);
    }
    FieldVerdict accepted;
    accepted.text = rounded.toString();
    return accepted;
}

QString committedCellText(const QString& editorText, const QString& cellText) {
    const QString trimmed = editorText.trimmed();
    if (trimmed.compare(cellText, Qt::CaseInsensitive) == 0)
        return cellText;
    if (editorText.isEmpty())
        return QString();
    // Text that is no number (the Enter path commits before any check)
    // leaves the cell as it was.
    const std::optional<Decimal> number = Decimal::tryParse(trimmed);
    return number ? number->rounded(4).toString() : cellText;
}
