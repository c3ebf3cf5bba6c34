#pragma once

#include "decimal.h"
#include "survey_document.h"
#include "survey_limits.h"

#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

// The cargo a survey gives, or nothing when it gives none (the Final draft
// not taken, a refused calculation).
using CargoOf = std::function<std::optional<Decimal>(const SurveyDocument& survey)>;

// How much one input moves the cargo when it is off by its standard
// uncertainty.
struct CargoSensitivity {
    QString group; // "final draft readings", "initial density"...
    QString input; // "final.readings.fwdPort"...
    Decimal change;
};

// What a group of inputs adds to the cargo's uncertainty, at 95 %.
struct UncertaintyContributor {
    QString group;
    Decimal tonnes;
};

// The cargo with how far it can be trusted. `expanded` is twice the
// standard uncertainty (about 95 % coverage), the inputs' own
// uncertainties being standard ones combined root-sum-square; `worstCase`
// is every input off by its uncertainty the same way for the cargo.
struct CargoUncertainty {
    Decimal cargo;
    Decimal expanded;
    Decimal worstCase;
    QList<CargoSensitivity> sensitivities;
    QList<UncertaintyContributor> contributors; // largest first
};

// Perturbs each input of `survey` by its uncertainty, one at a time, and
// calculates the cargo again with `cargoOf`. `itemNames` name the
// deductible items ("Ballast"...). Nothing when the survey gives no cargo.
std::optional<CargoUncertainty> cargoUncertainty(const SurveyDocument& survey,
                                                 const CargoOf& cargoOf, const SurveyLimits& limits,
                                                 const QHash<int, QString>& itemNames);

// "88,759.7 t ± 94 t (±0.11 %, 95 %)".
QString uncertaintyText(const CargoUncertainty& uncertainty);
// "± 94 t (±0.11 %, 95 %)": the same without the cargo.
QString uncertaintyMargin(const CargoUncertainty& uncertainty);
// "final draft readings 61 t, final ballast 48 t, initial density 20 t":
// the largest `count` contributors.
QString contributorsText(const CargoUncertainty& uncertainty, int count = 3);
// The expanded uncertainty in percent of the cargo; 0 for no cargo.
Decimal uncertaintyPercent(const CargoUncertainty& uncertainty);
