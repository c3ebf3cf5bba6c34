#include "survey_printout.h"

#include "decimal_functions.h"
#include "printable_text.h"
#include "ship.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// The titles of FinalResult rows 0 to 8 and the places the worksheet shows.
struct ResultRow {
    const char* title;
    int places;
};
constexpr ResultRow resultRows[] = {
    {"Displacement@TMD", 5},      {"First Trim Correction", 4}, {"Second Trim Correction", 4},
    {"Total Trim Correction", 4}, {"List Correction", 4},       {"Displacement@even keel", 5},
    {"Density Correction", 5},    {"True Displacement", 5},     {"Total Deductibles", 5},
};

QString rounded(const Variant& value, int places) {
    return NormalizeValue(value, places, 1).toText();
}

QString full(const Variant& value) {
    return value.isNull() ? QString() : value.toText();
}

QString stageTitle(Stage stage) {
    return stage == Stage::Initial ? QStringLiteral("initial") : QStringLiteral("final");
}

} // namespace

QList<QPair<QString, QString>> surveyResults(const SurveyDocument& survey,
                                             const SurveyCalculation& c) {
    const StageResults& initial = c.outcome(Stage::Initial).results;
    const StageResults& final = c.outcome(Stage::Final).results;
    const auto text = [](const std::optional<ShownValue>& value) {
        return value ? value->text : QString();
    };
    if (survey.worksheet == Worksheet::Loading)
        return {{QStringLiteral("Constant"), text(initial.constant)},
                {QStringLiteral("Total Cargo Loaded"), text(final.cargo)}};
    return {{QStringLiteral("Cargo + Constant"), initial.outcome.text},
            {QStringLiteral("Bill of Lading quantity"), c.billOfLading()},
            {QStringLiteral("Assumed Constant"), text(initial.assumedConstant)},
            {QStringLiteral("Total Cargo Discharged"), text(final.cargo)},
            {QStringLiteral("Constant"), text(final.constant)}};
}

QStringList surveyNotes(const SurveyCalculation& c) {
    if (c.finalTaken())
        return {};
    return {QStringLiteral("the Final draft is not taken yet; the results that need it are blank")};
}

namespace {

class TextWriter {
public:
    void heading(const QString& text) { m_lines << QString() << text; }
    void line(const QString& label, const QString& value) {
        m_lines << QStringLiteral("  %1 %2").arg(label, -30).arg(value);
    }
    void triple(const QString& label, const QString& a, const QString& b, const QString& c) {
        m_lines << QStringLiteral("  %1 %2 %3 %4").arg(label, -30).arg(a, 14).arg(b, 14).arg(c, 14);
    }
    void plain(const QString& text) { m_lines << text; }
    // Names and values come from files and the database: no control
    // character of theirs reaches the terminal.
    QString text() const {
        QStringList lines;
        for (const QString& line : m_lines)
            lines << printable(line);
        return lines.join(u'\n') + u'\n';
    }

private:
    QStringList m_lines;
};

void writeStage(TextWriter& out, Stage stage, const SurveyCalculation& c) {
    const clsDraft& draft = c.draft(stage);
    const StageOutcome& o = c.outcome(stage);
    const CorrectedDrafts& d = o.corrected;
    out.heading(stage == Stage::Initial ? QStringLiteral("INITIAL DRAFT")
                                        : QStringLiteral("FINAL DRAFT"));
    out.line(QStringLiteral("Date and time"), draft.get(DraftProperty::DSDate).toText() + u' ' +
                                                  draft.get(DraftProperty::DSTime).toText());
    out.line(QStringLiteral("Density"), full(draft.get(DraftProperty::SpecificGravity)));
    out.triple(QString(), QStringLiteral("Forward"), QStringLiteral("Midships"),
               QStringLiteral("Aft"));
    out.triple(QStringLiteral("Mean"), d.txtFwdMean, d.txtMidshipMean, d.txtAftMean);
    out.triple(QStringLiteral("Correction"), d.txtFwdCorrection, d.txtMidshipCorrection,
               d.txtAftCorrection);
    out.triple(QStringLiteral("True draft"), d.txtFwdTrueDraft, d.txtMidshipTrueDraft,
               d.txtAftTrueDraft);
    out.line(QStringLiteral("Apparent trim"), d.txtApparentTrim);
    out.line(QStringLiteral("Length between marks"), d.txtLBM);
    out.line(QStringLiteral("True trim"), d.txtTrueTrim);
    out.line(QStringLiteral("True mean draft"), d.txtTrueMeanDraft);
    out.line(QStringLiteral("Hull deflection (cm)"),
             o.deflection.caption.isEmpty() ? o.deflection.text
                                            : o.deflection.caption + u' ' + o.deflection.text);
    out.line(QStringLiteral("Interpolation factor"),
             rounded(draft.get(DraftProperty::IpFactor), 7));
    const VariantGrid ip = draft.IpResult();
    out.line(QStringLiteral("TPC"), full(ip[1][1]));
    out.line(QStringLiteral("LCF"), full(ip[1][2]));
    out.line(QStringLiteral("MCTC+50"), full(ip[1][3]));
    out.line(QStringLiteral("MCTC-50"), full(ip[1][4]));
    const QList<Variant> results = draft.FinalResult();
    for (int row = 0; row < 9; ++row)
        out.line(QString::fromLatin1(resultRows[row].title),
                 rounded(results[row], resultRows[row].places));
    const StageResults& r = o.results;
    out.line(r.netTitle, r.net.text);
    out.line(r.referenceTitle, r.reference.text);
    out.line(r.outcomeTitle, r.outcome.text);
}

QJsonObject stageJson(Stage stage, const SurveyCalculation& c) {
    const clsDraft& draft = c.draft(stage);
    const StageOutcome& o = c.outcome(stage);
    const CorrectedDrafts& d = o.corrected;
    const auto stations = [](const Decimal& fwd, const Decimal& mid, const Decimal& aft) {
        return QJsonObject{{QStringLiteral("fwd"), fwd.toString()},
                           {QStringLiteral("mid"), mid.toString()},
                           {QStringLiteral("aft"), aft.toString()}};
    };
    const VariantGrid ip = draft.IpResult();
    QJsonArray interpolated;
    for (int k = 0; k < 5; ++k)
        interpolated.append(QJsonObject{{QStringLiteral("increment"), full(ip[0][k])},
                                        {QStringLiteral("value"), full(ip[1][k])}});
    const QList<Variant> results = draft.FinalResult();
    QJsonObject finalResult;
    for (int row = 0; row < 9; ++row)
        finalResult.insert(QString::fromLatin1(resultRows[row].title), full(results[row]));
    const StageResults& r = o.results;
    finalResult.insert(r.netTitle, full(draft.NetDisplacement()));
    finalResult.insert(r.referenceTitle, r.reference.text);
    finalResult.insert(r.outcomeTitle, r.outcome.text);
    return {
        {QStringLiteral("means"), stations(d.fwdMean, d.midMean, d.aftMean)},
        {QStringLiteral("apparentTrim"), d.apparentTrim.toString()},
        {QStringLiteral("lengthBetweenMarks"), d.lengthBetweenMarks.toString()},
        {QStringLiteral("corrections"),
         stations(d.fwdCorrection, d.midCorrection, d.aftCorrection)},
        {QStringLiteral("trueDrafts"), stations(d.fwdTrueDraft, d.midTrueDraft, d.aftTrueDraft)},
        {QStringLiteral("trueTrim"), d.trueTrim.toString()},
        {QStringLiteral("trueMeanDraft"), d.trueMeanDraft.toString()},
        {QStringLiteral("hullDeflection"),
         QJsonObject{{QStringLiteral("caption"), o.deflection.caption},
                     {QStringLiteral("centimetres"), o.deflection.text}}},
        {QStringLiteral("interpolationFactor"), full(draft.get(DraftProperty::IpFactor))},
        {QStringLiteral("mctcPlus50Factor"), full(draft.get(DraftProperty::MCTCPlus50IpFactor))},
        {QStringLiteral("mctcMinus50Factor"), full(draft.get(DraftProperty::MCTCMinus50IpFactor))},
        {QStringLiteral("interpolated"), interpolated},
        {QStringLiteral("finalResult"), finalResult},
        {QStringLiteral("netDisplacement"), full(draft.NetDisplacement())},
    };
}

void writeAssessment(TextWriter& out, const SurveyAssessment& assessment) {
    if (const std::optional<CargoUncertainty>& u = assessment.uncertainty) {
        out.line(QStringLiteral("Cargo uncertainty"), uncertaintyText(*u));
        out.line(QStringLiteral("Worst case"),
                 QStringLiteral("± %1 t").arg(groupedText(u->worstCase, 0)));
        out.line(QStringLiteral("Largest contributors"), contributorsText(*u));
    }
    for (const SurveyWarning& warning : assessment.warnings)
        out.plain(QStringLiteral("check (%1): %2").arg(warning.code, warningLine(warning)));
}

QJsonArray checksJson(const QList<SurveyWarning>& warnings) {
    QJsonArray list;
    for (const SurveyWarning& warning : warnings) {
        QJsonObject figures;
        for (const auto& [name, value] : warning.figures)
            figures.insert(name, value);
        list.append(QJsonObject{
            {QStringLiteral("code"), warning.code},
            {QStringLiteral("stage"),
             warning.stage ? QJsonValue(stageTitle(*warning.stage)) : QJsonValue()},
            {QStringLiteral("text"), warningLine(warning)},
            {QStringLiteral("figures"), figures},
        });
    }
    return list;
}

// Tonnes to 5 places, as the net displacements are kept.
QJsonValue uncertaintyJson(const std::optional<CargoUncertainty>& uncertainty) {
    if (!uncertainty)
        return QJsonValue();
    QJsonArray contributors;
    for (const UncertaintyContributor& contributor : uncertainty->contributors)
        contributors.append(
            QJsonObject{{QStringLiteral("group"), contributor.group},
                        {QStringLiteral("tonnes"), contributor.tonnes.rounded(5).toString()}});
    QJsonArray sensitivities;
    for (const CargoSensitivity& sensitivity : uncertainty->sensitivities)
        sensitivities.append(
            QJsonObject{{QStringLiteral("input"), sensitivity.input},
                        {QStringLiteral("group"), sensitivity.group},
                        {QStringLiteral("change"), sensitivity.change.rounded(5).toString()}});
    return QJsonObject{
        {QStringLiteral("cargo"), uncertainty->cargo.toString()},
        {QStringLiteral("expanded"), uncertainty->expanded.rounded(5).toString()},
        {QStringLiteral("coverage"), QStringLiteral("95 % (twice the standard uncertainty)")},
        {QStringLiteral("percent"), uncertaintyPercent(*uncertainty).rounded(5).toString()},
        {QStringLiteral("worstCase"), uncertainty->worstCase.rounded(5).toString()},
        {QStringLiteral("text"), uncertaintyText(*uncertainty)},
        {QStringLiteral("contributors"), contributors},
        {QStringLiteral("sensitivities"), sensitivities},
    };
}

} // namespace

QString surveyAsText(const SurveyDocument& survey, const SurveyCalculation& c,
                     const QStringList& warnings, const SurveyAssessment& assessment) {
    TextWriter out;
    const clsShip& ship = c.draft(Stage::Initial).ship();
    out.plain(QStringLiteral("%1 survey of %2 (LBP %3 m, light ship %4 t)")
                  .arg(survey.worksheet == Worksheet::Loading ? QStringLiteral("Loading")
                                                              : QStringLiteral("Discharging"),
                       ship.ShipName(), full(ship.LBP()), full(ship.LightShip())));
    out.plain(QStringLiteral("Port: %1   Voyage: %2   Cargo: %3")
                  .arg(survey.port, survey.voyage, survey.cargo));
    writeStage(out, Stage::Initial, c);
    if (c.finalTaken()) {
        writeStage(out, Stage::Final, c);
    } else {
        out.heading(QStringLiteral("FINAL DRAFT"));
        out.plain(QStringLiteral("  not taken yet"));
    }
    out.heading(QStringLiteral("RESULTS"));
    for (const auto& [label, value] : surveyResults(survey, c))
        out.line(label, value);
    writeAssessment(out, assessment);
    for (const QString& warning : warnings)
        out.plain(QStringLiteral("warning: ") + warning);
    for (const QString& note : surveyNotes(c))
        out.plain(QStringLiteral("note: ") + note);
    return out.text();
}

QByteArray surveyAsJson(const SurveyDocument& survey, const SurveyCalculation& c,
                        const QStringList& warnings, const SurveyAssessment& assessment) {
    QJsonObject results;
    for (const auto& [label, value] : surveyResults(survey, c))
        results.insert(label, value);
    const QJsonObject root{
        {stageTitle(Stage::Initial), stageJson(Stage::Initial, c)},
        {stageTitle(Stage::Final),
         c.finalTaken() ? QJsonValue(stageJson(Stage::Final, c)) : QJsonValue()},
        {QStringLiteral("results"), results},
        {QStringLiteral("warnings"), QJsonArray::fromStringList(warnings)},
        {QStringLiteral("notes"), QJsonArray::fromStringList(surveyNotes(c))},
        {QStringLiteral("checks"), checksJson(assessment.warnings)},
        {QStringLiteral("uncertainty"), uncertaintyJson(assessment.uncertainty)},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}
