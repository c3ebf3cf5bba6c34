#include "frm_calvane.h"

#include "ui_survey_worksheet.h"

frmCalvane::frmCalvane(ChildHost& host, QWidget* parent)
    : SurveyWorksheet(Worksheet::Loading, host, parent) {
    setObjectName(QStringLiteral("frmCalvane"));
    setWindowTitle(QStringLiteral("Draft Survey-[Loading]"));
}
