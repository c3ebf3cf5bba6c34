#include "report_fill.h"

#include "report_render.h"
#include "sheet_layout.h"

namespace {

const QString metres = QStringLiteral(" m");
const QString tonnes = QStringLiteral(" MT");

Decimal number(const Variant& value, int decimals = -1) {
    return NormalizeValue(value, decimals, 0).toDecimal();
}

QString rounded(const Variant& value, int decimals) {
    return number(value, decimals).toString();
}

// A value as stored; a column without a value prints nothing rather than
// stopping the report.
QString stored(const Variant& value) {
    return value.isNull() ? QString() : value.toText();
}

// A text and its unit; nothing at all for a blank text.
QString withUnit(const QString& text, const QString& unit) {
    return text.isEmpty() ? QString() : text + unit;
}

class ReportFiller {
public:
    explicit ReportFiller(const ReportSource& source)
        : m_source(source), m_page(reportLayout(source.worksheet)) {}

    ReportPage fill() {
        const ReportShip& ship = m_source.ship;
        const bool discharging = m_source.worksheet == Worksheet::Discharging;
        set(QStringLiteral("lblShipName"), ship.name.toUpper());
        set(QStringLiteral("lblReportTitle"),
            discharging ? QStringLiteral("DISCHARGE PORT DRAFT SURVEY REPORT")
                        : QStringLiteral("LOADPORT DRAFT SURVEY REPORT"));
        shipBlock();
        set(QStringLiteral("lblPortName"), m_source.port);
        // What was not calculated prints blank: the layout's "0 MT" would
        // read as a figure.
        const QString initial = QStringLiteral("lblInit");
        const QString final = QStringLiteral("lblFin");
        const QString constantLabel = QStringLiteral("lblConstant");
        const QString cargoLabel = QStringLiteral("lblTotCargoLoaded");
        for (const QString& label : {initial, final, constantLabel, cargoLabel})
            blankLabelsStartingWith(label);
        if (m_source.initial) {
            column(initial, QStringLiteral("lblInitComments"), *m_source.initial);
            if (!discharging)
                constant(*m_source.initial);
        }
        if (m_source.final) {
            column(final, QStringLiteral("lblFinComments"), *m_source.final);
            if (discharging)
                constant(*m_source.final);
            cargo(*m_source.final);
        }
        set(QStringLiteral("lblHydrostatics"), hydrostaticsSources());
        set(QStringLiteral("lblShipName2"), ship.name);
        return m_page;
    }

private:
    void set(const QString& label, const QString& text) { m_page.setCaption(label, text); }

    void blankLabelsStartingWith(const QString& prefix) {
        for (const ReportLabel& label : m_page.layout().labels) {
            if (label.name.startsWith(prefix))
                set(label.name, QString());
        }
    }

    void shipBlock() {
        const ReportShip& ship = m_source.ship;
        const ReportTexts& texts = m_source.texts;
        set(QStringLiteral("lblCallSign"), ship.callSign);
        set(QStringLiteral("lblGrossTonnage"), ship.grossTonnage);
        set(QStringLiteral("lblPortOfRegistry"), ship.portOfRegistry);
        set(QStringLiteral("lblNetTonnage"), ship.netTonnage);
        set(QStringLiteral("lblOfficialNo"), ship.officialNo);
        set(QStringLiteral("lblSummerDraft"), withUnit(ship.summerDraft, metres));
        set(QStringLiteral("lblFlag"), ship.flag);
        set(QStringLiteral("lblSummerDeadweight"), withUnit(ship.summerDeadweight, tonnes));
        set(QStringLiteral("lblLOA"), withUnit(ship.loa, metres));
        set(QStringLiteral("lblBreadth"), withUnit(ship.breadth, metres));
        set(QStringLiteral("lblFwdX"), withUnit(texts.fwdX, metres));
        // The midship marks' distance, so that a ship whose midship marks
        // are off amidships is not reported at 0.
        set(QStringLiteral("Label50"), withUnit(texts.midX, metres));
        set(QStringLiteral("lblLBP"), withUnit(texts.lbp, metres));
        set(QStringLiteral("lblLightShip"), withUnit(ship.lightShip, tonnes));
        set(QStringLiteral("lblAftX"), withUnit(texts.aftX, metres));
        set(QStringLiteral("lblVoyageID"), texts.voyage);
        set(QStringLiteral("lblCargo"), texts.cargo);
    }

    // Where the rows came from, for the columns a ship's table gave them.
    QString hydrostaticsSources() const {
        const QString initial = m_source.initial ? m_source.initial->hydrostaticsSource : QString();
        const QString final = m_source.final ? m_source.final->hydrostaticsSource : QString();
        if (initial.isEmpty() && final.isEmpty())
            return QString();
        if (initial == final)
            return QStringLiteral("Hydrostatics from ") + initial;
        if (final.isEmpty())
            return QStringLiteral("Initial draft's hydrostatics from ") + initial;
        if (initial.isEmpty())
            return QStringLiteral("Final draft's hydrostatics from ") + final;
        return QStringLiteral("Initial draft's hydrostatics from %1; final draft's from %2")
            .arg(initial, final);
    }

    void column(const QString& prefix, const QString& comments, const ReportColumn& draft) {
        const auto value = [&](DraftProperty property) { return draft.value(property); };
        const auto result = [&](int row) { return draft.finalResult.value(row); };
        const auto row = [&](const char* name, const QString& text) {
            set(prefix + QString::fromLatin1(name), text);
        };
        const auto draftRow = [&](const char* name, DraftProperty property) {
            row(name, rounded(value(property), 3) + metres);
        };

        row("Date", stored(value(DraftProperty::DSDate)));
        row("Time", stored(value(DraftProperty::DSTime)));
        for (const ReportDeduction& deduction : draft.deductions) {
            const QString itemRow = deduction.itemID.isNumber()
                                        ? deductionRow(int(deduction.itemID.toWhole()))
                                        : QString();
            if (!itemRow.isEmpty())
                set(prefix + itemRow, withUnit(stored(deduction.quantity), tonnes));
        }
        row("TotDeductibles", rounded(result(TotalDeductibles), 5) + tonnes);
        draftRow("FwdMeanDraft", DraftProperty::FwdMean);
        draftRow("FwdCorrection", DraftProperty::FwdCorrection);
        draftRow("CorrDraftFwd", DraftProperty::FwdTrueDraft);
        draftRow("AftMeanDraft", DraftProperty::AftMean);
        draftRow("AftCorrection", DraftProperty::AftCorrection);
        draftRow("CorrDraftAft", DraftProperty::AftTrueDraft);
        const Decimal fwdMean = number(value(DraftProperty::FwdMean));
        const Decimal aftMean = number(value(DraftProperty::AftMean));
        row("FwdAftMean", ((fwdMean + aftMean) / Decimal(2)).toString() + metres);
        row("MidPortDraft", withUnit(stored(value(DraftProperty::MidPort)), metres));
        row("MidStbdDraft", withUnit(stored(value(DraftProperty::MidStbd)), metres));
        draftRow("MeanMidDraft", DraftProperty::MidMean);
        // The midship mean's departure from the mean of the end drafts, in
        // centimetres: deeper is sagging, shallower hogging.
        const Decimal deflection =
            (Decimal(2) * number(value(DraftProperty::MidMean)) - fwdMean - aftMean) * Decimal(50);
        const QString bend = deflection.sign() > 0   ? QStringLiteral("Sag ")
                             : deflection.sign() < 0 ? QStringLiteral("Hog ")
                                                     : QString();
        row("Deflection", bend + deflection.abs().toString() + QStringLiteral(" cm"));
        row("TrueMeanDraft", rounded(value(DraftProperty::TrueMeanDraft), 8) + metres);
        row("DispInSeaWater", rounded(result(DisplacementAtTMD), 5) + tonnes);
        row("TPC", rounded(draft.interpolated.value(1), -1));
        row("LCF", rounded(draft.interpolated.value(2), -1));
        row("dMCTC",
            (number(draft.interpolated.value(3)) - number(draft.interpolated.value(4))).toString());
        row("1stTrimCorr", rounded(result(FirstTrimCorrection), 4) + tonnes);
        row("2ndTrimCorr", rounded(result(SecondTrimCorrection), 4) + tonnes);
        row("TotTrimCorr", rounded(result(TotalTrimCorrection), 4) + tonnes);
        row("DispAtEvenKeel", rounded(result(DisplacementAtEvenKeel), 5) + tonnes);
        row("Density", stored(value(DraftProperty::SpecificGravity)));
        row("TrueDisplacement", rounded(result(TrueDisplacement), 5) + tonnes);
        row("TotDeductibles2", rounded(result(TotalDeductibles), 5) + tonnes);
        row("NGDisp", rounded(result(NetDisplacementRow), 5) + tonnes);
        set(comments, stored(value(DraftProperty::Comments)));
    }

    void constant(const ReportColumn& draft) {
        const Decimal net = number(draft.finalResult.value(NetDisplacementRow));
        set(QStringLiteral("lblConstant"),
            (net - number(m_source.ship.lightShip)).toString() + tonnes);
    }

    void cargo(const ReportColumn& finalDraft) {
        // Without the initial net displacement there is no cargo, not the
        // whole final displacement.
        if (m_source.initialNetDisplacement.trimmed().isEmpty())
            return;
        const Decimal finalNet = number(finalDraft.finalResult.value(NetDisplacementRow));
        const Decimal initialNet = number(m_source.initialNetDisplacement);
        const Decimal cargo = m_source.worksheet == Worksheet::Discharging ? initialNet - finalNet
                                                                           : finalNet - initialNet;
        set(QStringLiteral("lblTotCargoLoaded"), cargo.rounded(5).toString() + tonnes);
        set(QStringLiteral("lblCargoUncertainty"), m_source.cargoUncertainty);
    }

    const ReportSource& m_source;
    ReportPage m_page;
};

} // namespace

// A text too long for its label is cut at a word where the marker still
// fits after it; the sheet prints it whole.
void continueOnSheet(ReportPage& page, const QString& labelName) {
    static const QString marker = QStringLiteral(" ... (see the calculation sheet)");
    const ReportLabel& label = *page.layout().label(labelName);
    const QString text = page.caption(labelName);
    if (fitsLabel(label, text))
        return;
    const QStringList words = text.split(u' ');
    qsizetype low = 0;
    qsizetype high = words.size() - 1;
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (fitsLabel(label, words.mid(0, middle).join(u' ') + marker))
            low = middle;
        else
            high = middle - 1;
    }
    page.setCaption(labelName, words.mid(0, low).join(u' ') + marker);
}

ReportPage fillReport(const ReportSource& source, const ReportOptions& options) {
    ReportPage page = ReportFiller(source).fill();
    if (options.calculationSheet && !source.sheet.isEmpty()) {
        page.setSheetPages(sheetLayouts(source.sheet, source.ship.name));
        for (const char* name : {"lblCargo", "lblInitComments", "lblFinComments"})
            continueOnSheet(page, QString::fromLatin1(name));
    }
    page.setAuthor(options.surveyor);
    return page;
}
