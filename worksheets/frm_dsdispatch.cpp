#include "frm_dsdispatch.h"

#include "ui_survey_worksheet.h"

frmDSDispatch::frmDSDispatch(Survey& survey, ChildHost& host, QWidget* parent)
    : SurveyWorksheet(survey, host, parent) {
    setObjectName(QStringLiteral("frmDSDispatch"));
    setWindowTitle(QStringLiteral("Draft Survey-[Discharging]"));
    // Here the constant is a result of the Final draft.
    ui().fmeConstant->layout()->addWidget(ui().lblConstant);
    ui().fmeConstant->layout()->addWidget(ui().txtConstant);
}
