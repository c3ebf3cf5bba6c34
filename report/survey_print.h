#pragma once

#include "register.h"
#include "report_source.h"
#include "stage_results.h"

#include <optional>

class clsDraft;
class clsShip;

// What printing reads from a survey worksheet. The loading and the
// discharging worksheet implement it; RPrint does the rest.
class PrintableWorksheet {
public:
    virtual ~PrintableWorksheet() = default;

    virtual Worksheet worksheetKind() const = 0;
    // The texts of the ship and port combos (dcbShip, dcbPort).
    virtual QString shipComboText() const = 0;
    virtual QString portComboText() const = 0;
    // "PortName, Country" of the chosen port. Raises ProgramError when the
    // worksheet's ports lack it.
    virtual QString chosenPort() = 0;
    // The ship block. Raises ProgramError when its port of registry is not
    // among the worksheet's ports.
    virtual ReportShip reportShip() = 0;
    virtual ReportTexts reportTexts() const = 0;
    virtual QString constantText() const = 0;    // txtConstant
    virtual QString cargoResultText() const = 0; // txtTotCargoLoaded / txtFinTotCargoDis
    // Whether the Initial draft was calculated: on the discharging worksheet
    // it is what shows the Initial tab's Cargo + Constant, whichever tab is
    // in front.
    virtual bool initialCalculated() const = 0;
    virtual QString initialNetDisplacement() const = 0; // txtFnlGrdTxtBox
    // The stage of the tab in front; none for a tab of no stage.
    virtual std::optional<Stage> shownStage() const = 0;
    // Copies the shown tab into its draft.
    virtual void saveShownTab(Stage stage) = 0;
    virtual const clsDraft& draft(Stage stage) const = 0;
};

// Fills the survey's report and previews it (blnShowPreview) or prints it
// through the installed report printer. Every outcome is a message, a
// preview window or a printout.
void RPrint(PrintableWorksheet& worksheet, bool blnShowPreview = true);

// "PortName, Country" of the port with that key among `ports`. Raises
// ProgramError naming `what` when none has it.
QString portNameAndCountry(const QList<PortRecord>& ports, const Variant& portID,
                           const QString& what);

// The ship block of a stored ship; its port of registry is looked up among
// `ports` (blank when the ship has none).
ReportShip reportShipOf(const clsShip& ship, const QList<PortRecord>& ports);
