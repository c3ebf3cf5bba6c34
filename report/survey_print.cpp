#include "survey_print.h"

#include "draft.h"
#include "errors.h"
#include "message_service.h"
#include "report_printer.h"
#include "ship.h"

namespace {

// Shows why printing stops; the report stays unshown.
bool stop(const QString& text) {
    showWarning(text);
    return false;
}

bool valid(const clsDraft& draft) {
    return draft.ToSave() || draft.HasRecord();
}

QString shownText(const Variant& value) {
    return value.isNull() ? QString() : value.toText();
}

// A text property of the ship; one the ship has no value for prints blank
// rather than stopping the report.
QString unlessNull(const clsShip& ship, QString (clsShip::*property)() const) {
    try {
        return (ship.*property)();
    } catch (const ProgramError& error) {
        if (error.code() != ErrorCode::InvalidUseOfNull)
            throw;
        return {};
    }
}

class SurveyPrint {
public:
    SurveyPrint(PrintableWorksheet& worksheet, bool preview)
        : m_worksheet(worksheet), m_preview(preview),
          m_loading(worksheet.worksheetKind() == Worksheet::Loading) {}

    void run() {
        if (m_worksheet.shipComboText().isEmpty()) {
            stop(QStringLiteral("Please select ship name first."));
            return;
        }
        m_source.worksheet = m_worksheet.worksheetKind();
        m_source.ship = m_worksheet.reportShip();
        m_source.texts = m_worksheet.reportTexts();
        if (m_worksheet.portComboText().isEmpty()) {
            stop(QStringLiteral("Please select port name first."));
            return;
        }
        m_source.port = m_worksheet.chosenPort();
        if (!initialColumn() || !finalColumn())
            return;
        m_source.initialNetDisplacement = m_worksheet.initialNetDisplacement();

        ReportPrinter* printer = reportPrinter();
        if (!printer)
            throw ProgramError(ErrorCode::ObjectNotSet,
                               QStringLiteral("No report printer is installed."));
        if (m_preview)
            printer->preview(m_source);
        else
            printer->print(m_source);
    }

private:
    bool initialComplete() const {
        return m_loading ? !m_worksheet.constantText().trimmed().isEmpty()
                         : m_worksheet.initialCalculated();
    }

    // False when printing stops here.
    bool initialColumn() {
        if (!initialComplete()) {
            const MessageAnswer answer = messageService().show(
                {MessageIcon::Exclamation, applicationTitle(),
                 twoPartText(QStringLiteral("Incomplete Initial draft...!"),
                             QStringLiteral("Would you like to discard initial draft details and "
                                            "continue ?")),
                 MessageButtons::YesNo, MessageAnswer::Yes});
            return answer == MessageAnswer::Yes;
        }
        if (const std::optional<Stage> shown = m_worksheet.shownStage())
            m_worksheet.saveShownTab(*shown);
        const clsDraft& initial = m_worksheet.draft(Stage::Initial);
        if (!valid(initial)) {
            return stop(m_preview ? QStringLiteral("No valid draft for preview.")
                                  : QStringLiteral("No valid draft for printing."));
        }
        m_source.initial = ReportColumn::from(initial);
        return true;
    }

    // False when printing stops here.
    bool finalColumn() {
        const bool finalComplete = !m_worksheet.cargoResultText().isEmpty();
        if (!finalComplete && !m_source.initial) {
            return stop(twoPartText(QStringLiteral("Incomplete Final draft...!"),
                                    QStringLiteral("Please enter all the values and press "
                                                   "Calculate button before printing/preview.")));
        }
        const bool gate =
            m_loading ? finalComplete : !m_worksheet.constantText().trimmed().isEmpty();
        const clsDraft& finalDraft = m_worksheet.draft(Stage::Final);
        if (gate && valid(finalDraft))
            m_source.final = ReportColumn::from(finalDraft);
        return true;
    }

    PrintableWorksheet& m_worksheet;
    const bool m_preview;
    const bool m_loading;
    ReportSource m_source;
};

} // namespace

void RPrint(PrintableWorksheet& worksheet, bool blnShowPreview) {
    QString failure;
    try {
        SurveyPrint(worksheet, blnShowPreview).run();
        return;
    } catch (const ProgramError& error) {
        failure = error.description();
    } catch (const std::exception& error) {
        failure = QString::fromLocal8Bit(error.what());
    }
    const bool discharging = worksheet.worksheetKind() == Worksheet::Discharging;
    // What failed, where the user was once asked to quote an error number.
    messageService().show(
        {MessageIcon::Critical,
         discharging ? QStringLiteral("Calvane Lt-10066") : QStringLiteral("Calvane Lt-10067"),
         twoPartText(QStringLiteral("Error while printing the report."), failure),
         MessageButtons::Ok, MessageAnswer::Ok});
}

QString portNameAndCountry(const QList<PortRecord>& ports, const Variant& portID,
                           const QString& what) {
    if (portID.isNumber()) {
        for (const PortRecord& port : ports) {
            if (Variant(port.id).toDecimal() == portID.toDecimal())
                return port.name + QStringLiteral(", ") + port.country;
        }
    }
    throw ProgramError(ErrorCode::NoCurrentRecord, what + QStringLiteral(" (port ") +
                                                       shownText(portID) +
                                                       QStringLiteral(") is not among the ports."));
}

ReportShip reportShipOf(const clsShip& ship, const QList<PortRecord>& ports) {
    ReportShip block;
    block.name = ship.ShipName();
    block.callSign = unlessNull(ship, &clsShip::CallSign);
    block.flag = unlessNull(ship, &clsShip::Flag);
    block.grossTonnage = shownText(ship.GrossTonnage());
    block.netTonnage = shownText(ship.NetTonnage());
    block.officialNo = shownText(ship.OfficialNo());
    const Variant registry = ship.PortOfRegistry();
    if (!registry.isNull() && !registry.isEmpty())
        block.portOfRegistry =
            portNameAndCountry(ports, registry, QStringLiteral("The port of registry"));
    block.summerDraft = shownText(ship.SummerDraft());
    block.summerDeadweight = shownText(ship.SummerDeadweight());
    block.loa = shownText(ship.LOA());
    block.breadth = shownText(ship.Breadth());
    block.lightShip = shownText(ship.LightShip());
    return block;
}
