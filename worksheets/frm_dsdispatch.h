#pragma once

#include "survey_worksheet.h"

// The discharging worksheet: the constant comes from the Final draft, taken
// after discharging; the Initial draft with the Bill of Lading quantity
// gives the assumed constant.
class frmDSDispatch : public SurveyWorksheet {
    Q_OBJECT

public:
    frmDSDispatch(Survey& survey, ChildHost& host, QWidget* parent = nullptr);
};
