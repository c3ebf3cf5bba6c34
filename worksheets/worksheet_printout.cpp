#include "worksheet_printout.h"

#include "connection.h"
#include "errors.h"
#include "survey_worksheet.h"
#include "ui_survey_worksheet.h"

#include <QComboBox>
#include <QTabBar>
#include <QTableWidget>

void SurveyWorksheet::RPrint(bool blnShowPreview) {
    WorksheetPrintout printout(*this);
    ::RPrint(printout, blnShowPreview);
}

void SurveyWorksheet::saveDraftForPrinting(Stage stage) {
    SaveDraft(int(stage));
}

Worksheet WorksheetPrintout::worksheetKind() const {
    return m_worksheet.kind();
}

QString WorksheetPrintout::shipComboText() const {
    return m_worksheet.controls().dcbShip->currentText();
}

QString WorksheetPrintout::portComboText() const {
    return m_worksheet.controls().dcbPort->currentText();
}

const QList<PortRecord>& WorksheetPrintout::ports() {
    if (!m_ports) {
        if (!gcnnStore)
            throw ProgramError::objectNotSet();
        m_ports = Register(*gcnnStore).ports();
    }
    return *m_ports;
}

QString WorksheetPrintout::chosenPort() {
    const QComboBox& combo = *m_worksheet.controls().dcbPort;
    // The list's key of the name shown; a typed name that names no port has none.
    const QVariant key = combo.currentIndex() < 0 ? QVariant() : combo.currentData(Qt::UserRole);
    // A port typed, or kept from a survey file, that the register lacks
    // prints as written, as the command line prints it.
    if (!key.isValid())
        return combo.currentText().trimmed();
    return portNameAndCountry(ports(), Variant(key.toLongLong()),
                              QStringLiteral("The chosen port"));
}

ReportShip WorksheetPrintout::reportShip() {
    return reportShipOf(m_worksheet.ship(), ports());
}

ReportTexts WorksheetPrintout::reportTexts() const {
    const Ui::SurveyWorksheet& u = m_worksheet.controls();
    return {u.txtFwdX->text(), u.txtMidX->text(),     u.txtLBP->text(),
            u.txtAftX->text(), u.txtVoyageID->text(), u.txtCargo->text()};
}

QString WorksheetPrintout::constantText() const {
    return m_worksheet.controls().txtConstant->text();
}

QString WorksheetPrintout::cargoResultText() const {
    const Ui::SurveyWorksheet& u = m_worksheet.controls();
    return (worksheetKind() == Worksheet::Loading ? u.txtTotCargoLoaded : u.txtFinTotCargoDis)
        ->text();
}

bool WorksheetPrintout::initialCalculated() const {
    return hasNetDisplacement(draft(Stage::Initial));
}

QString WorksheetPrintout::initialNetDisplacement() const {
    return m_worksheet.controls().txtFnlGrdTxtBox->text();
}

std::optional<Stage> WorksheetPrintout::shownStage() const {
    const QTabBar& tabs = *m_worksheet.controls().sstCalvane;
    return m_worksheet.stageOfTab(tabs.currentIndex());
}

void WorksheetPrintout::saveShownTab(Stage stage) {
    m_worksheet.saveDraftForPrinting(stage);
}

const clsDraft& WorksheetPrintout::draft(Stage stage) const {
    return m_worksheet.draft(stage);
}
