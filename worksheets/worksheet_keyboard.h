#pragma once

#include "survey_document.h"

#include <QObject>
#include <functional>

class DraftFieldChecks;
class DraftGrids;
class QKeyEvent;
class QLineEdit;
class QWidget;

namespace Ui {
class SurveyWorksheet;
}

// How a worksheet's controls take the keyboard and the focus: Enter moves
// on as Tab does, Tab and Enter step through a grid's entry cells, a field
// is checked when the user leaves it, and no field but the ship list is
// entered before a ship is chosen.
class WorksheetKeyboard : public QObject {
public:
    WorksheetKeyboard(Worksheet kind, Ui::SurveyWorksheet& form, DraftGrids& grids,
                      DraftFieldChecks& checks);

    // The worksheet is filling its own controls: focus moving meanwhile is
    // not the user's.
    std::function<bool()> loading;
    std::function<bool()> shipShown;
    // Moves the focus to the next control (the previous when not `forward`).
    std::function<void(bool forward)> nextField;
    // The results grid moved or took its size.
    std::function<void()> resultsPlaced;

    // Watches every control of the worksheet.
    void watch(QWidget& worksheet);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPressed(QWidget& control, const QKeyEvent& key);
    void guardShip(QWidget* control);
    bool enterPressed(QWidget* focus);
    // Enter or Tab (Shift+Tab when not `forward`) in a grid's editor: the
    // value is checked, then the next cell is entered, or the next control
    // after the grid's last.
    bool stepInGrid(QLineEdit* editor, bool forward);

    const Worksheet m_kind;
    Ui::SurveyWorksheet& m_form;
    DraftGrids& m_grids;
    DraftFieldChecks& m_checks;
};
