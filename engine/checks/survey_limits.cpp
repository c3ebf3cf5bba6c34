#include "survey_limits.h"

#include <QSettings>

const QList<SurveyLimitField>& surveyLimitFields() {
    static const QList<SurveyLimitField> fields = {
        {"list", &SurveyLimits::listDegrees, "0.5", "°",
         "UN/ECE Code of Uniform Standards and Procedures for the Performance of Draught "
         "Surveys of Coal Cargoes (ECE/ENERGY/19, 1992)"},
        {"trimByHead", &SurveyLimits::trimByHeadMetres, "0", "m",
         "this program's choice: any trim by the head"},
        {"twist", &SurveyLimits::twistMetres, "0.03", "m",
         "three times a reading's own uncertainty"},
        {"deflection", &SurveyLimits::deflectionCentimetres, "10", "cm",
         "this program's choice: more is more often a misread mark than a bent hull"},
        {"densityLowest", &SurveyLimits::densityLowest, "0.990", "t/m³",
         "fresh water (1.000) less more than a hydrometer's error"},
        {"densityHighest", &SurveyLimits::densityHighest, "1.035", "t/m³",
         "above the saltest sea water met in port (about 1.030)"},
        {"constantChange", &SurveyLimits::constantChangePercent, "10", "%",
         "this program's choice: a constant that moves more needs explaining"},
        {"billOfLading", &SurveyLimits::billOfLadingPercent, "0.5", "%",
         "P&I clubs' loss-prevention bulletins: where cargo claims begin"},
        {"uncertainty/reading", &SurveyLimits::readingMetres, "0.01", "m",
         "a draft mark read to the nearest centimetre"},
        {"uncertainty/density", &SurveyLimits::densityUncertainty, "0.0005", "t/m³",
         "a draught-survey hydrometer read to its half-division"},
        {"uncertainty/deductible", &SurveyLimits::deductiblePercent, "0.5", "%",
         "this program's choice for tanks sounded with calibrated tables"},
        {"uncertainty/table", &SurveyLimits::tablePercent, "0", "%",
         "the approved hydrostatic table is taken as exact"},
    };
    return fields;
}

SurveyLimits defaultSurveyLimits() {
    SurveyLimits limits;
    for (const SurveyLimitField& field : surveyLimitFields())
        limits.*field.member = Decimal::fromText(QString::fromLatin1(field.defaultValue));
    return limits;
}

QString overrideSurveyLimit(SurveyLimits& limits, const QString& key, const QString& value) {
    const std::optional<Decimal> number = Decimal::tryParse(value);
    if (!number || number->sign() < 0)
        return QStringLiteral("%1: %2 is not a number of 0 or more").arg(key, value);
    const QString itemPrefix = QStringLiteral("uncertainty/deductible/");
    if (key.startsWith(itemPrefix)) {
        bool isItem = false;
        const int item = key.mid(itemPrefix.size()).toInt(&isItem);
        if (!isItem)
            return QStringLiteral("%1: no deductible item").arg(key);
        limits.deductiblePercentByItem[item] = *number;
        return QString();
    }
    for (const SurveyLimitField& field : surveyLimitFields()) {
        if (key == QLatin1String(field.key)) {
            limits.*field.member = *number;
            return QString();
        }
    }
    return QStringLiteral("%1: no such setting").arg(key);
}

SurveyLimits surveyLimitsFrom(const QSettings& settings, QStringList& refused) {
    SurveyLimits limits = defaultSurveyLimits();
    const QString group = QStringLiteral("Checks/");
    for (const QString& key : settings.allKeys()) {
        if (!key.startsWith(group))
            continue;
        const QString problem =
            overrideSurveyLimit(limits, key.mid(group.size()), settings.value(key).toString());
        if (!problem.isEmpty())
            refused.append(QStringLiteral("Setting %1 is not used (%2).").arg(key, problem));
    }
    return limits;
}

SurveyLimits savedSurveyLimits(QStringList& refused) {
    // The desktop program's settings file, which calvane-survey reads too.
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("calvane"),
                             QStringLiteral("calvane"));
    return surveyLimitsFrom(settings, refused);
}
