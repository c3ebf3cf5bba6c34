#include "survey_warnings.h"

#include "decimal_functions.h"
#include "draft.h"
#include "draft_correction.h"
#include "draft_handover.h"
#include "errors.h"
#include "ship.h"
#include "survey_calculation.h"

#include <QDateTime>

namespace {

using Figures = QList<QPair<QString, QString>>;

std::optional<Decimal> number(const QString& text) {
    return text.trimmed().isEmpty() ? std::nullopt : Decimal::tryParse(text);
}

std::optional<Decimal> number(const Variant& value) {
    if (!value.isNumber())
        return std::nullopt;
    return value.toDecimal();
}

QString shown(const Decimal& value, int decimals) {
    return value.rounded(decimals).toString();
}

QString stageName(Stage stage) {
    return stage == Stage::Initial ? QStringLiteral("Initial draft")
                                   : QStringLiteral("Final draft");
}

// Percent by which `value` is away from `reference` (not 0).
Decimal percentAway(const Decimal& value, const Decimal& reference) {
    return (value - reference).abs() * Decimal(100) / reference.abs();
}

class Warnings {
public:
    Warnings(const ShipFacts& ship, const SurveyLimits& limits) : m_ship(ship), m_limits(limits) {}

    void checkReadings(Stage stage, const DraftEntry& entry);
    void checkOverload(Stage stage, const StageFigures& figures);
    void checkOrder(const SurveyDocument& survey);
    void checkConstant(const std::optional<Decimal>& constant, const QList<Decimal>& previous);
    void checkBillOfLading(const std::optional<Decimal>& cargo, const QString& quantity);

    QList<SurveyWarning> list;

private:
    void add(const char* code, std::optional<Stage> stage, const QString& text,
             const Figures& figures) {
        list.append({QLatin1String(code), stage, text, figures});
    }
    void checkList(Stage stage, const DraftEntry& entry);
    void checkTwist(Stage stage, const DraftEntry& entry);
    void checkShape(Stage stage, const DraftEntry& entry);

    const ShipFacts& m_ship;
    const SurveyLimits& m_limits;
};

void Warnings::checkReadings(Stage stage, const DraftEntry& entry) {
    checkList(stage, entry);
    checkTwist(stage, entry);
    checkShape(stage, entry);
    if (const std::optional<Decimal> density = number(entry.density);
        density && (*density < m_limits.densityLowest || *density > m_limits.densityHighest))
        add("density", stage,
            QStringLiteral("density %1 t/m³ is outside %2 to %3 t/m³: check the hydrometer")
                .arg(density->toString(), m_limits.densityLowest.toString(),
                     m_limits.densityHighest.toString()),
            {{QStringLiteral("density"), density->toString()},
             {QStringLiteral("lowest"), m_limits.densityLowest.toString()},
             {QStringLiteral("highest"), m_limits.densityHighest.toString()}});
}

void Warnings::checkList(Stage stage, const DraftEntry& entry) {
    const std::optional<Decimal> port = number(entry.midPort);
    const std::optional<Decimal> starboard = number(entry.midStbd);
    if (!port || !starboard || !m_ship.breadth || m_ship.breadth->sign() <= 0)
        return;
    const Decimal difference = *port - *starboard;
    const Decimal degrees = arcTangentDegrees(difference.abs() / *m_ship.breadth);
    if (degrees <= m_limits.listDegrees)
        return;
    const QString side =
        difference.sign() > 0 ? QStringLiteral("port") : QStringLiteral("starboard");
    add("list", stage,
        QStringLiteral("listed %1° to %2, over %3°: a Letter of Protest is usual")
            .arg(shown(degrees, 2), side, m_limits.listDegrees.toString()),
        {{QStringLiteral("degrees"), shown(degrees, 2)},
         {QStringLiteral("side"), side},
         {QStringLiteral("midPort"), port->toString()},
         {QStringLiteral("midStbd"), starboard->toString()},
         {QStringLiteral("breadth"), m_ship.breadth->toString()},
         {QStringLiteral("limit"), m_limits.listDegrees.toString()}});
}

void Warnings::checkTwist(Stage stage, const DraftEntry& entry) {
    const std::optional<Decimal> fwdPort = number(entry.fwdPort), fwdStbd = number(entry.fwdStbd);
    const std::optional<Decimal> aftPort = number(entry.aftPort), aftStbd = number(entry.aftStbd);
    if (!fwdPort || !fwdStbd || !aftPort || !aftStbd)
        return;
    const Decimal forward = *fwdPort - *fwdStbd;
    const Decimal aft = *aftPort - *aftStbd;
    const Decimal twist = (forward - aft).abs();
    if (twist <= m_limits.twistMetres)
        return;
    add("hull-twist", stage,
        QStringLiteral("port less starboard is %1 m forward but %2 m aft: a twisted hull or a "
                       "misread mark")
            .arg(forward.toString(), aft.toString()),
        {{QStringLiteral("forward"), forward.toString()},
         {QStringLiteral("aft"), aft.toString()},
         {QStringLiteral("twist"), twist.toString()},
         {QStringLiteral("limit"), m_limits.twistMetres.toString()}});
}

// Trim and hull deflection, from the drafts corrected to the perpendiculars.
void Warnings::checkShape(Stage stage, const DraftEntry& entry) {
    const DraftReadingTexts texts = readingTexts(entry);
    for (const QString* text : {&texts.fwdPort, &texts.fwdStbd, &texts.midPort, &texts.midStbd,
                                &texts.aftPort, &texts.aftStbd}) {
        if (!number(*text))
            return;
    }
    if (!m_ship.lbp)
        return;
    CorrectedDrafts corrected;
    try {
        corrected = CorrectDrafts(texts, Variant(*m_ship.lbp));
    } catch (const ProgramError&) {
        return; // the calculation says what is wrong with them
    }
    const Decimal trim = corrected.trueTrim.rounded(3);
    if (-trim > m_limits.trimByHeadMetres)
        add("trim-by-head", stage,
            QStringLiteral("trimmed %1 m by the head: check the forward and aft marks")
                .arg((-trim).toString()),
            {{QStringLiteral("trim"), trim.toString()},
             {QStringLiteral("limit"), m_limits.trimByHeadMetres.toString()}});
    const HullDeflection deflection = hullDeflection(corrected);
    const std::optional<Decimal> centimetres = number(deflection.text);
    if (centimetres && *centimetres > m_limits.deflectionCentimetres)
        add("hull-deflection", stage,
            QStringLiteral("%1 of %2 cm, over %3 cm: check the midships marks")
                .arg(deflection.caption, centimetres->toString(),
                     m_limits.deflectionCentimetres.toString()),
            {{QStringLiteral("caption"), deflection.caption},
             {QStringLiteral("centimetres"), centimetres->toString()},
             {QStringLiteral("limit"), m_limits.deflectionCentimetres.toString()}});
}

void Warnings::checkOverload(Stage stage, const StageFigures& figures) {
    if (figures.trueMeanDraft && m_ship.summerDraft && *figures.trueMeanDraft > *m_ship.summerDraft)
        add("overload-draft", stage,
            QStringLiteral("true mean draft %1 m is above the summer draft %2 m")
                .arg(shown(*figures.trueMeanDraft, 3), m_ship.summerDraft->toString()),
            {{QStringLiteral("trueMeanDraft"), shown(*figures.trueMeanDraft, 3)},
             {QStringLiteral("summerDraft"), m_ship.summerDraft->toString()}});
    if (!figures.trueDisplacement || !m_ship.lightShip || !m_ship.summerDeadweight)
        return;
    const Decimal deadweight = *figures.trueDisplacement - *m_ship.lightShip;
    if (deadweight > *m_ship.summerDeadweight)
        add("overload-deadweight", stage,
            QStringLiteral("deadweight %1 t is above the summer deadweight %2 t")
                .arg(groupedText(deadweight, 1), groupedText(*m_ship.summerDeadweight, 0)),
            {{QStringLiteral("deadweight"), shown(deadweight, 5)},
             {QStringLiteral("summerDeadweight"), m_ship.summerDeadweight->toString()}});
}

std::optional<QDateTime> takenAt(const DraftEntry& entry) {
    const QDateTime when =
        QDateTime::fromString(entry.date + u' ' + entry.time, QStringLiteral("dd-MM-yyyy HH:mm"));
    return when.isValid() ? std::optional<QDateTime>(when) : std::nullopt;
}

void Warnings::checkOrder(const SurveyDocument& survey) {
    const std::optional<QDateTime> initial = takenAt(survey.initial);
    const std::optional<QDateTime> final = takenAt(survey.final);
    if (!initial || !final || *final >= *initial)
        return;
    const QString initialText = survey.initial.date + u' ' + survey.initial.time;
    const QString finalText = survey.final.date + u' ' + survey.final.time;
    add("draft-order", std::nullopt,
        QStringLiteral("the Final draft (%1) is dated before the Initial draft (%2)")
            .arg(finalText, initialText),
        {{QStringLiteral("initial"), initialText}, {QStringLiteral("final"), finalText}});
}

void Warnings::checkConstant(const std::optional<Decimal>& constant,
                             const QList<Decimal>& previous) {
    if (!constant)
        return;
    if (constant->sign() < 0) {
        add("constant-negative", std::nullopt,
            QStringLiteral(
                "the constant %1 t is negative: check the deductibles and the light ship")
                .arg(groupedText(*constant, 1)),
            {{QStringLiteral("constant"), constant->toString()}});
        return;
    }
    if (previous.isEmpty())
        return;
    Decimal sum;
    for (const Decimal& earlier : previous)
        sum = sum + earlier;
    const Decimal average = sum / Decimal(int(previous.size()));
    if (average.isZero())
        return;
    const Decimal away = percentAway(*constant, average);
    if (away <= m_limits.constantChangePercent)
        return;
    add("constant-history", std::nullopt,
        QStringLiteral("the constant %1 t is %2 % away from %3 t, this ship's average over %4 "
                       "earlier %5")
            .arg(groupedText(*constant, 1), shown(away, 1), groupedText(average, 1))
            .arg(previous.size())
            .arg(previous.size() == 1 ? QStringLiteral("survey") : QStringLiteral("surveys")),
        {{QStringLiteral("constant"), constant->toString()},
         {QStringLiteral("average"), shown(average, 5)},
         {QStringLiteral("surveys"), QString::number(previous.size())},
         {QStringLiteral("percent"), shown(away, 2)},
         {QStringLiteral("limit"), m_limits.constantChangePercent.toString()}});
}

void Warnings::checkBillOfLading(const std::optional<Decimal>& cargo, const QString& quantity) {
    const std::optional<Decimal> billOfLading = number(quantity);
    if (!cargo || !billOfLading || billOfLading->sign() <= 0)
        return;
    const Decimal away = percentAway(*cargo, *billOfLading);
    if (away <= m_limits.billOfLadingPercent)
        return;
    add("bill-of-lading", std::nullopt,
        QStringLiteral("the cargo %1 t and the Bill of Lading's %2 t differ by %3 %")
            .arg(groupedText(*cargo, 1), groupedText(*billOfLading, 1), shown(away, 2)),
        {{QStringLiteral("cargo"), cargo->toString()},
         {QStringLiteral("billOfLading"), billOfLading->toString()},
         {QStringLiteral("percent"), shown(away, 2)},
         {QStringLiteral("limit"), m_limits.billOfLadingPercent.toString()}});
}

std::optional<Decimal> particular(Variant (clsShip::*read)() const, const clsShip& ship) {
    try {
        return number((ship.*read)());
    } catch (const ProgramError&) {
        return std::nullopt; // a ship not loaded has no particulars to check against
    }
}

} // namespace

ShipFacts shipFacts(const clsShip& ship) {
    ShipFacts facts;
    facts.lbp = particular(&clsShip::LBP, ship);
    facts.breadth = particular(&clsShip::Breadth, ship);
    facts.lightShip = particular(&clsShip::LightShip, ship);
    facts.summerDraft = particular(&clsShip::SummerDraft, ship);
    facts.summerDeadweight = particular(&clsShip::SummerDeadweight, ship);
    return facts;
}

SurveyFigures surveyFigures(const SurveyCalculation& calculation) {
    SurveyFigures figures;
    for (Stage stage : {Stage::Initial, Stage::Final}) {
        if (!calculation.outcome(stage).calculated)
            continue;
        const clsDraft& draft = calculation.draft(stage);
        figures.stages[int(stage)].trueMeanDraft = number(draft.get(DraftProperty::TrueMeanDraft));
        figures.stages[int(stage)].trueDisplacement = number(draft.FinalResult()[TrueDisplacement]);
    }
    figures.constant = number(calculation.constantField());
    figures.cargo = number(calculation.cargoField());
    return figures;
}

QList<SurveyWarning> surveyWarnings(const SurveyDocument& survey, const ShipFacts& ship,
                                    const SurveyFigures& figures,
                                    const QList<Decimal>& previousConstants,
                                    const SurveyLimits& limits) {
    Warnings warnings(ship, limits);
    warnings.checkReadings(Stage::Initial, survey.initial);
    warnings.checkReadings(Stage::Final, survey.final);
    warnings.checkOrder(survey);
    for (Stage stage : {Stage::Initial, Stage::Final})
        warnings.checkOverload(stage, figures.stages[int(stage)]);
    warnings.checkConstant(figures.constant, previousConstants);
    warnings.checkBillOfLading(figures.cargo, survey.billOfLadingQuantity);
    return warnings.list;
}

QString warningLine(const SurveyWarning& warning) {
    if (!warning.stage)
        return warning.text.left(1).toUpper() + warning.text.mid(1);
    return stageName(*warning.stage) + QStringLiteral(": ") + warning.text;
}
