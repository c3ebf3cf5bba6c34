#include "frm_calvane.h"

#include "ui_survey_worksheet.h"

frmCalvane::frmCalvane(Survey& survey, ChildHost& host, QWidget* parent)
    : SurveyWorksheet(survey, host, parent) {
    setObjectName(QStringLiteral("frmCalvane"));
    setWindowTitle(QStringLiteral("Draft Survey-[Loading]"));
}
