#pragma once

#include "message.h"
#include "survey_document.h"
#include "variant.h"

#include <QString>
#include <optional>

enum class Stage { Initial, Final };

// A result as the worksheet shows it: its text, red when out of range.
struct ShownValue {
    QString text;
    bool red = false;

    friend bool operator==(const ShownValue& a, const ShownValue& b) {
        return a.text == b.text && a.red == b.red;
    }
};

// What the worksheet knows when it shows a draft.
struct StageInputs {
    Worksheet worksheet = Worksheet::Loading;
    Stage stage = Stage::Initial;
    Variant net;             // the shown draft's net displacement
    Variant lightShip;       // the ship's light-ship displacement
    Variant initialNet;      // the Initial draft's net displacement
    QString initialNetField; // the initial net displacement box as it stands
    QString billOfLading;    // the Bill of Lading quantity box (discharging)
};

// The last three lines of a stage's results and the fields that follow
// from them. `net` is the stage's net displacement; `reference` what it is
// measured against (the light ship, or the Initial draft's net
// displacement); `outcome` the difference (the constant, cargo + constant,
// or the cargo). A field left unset is not touched.
struct StageResults {
    QString netTitle, referenceTitle, outcomeTitle;
    ShownValue net, reference, outcome;
    std::optional<ShownValue> initialNetField; // the initial net displacement box
    std::optional<ShownValue> constant;        // loading: constant; discharging: at the Final stage
    std::optional<ShownValue> initNetDisp;     // loading
    std::optional<ShownValue> finalNetDisp;    // loading
    std::optional<ShownValue> cargo;           // cargo loaded or discharged
    std::optional<ShownValue> assumedConstant; // discharging
    std::optional<Message> warning;            // for the window to show
};

// The constant, cargo + constant, assumed constant and cargo for the shown
// stage. On the discharging worksheet's Initial stage a negative cargo +
// constant gives the warning "Value of constant is invalid.". A non-numeric initial net
// displacement box raises the type-mismatch error.
StageResults deriveStage(const StageInputs& inputs);

// What the Calculate command checks once the draft is shown.
struct CalculatedStage {
    Worksheet worksheet = Worksheet::Loading;
    Stage stage = Stage::Initial;
    Variant net;           // the shown draft's net displacement
    QString outcome;       // the stage's outcome line
    QString cargoField;    // discharging: cargo discharged box
    QString constantField; // discharging: constant box
};

// The warnings of the Calculate command, in the order they are shown; the
// results stay.
struct CalculatedStageCheck {
    QList<Message> warnings;
};
CalculatedStageCheck checkCalculatedStage(const CalculatedStage& calculated);

// What an entry rule leaves in its field.
struct EntryVerdict {
    bool accepted = true;
    QString text;    // the field's text after the rule (emptied on refusal)
    Message refusal; // when refused
};

// The initial net displacement typed on the Final stage: blank, or a
// number greater than 0 and less than 1000000, rounded to 5 places.
EntryVerdict checkInitialNetDisplacement(const QString& text);

// The Bill of Lading quantity: blank, or at least 0 and less than 1000000,
// rounded to 5 places.
EntryVerdict checkBillOfLading(const QString& text);
// The assumed constant once a non-zero quantity is accepted: the Initial
// stage's outcome (cargo + constant, 0 when blank) less the quantity.
std::optional<ShownValue> assumedConstantFor(const QString& acceptedQuantity,
                                             const QString& outcome);
