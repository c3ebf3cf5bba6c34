#include "ship_constants.h"

#include "connection.h"
#include "constant_history.h"
#include "errors.h"
#include "survey_calculation.h"

#include <QDate>
#include <QFileInfo>

namespace {

// One survey file however it was named.
QString fileKey(const QString& file) {
    return file.isEmpty() ? file : QFileInfo(file).absoluteFilePath();
}

} // namespace

void keepShipConstant(const SurveyDocument& survey, const QString& file) {
    if (!survey.shipID || !gcnnStore || !gcnnStore->isOpen())
        return;
    try {
        SurveyCalculation calculation(survey, *survey.shipID);
        if (!calculation.run().isEmpty())
            return;
        const std::optional<Decimal> constant = Decimal::tryParse(calculation.constantField());
        if (!constant)
            return;
        // The draft the constant is found at: the ship before loading, or
        // after discharging.
        const DraftEntry& entry =
            survey.worksheet == Worksheet::Loading ? survey.initial : survey.final;
        ConstantHistory(*gcnnStore)
            .keep({*survey.shipID, QDate::fromString(entry.date, QStringLiteral("dd-MM-yyyy")),
                   survey.port, *constant, fileKey(file)});
    } catch (const ProgramError&) {
        // The history is a help to the next survey, never a condition of
        // saving this one.
    }
}

QList<Decimal> earlierShipConstants(const SurveyDocument& survey, const QString& file) {
    if (!survey.shipID || !gcnnStore || !gcnnStore->isOpen())
        return {};
    QList<Decimal> constants;
    try {
        for (const ConstantRecord& record :
             ConstantHistory(*gcnnStore).ofShip(*survey.shipID, fileKey(file)))
            constants.append(record.constant);
    } catch (const ProgramError&) {
        return {}; // a register without the history warns of nothing
    }
    return constants;
}
