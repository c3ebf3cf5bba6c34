#include "stage_results.h"

#include "message.h"

namespace {

Decimal N(const Variant& value) {
    return NormalizeValue(value, -1, 0).toDecimal();
}

Decimal N(const QString& text) {
    return N(Variant(text));
}

Decimal N5(const Variant& value) {
    return NormalizeValue(value, 5, 0).toDecimal();
}

QString textOf(const Variant& value) {
    return value.isNull() ? QString() : value.toText();
}

// Whether the value shows as any text at all; a number always does, and
// need not be written out to tell.
bool showsText(const Variant& value) {
    return value.isNumber() || !textOf(value).isEmpty();
}

bool between(const Decimal& value, int low, int high) {
    return value > Decimal(low) && value < Decimal(high);
}

EntryVerdict acceptedEntry(const QString& text) {
    EntryVerdict verdict;
    verdict.text = text;
    return verdict;
}

// A refused entry empties its field.
EntryVerdict refusedEntry(const QString& first, const QString& second) {
    EntryVerdict verdict;
    verdict.accepted = false;
    verdict.refusal = warningMessage(first, second);
    return verdict;
}

ShownValue shown(const Decimal& value, bool red) {
    return {value.toString(), red};
}

void loadingInitial(const StageInputs& in, StageResults& out) {
    if (N(in.net).isZero())
        return;
    out.reference = {textOf(in.lightShip), false};
    const Decimal constant = N(in.net) - N(in.lightShip);
    out.outcome = shown(constant, !between(constant, 0, 100000));
    out.initNetDisp = ShownValue{textOf(in.net), false};
    out.constant = out.outcome;
}

// Row 10 of a Final stage: the Initial draft's net displacement, also put
// in the initial net displacement box unless it is 0.
Decimal initialNetShown(const StageInputs& in, StageResults& out) {
    const Decimal initial = N5(in.initialNet);
    out.reference = {initial.toString(), false};
    if (!initial.isZero()) {
        out.initialNetField = shown(initial, initial.sign() < 0);
        return initial;
    }
    return N(in.initialNetField);
}

void loadingFinal(const StageInputs& in, StageResults& out) {
    if (in.net.isNull() || !showsText(in.net) || N(in.net).isZero())
        return;
    const Decimal net = N(in.net);
    const Decimal cargo = (net - initialNetShown(in, out)).rounded(5);
    out.outcome = shown(cargo, cargo.sign() < 0);
    out.finalNetDisp = ShownValue{textOf(in.net), net.sign() < 0};
    out.cargo = out.outcome;
}

void dischargingInitial(const StageInputs& in, StageResults& out) {
    const Decimal net = N(in.net);
    if (net.isZero())
        return;
    const Decimal lightShip = N(in.lightShip);
    out.reference = {lightShip.isZero() ? QString() : textOf(in.lightShip), false};
    const Decimal cargoAndConstant = net - lightShip;
    out.outcome = {cargoAndConstant.isZero() ? QString() : cargoAndConstant.toString(), false};
    if (!out.outcome.text.isEmpty() && cargoAndConstant.sign() < 0) {
        out.outcome.red = true;
        out.warning = warningMessage(QStringLiteral("Value of constant is invalid."),
                                     QStringLiteral("Please check your input values."));
    }
    if (!in.billOfLading.trimmed().isEmpty() && !N(in.billOfLading).isZero()) {
        const Decimal assumed = cargoAndConstant - N(in.billOfLading);
        out.assumedConstant =
            ShownValue{assumed.isZero() ? QString() : assumed.toString(), assumed.sign() < 0};
    }
}

void dischargingFinal(const StageInputs& in, StageResults& out) {
    if (in.net.isNull() || (!in.net.isNumber() && textOf(in.net).trimmed().isEmpty()))
        return;
    const Decimal cargo = (initialNetShown(in, out) - N5(in.net)).rounded(5);
    out.outcome = shown(cargo, cargo.sign() < 0);
    out.cargo = out.outcome;
    const Decimal constant = N5(in.net) - N(in.lightShip);
    out.constant = shown(constant, constant.sign() < 0);
}

} // namespace

StageResults deriveStage(const StageInputs& in) {
    StageResults out;
    const bool loading = in.worksheet == Worksheet::Loading;
    if (in.stage == Stage::Initial) {
        out.netTitle = QStringLiteral("Net Displacement");
        out.referenceTitle = QStringLiteral("LightShip");
        out.outcomeTitle =
            loading ? QStringLiteral("Constant") : QStringLiteral("Cargo + Constant");
    } else {
        out.netTitle = QStringLiteral("Final Net Displacement");
        out.referenceTitle = QStringLiteral("Initial Net Displacement");
        out.outcomeTitle = loading ? QStringLiteral("Total Cargo Loaded")
                                   : QStringLiteral("Total Cargo Discharged");
    }
    if (!in.net.isNull() && showsText(in.net)) {
        const Decimal net = N(in.net);
        out.net = shown(net.rounded(6), !between(net, 0, 1000000));
    }
    if (loading)
        in.stage == Stage::Initial ? loadingInitial(in, out) : loadingFinal(in, out);
    else
        in.stage == Stage::Initial ? dischargingInitial(in, out) : dischargingFinal(in, out);
    return out;
}

CalculatedStageCheck checkCalculatedStage(const CalculatedStage& c) {
    CalculatedStageCheck check;
    const auto warnInput = [&check](const QString& first) {
        check.warnings.append(
            warningMessage(first, QStringLiteral("Please check your input values.")));
    };
    // A net displacement that is missing or no number is as wrong as one
    // out of range.
    const auto netInRange = [&c] {
        if (c.net.isNull())
            return false;
        const auto net = c.net.isNumber() ? std::optional<Decimal>(c.net.toDecimal())
                                          : Decimal::tryParse(c.net.toText());
        return net && between(*net, 0, 1000000);
    };
    if (c.worksheet == Worksheet::Loading) {
        const bool netBlank = !c.net.isNull() && !showsText(c.net);
        if (!netBlank && !netInRange()) {
            warnInput(QStringLiteral("Invalid Net Displacement value."));
            return check;
        }
        if (c.stage != Stage::Initial)
            return check;
        const auto constant = Decimal::tryParse(c.outcome);
        if (!c.outcome.isEmpty() && !(constant && between(*constant, 0, 100000)))
            warnInput(QStringLiteral("Invalid constant value."));
        return check;
    }
    if (!netInRange())
        warnInput(QStringLiteral("Invalid Net Displacement value."));
    if (c.stage == Stage::Final) {
        if (!c.cargoField.isEmpty() && N(c.cargoField).sign() < 0)
            warnInput(QStringLiteral("Current value for Total cargo discharged is invalid."));
        if (!c.constantField.isEmpty() && N(c.constantField).sign() < 0)
            warnInput(QStringLiteral("Current value for Constant is invalid."));
    }
    return check;
}

EntryVerdict checkInitialNetDisplacement(const QString& text) {
    if (text.trimmed().isEmpty())
        return acceptedEntry(text);
    const auto value = Decimal::tryParse(text);
    if (!value) {
        return refusedEntry(QStringLiteral("Invalid quantity."),
                            QStringLiteral("Please enter numeric value only."));
    }
    const Decimal rounded = value->rounded(5);
    if (!between(rounded, 0, 1000000)) {
        return refusedEntry(
            QStringLiteral("Invalid value."),
            QStringLiteral("Value of initial net displacement can be greater than 0 and "
                           "less than 1000000."));
    }
    return acceptedEntry(rounded.toString());
}

EntryVerdict checkBillOfLading(const QString& text) {
    if (text.trimmed().isEmpty())
        return acceptedEntry(text);
    const auto value = Decimal::tryParse(text);
    if (!value) {
        return refusedEntry(QStringLiteral("Invalid value for Bill of Lading quantity."),
                            QStringLiteral("Please enter numeric value."));
    }
    if (!(*value >= Decimal(0) && *value < Decimal(1000000))) {
        return refusedEntry(
            QStringLiteral("Invalid value for Invalid value for Bill of Lading quantity."),
            QStringLiteral("Please enter value  0 and 1000000."));
    }
    return acceptedEntry(value->rounded(5).toString());
}

std::optional<ShownValue> assumedConstantFor(const QString& acceptedQuantity,
                                             const QString& outcome) {
    const Decimal quantity = N(acceptedQuantity);
    if (quantity.isZero())
        return std::nullopt;
    const Decimal assumed = N(outcome) - quantity;
    return shown(assumed, assumed.sign() < 0);
}
