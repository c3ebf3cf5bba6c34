#include "calculation_sheet.h"

#include "rowset.h"
#include "ship.h"
#include "survey_printout.h"

namespace {

using Kind = SheetLine::Kind;

// A figure as the calculation keeps it.
QString full(const Variant& value) {
    return value.isNull() ? QString() : value.toText();
}

// An operand of a worked formula: negative numbers in brackets, so that
// "217 + (-2.5) - 4.2" reads as it is meant.
QString operand(const QString& figure) {
    return figure.startsWith(u'-') ? u'(' + figure + u')' : figure;
}
QString operand(const Variant& value) {
    return operand(full(value));
}
QString operand(const Decimal& value) {
    return operand(value.toString());
}

// "formula = numbers = result".
QString worked(const QString& formula, const QString& numbers, const QString& result) {
    return formula + QStringLiteral(" = ") + numbers + QStringLiteral(" = ") + result;
}

class SheetWriter {
public:
    void part(const QString& title) { m_sheet.parts.append({title, {}}); }
    void heading(const QString& text) { add(Kind::Heading, text, QString()); }
    void figure(const QString& label, const QString& working) { add(Kind::Figure, label, working); }
    void note(const QString& text) { add(Kind::Note, QString(), text); }
    CalculationSheet take() { return std::move(m_sheet); }

private:
    void add(Kind kind, const QString& label, const QString& working) {
        m_sheet.parts.last().lines.append({kind, label, working});
    }

    CalculationSheet m_sheet;
};

void particulars(SheetWriter& out, const SurveyDocument& survey) {
    const SurveyParticulars& p = survey.surveyParticulars;
    out.heading(QStringLiteral("The survey"));
    out.figure(QStringLiteral("Port"), survey.port);
    const QList<QPair<QString, QString>> rows = {
        {QStringLiteral("Berth or anchorage"), p.place},
        {QStringLiteral("Voyage"), survey.voyage},
        {QStringLiteral("Cargo"), survey.cargo},
        {QStringLiteral("Requested by"), p.requestedBy},
        {QStringLiteral("Surveyor acting"), p.surveyorRole},
        {QStringLiteral("Attended by"), p.attendedBy},
        {QStringLiteral("Weather"), p.weather},
        {QStringLiteral("Sea"), p.sea},
        {QStringLiteral("Swell"), p.swell},
    };
    for (const auto& [label, text] : rows)
        out.figure(label, text.trimmed());
}

struct Station {
    const char* name;
    const QString& port;
    const QString& stbd;
    const Decimal& mean;
    const QString& markDistance;
    const Decimal& correction;
    const Decimal& trueDraft;
};

void readings(SheetWriter& out, const DraftEntry& entry, const CorrectedDrafts& d,
              const Variant& lbp) {
    const Station stations[] = {
        {"Forward", entry.fwdPort, entry.fwdStbd, d.fwdMean, entry.fwdX, d.fwdCorrection,
         d.fwdTrueDraft},
        {"Midships", entry.midPort, entry.midStbd, d.midMean, entry.midX, d.midCorrection,
         d.midTrueDraft},
        {"Aft", entry.aftPort, entry.aftStbd, d.aftMean, entry.aftX, d.aftCorrection,
         d.aftTrueDraft},
    };
    out.heading(QStringLiteral("Readings (m) and their correction to the perpendiculars"));
    for (const Station& s : stations)
        out.figure(QString::fromLatin1(s.name) + QStringLiteral(" mean"),
                   worked(QStringLiteral("(port + starboard) / 2"),
                          QStringLiteral("(%1 + %2) / 2").arg(operand(s.port), operand(s.stbd)),
                          s.mean.toString()));
    out.figure(QStringLiteral("Apparent trim"),
               worked(QStringLiteral("aft mean - forward mean"),
                      operand(d.aftMean) + QStringLiteral(" - ") + operand(d.fwdMean),
                      d.apparentTrim.toString()));
    out.figure(QStringLiteral("Mark distances"),
               QStringLiteral("forward X %1, midships X %2, aft X %3 (+ when forward of the "
                              "perpendicular or amidships)")
                   .arg(entry.fwdX, entry.midX, entry.aftX));
    out.figure(QStringLiteral("Length between marks"),
               worked(QStringLiteral("LBP + forward X - aft X"),
                      QStringLiteral("%1 + %2 - %3")
                          .arg(operand(lbp), operand(entry.fwdX), operand(entry.aftX)),
                      d.lengthBetweenMarks.toString()));
    for (const Station& s : stations)
        out.figure(QString::fromLatin1(s.name) + QStringLiteral(" correction"),
                   worked(QStringLiteral("X x apparent trim / LBM"),
                          QStringLiteral("%1 x %2 / %3")
                              .arg(operand(s.markDistance), operand(d.apparentTrim),
                                   operand(d.lengthBetweenMarks)),
                          s.correction.toString()));
    for (const Station& s : stations)
        out.figure(QString::fromLatin1(s.name) + QStringLiteral(" true draft"),
                   worked(QStringLiteral("mean + correction"),
                          operand(s.mean) + QStringLiteral(" + ") + operand(s.correction),
                          s.trueDraft.toString()));
    out.figure(QStringLiteral("True trim"),
               worked(QStringLiteral("aft true draft - forward true draft"),
                      operand(d.aftTrueDraft) + QStringLiteral(" - ") + operand(d.fwdTrueDraft),
                      d.trueTrim.toString()));
    out.figure(
        QStringLiteral("Quarter mean (TMD)"),
        worked(QStringLiteral("(forward + aft + 6 x midships) / 8"),
               QStringLiteral("(%1 + %2 + 6 x %3) / 8")
                   .arg(operand(d.fwdTrueDraft), operand(d.aftTrueDraft), operand(d.midTrueDraft)),
               d.trueMeanDraft.toString()));
}

void deflection(SheetWriter& out, const CorrectedDrafts& d, const HullDeflection& hull) {
    const QString result = hull.caption.isEmpty() ? hull.text : hull.caption + u' ' + hull.text;
    out.figure(QStringLiteral("Hull deflection (cm)"),
               worked(QStringLiteral("(2 x midships mean - aft mean - forward mean) x 50"),
                      QStringLiteral("(2 x %1 - %2 - %3) x 50")
                          .arg(operand(d.midMean), operand(d.aftMean), operand(d.fwdMean)),
                      result));
}

// "the ship's table, T&S booklet p. 12, for density 1.000" or "as typed".
QString rowsSource(const DraftEntry& entry) {
    if (!entry.table)
        return QStringLiteral("as typed");
    QString text = QStringLiteral("from the ship's table");
    if (!entry.table->source.isEmpty())
        text += QStringLiteral(" ") + entry.table->source;
    return text + QStringLiteral(", computed for density ") + entry.table->density;
}

void hydrostatics(SheetWriter& out, const clsDraft& draft, const DraftEntry& entry) {
    const VariantGrid hdt = draft.HDT();
    const VariantGrid plus = draft.MCTCP50();
    const VariantGrid minus = draft.MCTCM50();
    out.heading(QStringLiteral("Hydrostatic rows used, ") + rowsSource(entry));
    for (const auto& [title, row] :
         {std::pair{QStringLiteral("Below"), int(Below)}, {QStringLiteral("Above"), int(Above)}})
        out.figure(title, QStringLiteral("draft %1, displacement %2, TPC %3, LCF %4; MCTC at "
                                         "%5: %6, at %7: %8")
                              .arg(full(hdt[row][0]), full(hdt[row][1]), full(hdt[row][2]),
                                   full(hdt[row][3]), full(plus[row][0]), full(plus[row][1]),
                                   full(minus[row][0]), full(minus[row][1])));

    const QString tmd = full(draft.get(DraftProperty::TrueMeanDraft));
    const auto factor = [&](const QString& label, const QString& at, const VariantGrid& table,
                            DraftProperty property) {
        out.figure(label, worked(QStringLiteral("(%1 - below draft) / (above draft - below draft)")
                                     .arg(at.isEmpty() ? QStringLiteral("TMD")
                                                       : QStringLiteral("TMD ") + at),
                                 QStringLiteral("(%1%2 - %3) / (%4 - %3)")
                                     .arg(operand(tmd), at.isEmpty() ? at : u' ' + at,
                                          operand(table[Below][0]), operand(table[Above][0])),
                                 full(draft.get(property))));
    };
    factor(QStringLiteral("Interpolation factor"), QString(), hdt, DraftProperty::IpFactor);
    factor(QStringLiteral("MCTC +0.5 m factor"), QStringLiteral("+ 0.5"), plus,
           DraftProperty::MCTCPlus50IpFactor);
    factor(QStringLiteral("MCTC -0.5 m factor"), QStringLiteral("- 0.5"), minus,
           DraftProperty::MCTCMinus50IpFactor);

    const VariantGrid ip = draft.IpResult();
    const struct {
        const char* label;
        Variant below, above;
        DraftProperty factor;
    } interpolated[] = {
        {"Displacement", hdt[Below][1], hdt[Above][1], DraftProperty::IpFactor},
        {"TPC", hdt[Below][2], hdt[Above][2], DraftProperty::IpFactor},
        {"LCF", hdt[Below][3], hdt[Above][3], DraftProperty::IpFactor},
        {"MCTC at TMD + 0.5", plus[Below][1], plus[Above][1], DraftProperty::MCTCPlus50IpFactor},
        {"MCTC at TMD - 0.5", minus[Below][1], minus[Above][1], DraftProperty::MCTCMinus50IpFactor},
    };
    for (int k = 0; k < 5; ++k) {
        const auto& row = interpolated[k];
        out.figure(QString::fromLatin1(row.label),
                   worked(QStringLiteral("below + (above - below) x factor"),
                          QStringLiteral("%1 + (%2 - %1) x %3 = %1 + %4")
                              .arg(operand(row.below), operand(row.above),
                                   operand(draft.get(row.factor)), operand(ip[0][k])),
                          full(ip[1][k])));
    }
    out.note(QStringLiteral("Interpolated values are shown rounded (increments and TPC, LCF, "
                            "MCTC to 3 places, displacement to 5); the corrections below use "
                            "them unrounded."));
}

// `discharged`: the outcome is the cargo discharged, the Initial draft's
// net displacement less this one's.
void corrections(SheetWriter& out, const clsDraft& draft, const StageOutcome& outcome,
                 bool discharged, const QMap<int, QString>& deductionNames) {
    const QList<Variant> r = draft.FinalResult();
    const VariantGrid ip = draft.IpResult();
    const QString lbp = operand(draft.ship().LBP());
    const QString trim = operand(draft.get(DraftProperty::TrueTrim));
    out.heading(QStringLiteral("Displacement (t)"));
    out.figure(QStringLiteral("Displacement at TMD"), full(r[DisplacementAtTMD]));
    out.figure(QStringLiteral("First trim correction"),
               worked(QStringLiteral("true trim x LCF x TPC x 100 / LBP"),
                      QStringLiteral("%1 x %2 x %3 x 100 / %4")
                          .arg(trim, operand(ip[1][2]), operand(ip[1][1]), lbp),
                      full(r[FirstTrimCorrection])));
    out.figure(QStringLiteral("Second trim correction"),
               worked(QStringLiteral("true trim x true trim x (MCTC+0.5 - MCTC-0.5) x 50 / LBP"),
                      QStringLiteral("%1 x %1 x (%2 - %3) x 50 / %4")
                          .arg(trim, operand(ip[1][3]), operand(ip[1][4]), lbp),
                      full(r[SecondTrimCorrection])));
    out.figure(QStringLiteral("Total trim correction"),
               worked(QStringLiteral("first + second"),
                      operand(r[FirstTrimCorrection]) + QStringLiteral(" + ") +
                          operand(r[SecondTrimCorrection]),
                      full(r[TotalTrimCorrection])));
    out.figure(QStringLiteral("List correction"), full(r[ListCorrection]));
    out.figure(QStringLiteral("Displacement at even keel"),
               worked(QStringLiteral("displacement at TMD + total trim correction"),
                      operand(r[DisplacementAtTMD]) + QStringLiteral(" + ") +
                          operand(r[TotalTrimCorrection]),
                      full(r[DisplacementAtEvenKeel])));
    out.figure(QStringLiteral("True displacement"),
               worked(QStringLiteral("even keel x density / table density"),
                      QStringLiteral("%1 x %2 / %3")
                          .arg(operand(r[DisplacementAtEvenKeel]),
                               operand(draft.get(DraftProperty::SpecificGravity)),
                               operand(draft.tableDensity())),
                      full(r[TrueDisplacement])));
    out.figure(QStringLiteral("Density correction"),
               worked(QStringLiteral("true displacement - even keel"),
                      operand(r[TrueDisplacement]) + QStringLiteral(" - ") +
                          operand(r[DisplacementAtEvenKeel]),
                      full(r[DensityCorrection])));

    // On one line, summed as the total is.
    QStringList items;
    RowSet deductions = draft.Deductions();
    if (deductions.isOpen() && deductions.recordCount() > 0) {
        for (deductions.moveFirst(); !deductions.atEnd(); deductions.moveNext()) {
            const Variant item = deductions.field(QStringLiteral("ItemID"));
            const int id = item.isNumber() ? int(item.toWhole()) : 0;
            items << deductionNames.value(id, QStringLiteral("item ") + full(item)) + u' ' +
                         operand(deductions.field(QStringLiteral("Quantity")));
        }
    }
    out.figure(QStringLiteral("Total deductibles"),
               items.isEmpty() ? full(r[TotalDeductibles])
                               : items.join(QStringLiteral(" + ")) + QStringLiteral(" = ") +
                                     full(r[TotalDeductibles]));
    out.figure(
        QStringLiteral("Net displacement"),
        worked(QStringLiteral("true displacement - total deductibles, to 5 places"),
               operand(r[TrueDisplacement]) + QStringLiteral(" - ") + operand(r[TotalDeductibles]),
               full(draft.NetDisplacement())));

    const StageResults& s = outcome.results;
    out.figure(s.referenceTitle, s.reference.text);
    if (discharged)
        out.figure(s.outcomeTitle,
                   worked(s.referenceTitle + QStringLiteral(" - ") + s.netTitle,
                          s.reference.text + QStringLiteral(" - ") + s.net.text, s.outcome.text));
    else
        out.figure(s.outcomeTitle,
                   worked(s.netTitle + QStringLiteral(" - ") + s.referenceTitle,
                          s.net.text + QStringLiteral(" - ") + s.reference.text, s.outcome.text));
}

void stage(SheetWriter& out, Worksheet worksheet, Stage stage, const DraftEntry& entry,
           const SurveyCalculation& calculation, const QMap<int, QString>& deductionNames) {
    const clsDraft& draft = calculation.draft(stage);
    const StageOutcome& outcome = calculation.outcome(stage);
    out.part(QStringLiteral("%1 DRAFT, %2 %3, density %4")
                 .arg(stage == Stage::Initial ? QStringLiteral("INITIAL") : QStringLiteral("FINAL"),
                      entry.date, entry.time, entry.density));
    readings(out, entry, outcome.corrected, draft.ship().LBP());
    deflection(out, outcome.corrected, outcome.deflection);
    hydrostatics(out, draft, entry);
    corrections(out, draft, outcome, worksheet == Worksheet::Discharging && stage == Stage::Final,
                deductionNames);
    if (!entry.comments.trimmed().isEmpty()) {
        out.heading(QStringLiteral("Comments"));
        out.note(entry.comments.trimmed());
    }
}

void results(SheetWriter& out, const SurveyDocument& survey, const SurveyCalculation& calculation,
             const QStringList& warnings, const SurveyAssessment& assessment) {
    out.heading(QStringLiteral("Constant and cargo (t)"));
    for (const auto& [label, value] : surveyResults(survey, calculation))
        out.figure(label, value);
    if (const std::optional<CargoUncertainty>& u = assessment.uncertainty) {
        out.heading(QStringLiteral("The cargo's uncertainty, 95 % (twice the standard "
                                   "uncertainty)"));
        out.figure(QStringLiteral("Cargo"), uncertaintyText(*u));
        out.figure(QStringLiteral("Expanded uncertainty"),
                   QStringLiteral("%1 t = %2 % of %3 t")
                       .arg(u->expanded.rounded(5).toString(),
                            uncertaintyPercent(*u).rounded(5).toString(), u->cargo.toString()));
        out.figure(QStringLiteral("Worst case"),
                   QStringLiteral("± %1 t").arg(u->worstCase.rounded(5).toString()));
        for (const UncertaintyContributor& contributor : u->contributors)
            out.figure(contributor.group,
                       QStringLiteral("%1 t").arg(contributor.tonnes.rounded(5).toString()));
    }
    if (!assessment.warnings.isEmpty()) {
        out.heading(QStringLiteral("Checks"));
        for (const SurveyWarning& warning : assessment.warnings)
            out.note(warningLine(warning));
    }
    if (!warnings.isEmpty()) {
        out.heading(QStringLiteral("Warnings"));
        for (const QString& warning : warnings)
            out.note(warning);
    }
    for (const QString& note : surveyNotes(calculation))
        out.note(QStringLiteral("Note: ") + note);
}

} // namespace

CalculationSheet calculationSheet(const SurveyDocument& survey,
                                  const SurveyCalculation& calculation, const QStringList& warnings,
                                  const SurveyAssessment& assessment,
                                  const QMap<int, QString>& deductionNames) {
    SheetWriter out;
    for (const auto& [which, entry] :
         {std::pair{Stage::Initial, &survey.initial}, {Stage::Final, &survey.final}}) {
        if (calculation.outcome(which).calculated)
            stage(out, survey.worksheet, which, *entry, calculation, deductionNames);
    }
    out.part(QStringLiteral("THE SURVEY, ITS CONSTANT AND CARGO"));
    particulars(out, survey);
    results(out, survey, calculation, warnings, assessment);
    return out.take();
}
