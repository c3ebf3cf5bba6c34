#pragma once

#include "decimal.h"

class QSettings;

#include <QMap>
#include <QString>
#include <QStringList>

// What a survey is checked against, and what each input is taken to be
// good to: the defaults, which the user's settings may override.
struct SurveyLimits {
    // Warnings.
    Decimal listDegrees;
    Decimal trimByHeadMetres;
    Decimal twistMetres;
    Decimal deflectionCentimetres;
    Decimal densityLowest, densityHighest;
    Decimal constantChangePercent;
    Decimal billOfLadingPercent;
    // Standard uncertainties of the inputs.
    Decimal readingMetres;
    Decimal densityUncertainty;
    Decimal deductiblePercent;
    Decimal tablePercent;
    // A deductible item's own figure, in percent, by item key: a tank that
    // was sounded, estimated or only declared.
    QMap<int, Decimal> deductiblePercentByItem;
};

// One overridable figure of SurveyLimits: the key a setting gives it by,
// its default and where that default comes from.
struct SurveyLimitField {
    const char* key;
    Decimal SurveyLimits::*member;
    const char* defaultValue;
    const char* unit;
    const char* source;
};
const QList<SurveyLimitField>& surveyLimitFields();

SurveyLimits defaultSurveyLimits();

// Sets the figure named `key` ("list", "uncertainty/reading"... or
// "uncertainty/deductible/ITEM" for one item) to `value`. Empty, or why
// the setting is refused (an unknown key, a value that is no number or is
// negative); the limits are then unchanged.
QString overrideSurveyLimit(SurveyLimits& limits, const QString& key, const QString& value);

// The defaults with what `settings` sets under "Checks/" ("Checks/list",
// "Checks/uncertainty/reading"...); each setting not used, and why, is
// added to `refused`.
SurveyLimits surveyLimitsFrom(const QSettings& settings, QStringList& refused);
// As the user's settings file (the desktop program's, read by
// calvane-survey too) sets them.
SurveyLimits savedSurveyLimits(QStringList& refused);
