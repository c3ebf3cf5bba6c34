#pragma once

#include "survey_document.h"

#include <QHash>
#include <QString>
#include <functional>

class DraftGrids;
class QLineEdit;
class QWidget;

namespace Ui {
class SurveyWorksheet;
}

// The checks a worksheet runs on a field the user leaves: its range and
// rounding (the rules of engine/rules), a date or time put right, a grid
// editor's value. A refusal is shown and the focus goes back to the field.
class DraftFieldChecks {
public:
    DraftFieldChecks(Worksheet kind, Ui::SurveyWorksheet& form, DraftGrids& grids)
        : m_kind(kind), m_form(form), m_grids(grids) {}

    // Called when a reading or mark distance was accepted, for the
    // corrected drafts to follow.
    std::function<void()> draftsTyped;

    // Checks the field left; false, with the focus back on it, when refused.
    bool fieldLeft(QWidget* field);
    // A click on the tab bar or on Calculate may come before the field
    // being typed in was left: the typed fields are checked first.
    bool typedFieldsAccepted();
    bool checkTextField(QLineEdit& field);

private:
    bool checkInitialNetField();
    bool checkBillOfLading();

    const Worksheet m_kind;
    Ui::SurveyWorksheet& m_form;
    DraftGrids& m_grids;
    // The text each field had when its check last accepted it.
    QHash<const QWidget*, QString> m_accepted;
};
