#pragma once

#include "message.h"
#include "survey_document.h"

#include <QString>

// The fields of a survey that take a number, each checked by one rule when
// it is left (in a worksheet) or read (from a survey file).
enum class SurveyField {
    FwdPort,
    FwdStbd,
    MidPort,
    MidStbd,
    AftPort,
    AftStbd,
    Density,
    FwdX,
    MidX,
    AftX,
    HydDraft,
    Displacement,
    TPC,
    LCF,
    MCTCPlus50,
    MCTCMinus50,
    Deduction,
};

// What a field holds after its rule refused the value.
enum class AfterRefusal { Emptied, PreviousText };

struct Bound {
    const char* value;
    bool included;
};

// One row of the rules table. A blank is always accepted by the rule
// itself; whether the field may stay blank is the completeness check's.
struct FieldRule {
    SurveyField field;
    const char* objectName;
    Bound low, high;
    int decimals;
    // First and second part of each message ("" second part: one part).
    const char* notNumber[2];
    const char* outOfRange[2];
    // The discharging worksheet's wording where it differs, else nullptr.
    const char* outOfRangeDischarging;
    AfterRefusal afterNotNumber;
    AfterRefusal afterOutOfRange;
    const char* title;
};

const FieldRule& fieldRule(SurveyField field);

// The verdict of a rule on a field's text.
struct FieldVerdict {
    bool accepted = true;
    bool blank = false;
    // Accepted: the rounded value to write back ("" for a blank).
    // Refused: what the field holds now, given the text it held before.
    QString text;
    Message refusal; // when refused
};

// Checks a text against its field's rule; shows nothing. `previousText` is
// what the field (a grid cell) held before, for rules that put it back.
FieldVerdict checkField(SurveyField field, Worksheet worksheet, const QString& text,
                        const QString& previousText = QString());

// What a grid cell holds once its editor's text is committed: unchanged
// when equal (blanks around and letter case aside), empty for an empty
// editor, else the value to 4 places; text that is no number keeps the
// cell as it was.
QString committedCellText(const QString& editorText, const QString& cellText);
