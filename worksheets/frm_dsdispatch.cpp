#include "frm_dsdispatch.h"

#include "ui_survey_worksheet.h"

frmDSDispatch::frmDSDispatch(ChildHost& host, QWidget* parent)
    : SurveyWorksheet(Worksheet::Discharging, host, parent) {
    setObjectName(QStringLiteral("frmDSDispatch"));
    setWindowTitle(QStringLiteral("Draft Survey-[Discharging]"));
    // Here the constant is a result of the Final draft.
    ui().fmeConstant->layout()->addWidget(ui().lblConstant);
    ui().fmeConstant->layout()->addWidget(ui().txtConstant);
}
