#include "report_layout.h"

#include <QHash>

namespace {

constexpr int rowHeight = 216;
constexpr int tableRight = 8928;
constexpr int valueWidth = 2520;
constexpr int initialLeft = 3384;
constexpr int finalLeft = 6408;

// One row of the survey table: its caption label and the part of the two
// value labels' names after lblInit / lblFin.
struct SurveyRow {
    const char* captionLabel;
    const char* caption;
    const char* valueName;
    const char* designCaption;
};

// Rows from this one on sit lower on the discharging layout, and again from
// the TPC row.
constexpr int firstDraftRow = 11;
constexpr int tpcRow = 24;
constexpr int totalDeductiblesRow = 10;
constexpr int netDisplacementRow = 34;
constexpr int densityRow = 31;

constexpr SurveyRow surveyRows[] = {
    {"Label18", "Date", "Date", ""},
    {"Label19", "Time", "Time", ""},
    {"Label20", "Fuel Oil", "FO", "0 MT"},
    {"Label21", "Diesel Oil", "DO", "0 MT"},
    {"Label22", "Lube Oil", "LO", "0 MT"},
    {"Label23", "Fresh Water", "FW", "0 MT"},
    {"Label24", "Ballast", "Ballast", "0 MT"},
    {"Label25", "Provisions", "Provisions", "0 MT"},
    {"Label26", "Misc-1", "Misc1", "0 MT"},
    {"Label27", "Misc-2", "Misc2", "0 MT"},
    {"Label28", "TOTAL DEDUCTIBLES", "TotDeductibles", "0 MT"},
    {"Label29", "Forward Mean Draft", "FwdMeanDraft", "0 m"},
    {"Label30", "Forward Correction", "FwdCorrection", "0 m"},
    {"Label31", "Corrected Draft Foward", "CorrDraftFwd", "0 m"},
    {"Label32", "Aft Mean Draft", "AftMeanDraft", "0 m"},
    {"Label33", "Aft Correction", "AftCorrection", "0 m"},
    {"Label34", "Corrected Draft Aft", "CorrDraftAft", "0 m"},
    {"Label35", "Mean of Fwd. & Aft. Draft", "FwdAftMean", "0 m"},
    {"Label36", "Midship Port Draft", "MidPortDraft", "0 m"},
    {"Label37", "Midship Starboard Draft", "MidStbdDraft", "0 m"},
    {"Label38", "Mean Midship Draft", "MeanMidDraft", "0 m"},
    {"Label60", "Hull Deflection", "Deflection", "0 cm"},
    {"Label39", "True Mean Draft", "TrueMeanDraft", "0 m"},
    {"Label40", "Displacement in Sea Water", "DispInSeaWater", "0 MT"},
    {"Label57", "TPC", "TPC", "0"},
    {"Label58", "LCF", "LCF", "0"},
    {"Label59", "dMCTC", "dMCTC", "0"},
    {"Label41", "1st Trim Correction", "1stTrimCorr", "0 MT"},
    {"Label42", "2nd Trim Correction", "2ndTrimCorr", "0 MT"},
    {"Label43", "Total Trim Correction", "TotTrimCorr", "0 MT"},
    {"Label44", "Disp. Corrected for Trim & List", "DispAtEvenKeel", "0 MT"},
    {"Label45", "Density", "Density", "0 MT"},
    {"Label46", "Disp. Corrected for Density", "TrueDisplacement", "0 MT"},
    {"Label47", "Deductions", "TotDeductibles2", "0 MT"},
    {"Label48", "Initial/Final Net Displacement", "NGDisp", "0 MT"},
};

// A label of the ship block: its top, left edge, width and caption.
struct BlockLabel {
    const char* name;
    int top, left, width;
    const char* designCaption;
    LabelStyle style;
};

constexpr LabelStyle C = LabelStyle::Caption;
constexpr LabelStyle V = LabelStyle::Plain;

constexpr BlockLabel shipBlock[] = {
    {"Label1", 936, 0, 1296, "CALL SIGN", C},
    {"lblCallSign", 936, 1368, 2088, "", V},
    {"Label7", 936, 3528, 504, "GRT", C},
    {"lblGrossTonnage", 936, 4032, 2448, "", V},
    {"Label9", 936, 6552, 1584, "SUMMER DRAFT", C},
    {"lblSummerDraft", 936, 8136, 1764, "", V},
    {"Label4", 1152, 0, 1296, "FLAG", C},
    {"lblFlag", 1152, 1368, 2088, "", V},
    {"Label8", 1152, 3528, 504, "NRT", C},
    {"lblNetTonnage", 1152, 4032, 2448, "", V},
    {"Label10", 1152, 6552, 1584, "SUMMER DWT", C},
    {"lblSummerDeadweight", 1152, 8136, 1764, "", V},
    {"Label2", 1368, 0, 1296, "PORT OF REG", C},
    {"lblPortOfRegistry", 1368, 1368, 2088, "", V},
    {"Label3", 1368, 3528, 1296, "OFFICIAL NO", C},
    {"lblOfficialNo", 1368, 4824, 1656, "", V},
    {"Label13", 1368, 6552, 720, "FWD X", C},
    {"lblFwdX", 1368, 7272, 2628, "", V},
    {"Label5", 1584, 0, 648, "L.O.A.", C},
    {"lblLOA", 1584, 648, 2808, "", V},
    {"Label12", 1584, 3528, 1296, "LIGHT SHIP", C},
    {"lblLightShip", 1584, 4824, 1656, "", V},
    {"Label49", 1584, 6552, 720, "MID X", C},
    {"Label50", 1584, 7272, 2628, "0 m", V},
    {"Label6", 1800, 0, 648, "L.B.P.", C},
    {"lblLBP", 1800, 648, 2808, "", V},
    {"Label11", 1800, 3528, 1296, "BREADTH", C},
    {"lblBreadth", 1800, 4824, 1656, "", V},
    {"Label14", 1800, 6552, 720, "AFT X", C},
    {"lblAftX", 1800, 7272, 2628, "", V},
    {"Label56", 2160, 0, 864, "Voyage", C},
    {"lblVoyageID", 2160, 864, 2592, "", V},
    {"Label15", 2160, 3528, 720, "PORT", C},
    {"lblPortName", 2160, 4248, 2232, "", V},
    {"lblCargoLD", 2160, 6552, 720, "Cargo", C},
    {"lblCargo", 2160, 7272, 2628, "", V},
};

// Ship block labels that stay put when the discharging layout moves the
// rest of its middle and right columns 72 twips to the right.
bool staysOnDischarging(const QString& name) {
    static const QStringList fixed = {QStringLiteral("lblGrossTonnage"),
                                      QStringLiteral("lblNetTonnage"),
                                      QStringLiteral("lblPortName"), QStringLiteral("lblCargo")};
    return fixed.contains(name);
}

QString text(const char* latin1) {
    return QString::fromLatin1(latin1);
}

class LayoutBuilder {
public:
    explicit LayoutBuilder(Worksheet worksheet)
        : m_discharging(worksheet == Worksheet::Discharging) {}

    ReportLayout build() {
        m_layout.name =
            m_discharging ? QStringLiteral("drptDSDispatch") : QStringLiteral("drptCalvane");
        heading();
        block();
        table();
        foot();
        return m_layout;
    }

private:
    void add(const QString& name, int top, int left, int width, const QString& caption,
             Qt::Alignment alignment = Qt::AlignLeft, LabelStyle style = LabelStyle::Plain,
             int height = rowHeight) {
        // Nothing prints beyond the right margin.
        width = std::min(width, reportWidth - left);
        if (!(alignment & Qt::AlignVertical_Mask))
            alignment |= Qt::AlignVCenter;
        m_layout.labels.append({name, top, left, width, height, caption, alignment, style});
    }

    void heading() {
        add(QStringLiteral("lblShipName"), 0, m_discharging ? 2664 : 1944,
            m_discharging ? 4176 : 6048, QString(), Qt::AlignHCenter, LabelStyle::ShipName, 360);
        add(QStringLiteral("lblReportTitle"), 432, 1944, m_discharging ? 5616 : 6048, QString(),
            Qt::AlignHCenter, LabelStyle::Title, 288);
    }

    void block() {
        for (const BlockLabel& label : shipBlock) {
            const QString name = text(label.name);
            int left = label.left;
            QString caption = text(label.designCaption);
            if (m_discharging) {
                if (left >= 3528 && !staysOnDischarging(name))
                    left += 72;
                if (name == QStringLiteral("lblPortName"))
                    left = 4176;
                if (name == QStringLiteral("Label3"))
                    caption = QStringLiteral("OFFICIAL NO.");
            }
            add(name, label.top, left, label.width + label.left - left, caption, Qt::AlignLeft,
                label.style);
        }
        m_layout.boxes.append({0, 864, reportWidth, 1584});
        m_layout.rules.append({0, 2088, reportWidth, 2088});
    }

    int rowTop(int row) const {
        int top = 2880 + row * rowHeight;
        if (m_discharging)
            top += (row >= firstDraftRow ? 72 : 0) + (row >= tpcRow ? 72 : 0);
        return top;
    }

    void table() {
        add(QStringLiteral("Label16"), 2592, 4320, initialLeft + valueWidth - 4320,
            QStringLiteral("INITIAL"), Qt::AlignRight, LabelStyle::Heading);
        add(QStringLiteral("Label17"), 2592, 7488, tableRight - 7488, QStringLiteral("FINAL"),
            Qt::AlignRight, LabelStyle::Heading);
        m_layout.rules.append({0, 2826, tableRight, 2826});
        int row = 0;
        for (const SurveyRow& surveyRow : surveyRows) {
            const int top = rowTop(row);
            const bool total = row == totalDeductiblesRow || row == netDisplacementRow;
            const LabelStyle style = total ? LabelStyle::Total : LabelStyle::Plain;
            const QString value = text(surveyRow.valueName);
            const QString design = text(surveyRow.designCaption);
            add(text(surveyRow.captionLabel), top, 0, 3240, text(surveyRow.caption), Qt::AlignLeft,
                style);
            add(QStringLiteral("lblInit") + value, top, initialLeft, valueWidth, design,
                Qt::AlignRight, style);
            add(QStringLiteral("lblFin") + value, top, finalLeft, valueWidth,
                row == densityRow ? QString() : design, Qt::AlignRight, style);
            if (row % 2 == 1)
                m_layout.bands.append({0, top, tableRight, rowHeight});
            if (total)
                m_layout.rules.append({initialLeft, top, tableRight, top});
            ++row;
        }
        m_layout.rules.append({0, rowTop(row) + 36, tableRight, rowTop(row) + 36});
    }

    void foot() {
        const QString cargoCaption = m_discharging ? QStringLiteral("TOTAL CARGO DISCHARGED")
                                                   : QStringLiteral("TOTAL CARGO LOADED");
        const int captionLeft = m_discharging ? 1944 : 2448;
        const int constantTop = m_discharging ? 11448 : 10944;
        const int cargoTop = m_discharging ? 11160 : 11232;
        add(QStringLiteral("lblResult1"), constantTop, captionLeft, 4824 - 72 - captionLeft,
            QStringLiteral("CONSTANT"), Qt::AlignLeft, LabelStyle::Total);
        add(QStringLiteral("lblConstant"), constantTop, 4824, valueWidth, QStringLiteral("0 MT"),
            Qt::AlignRight, LabelStyle::Total);
        add(QStringLiteral("lblResult2"), cargoTop, captionLeft, 4824 - 72 - captionLeft,
            cargoCaption, Qt::AlignLeft, LabelStyle::Total);
        add(QStringLiteral("lblTotCargoLoaded"), cargoTop, 4824, valueWidth, QStringLiteral("0 MT"),
            Qt::AlignRight, LabelStyle::Total);
        // How far the cargo can be trusted, beside it.
        add(QStringLiteral("lblCargoUncertainty"), cargoTop, 4824 + valueWidth + 216,
            tableRight - (4824 + valueWidth + 216), QString(), Qt::AlignLeft | Qt::AlignTop,
            LabelStyle::Note, 2 * rowHeight);
        const int resultsTop = std::min(constantTop, cargoTop) - 72;
        const int resultsBottom = std::max(constantTop, cargoTop) + rowHeight + 72;
        const int boxLeft = captionLeft - 144;
        m_layout.boxes.append(
            {boxLeft, resultsTop, 4824 + valueWidth + 144 - boxLeft, resultsBottom - resultsTop});

        const int commentsShift = m_discharging ? 144 : 0;
        const int finalShift = m_discharging ? 216 : 0;
        add(QStringLiteral("Label51"), 11592 + commentsShift, 288, 1440, QStringLiteral("Comments"),
            Qt::AlignLeft, LabelStyle::Heading);
        add(QStringLiteral("Label52"), 11952 + commentsShift, 504, 720, QStringLiteral("Initial"));
        add(QStringLiteral("lblInitComments"), 11952 + commentsShift, 1224, 6912, QString(),
            Qt::AlignLeft | Qt::AlignTop, LabelStyle::Plain, 432);
        add(QStringLiteral("Label53"), 12456 + finalShift, 504, 720, QStringLiteral("Final"));
        add(QStringLiteral("lblFinComments"), 12456 + finalShift, 1224, 6912, QString(),
            Qt::AlignLeft | Qt::AlignTop, LabelStyle::Plain, 432);

        // Where the hydrostatic rows came from, when a ship's table gave them.
        add(QStringLiteral("lblHydrostatics"), 12960 + finalShift, 504, 7632, QString(),
            Qt::AlignLeft, LabelStyle::Note);

        const int signatureLeftShift = m_discharging ? -72 : 0;
        add(QStringLiteral("Label54"), 13320 + commentsShift, 1944 + signatureLeftShift, 1440,
            QStringLiteral("Suyveyor"), Qt::AlignHCenter, LabelStyle::Signature);
        add(QStringLiteral("Label55"), 13320 + commentsShift, 5328 + signatureLeftShift, 1440,
            QStringLiteral("Chief Officer"), Qt::AlignHCenter, LabelStyle::Signature);
        add(QStringLiteral("lblShipName2"), 13536 + commentsShift, 4032, 4032, QString(),
            Qt::AlignHCenter);
    }

    bool m_discharging;
    ReportLayout m_layout;
};

} // namespace

const ReportLabel* ReportLayout::label(const QString& labelName) const {
    for (const ReportLabel& each : labels) {
        if (each.name == labelName)
            return &each;
    }
    return nullptr;
}

const ReportLayout& drptCalvane() {
    static const ReportLayout layout = LayoutBuilder(Worksheet::Loading).build();
    return layout;
}

const ReportLayout& drptDSDispatch() {
    static const ReportLayout layout = LayoutBuilder(Worksheet::Discharging).build();
    return layout;
}

const ReportLayout& reportLayout(Worksheet worksheet) {
    return worksheet == Worksheet::Discharging ? drptDSDispatch() : drptCalvane();
}

QString deductionRow(int itemID) {
    static const QHash<int, QString> rows = {
        {2, QStringLiteral("FO")},       {3, QStringLiteral("DO")},
        {24, QStringLiteral("LO")},      {25, QStringLiteral("FW")},
        {26, QStringLiteral("Ballast")}, {27, QStringLiteral("Provisions")},
        {28, QStringLiteral("Misc1")},   {29, QStringLiteral("Misc2")},
    };
    return rows.value(itemID);
}
