#pragma once

#include "survey_worksheet.h"

// The loading worksheet: the constant comes from the Initial draft, taken
// before loading, and the cargo loaded from the two net displacements.
class frmCalvane : public SurveyWorksheet {
    Q_OBJECT

public:
    frmCalvane(Survey& survey, ChildHost& host, QWidget* parent = nullptr);
};
