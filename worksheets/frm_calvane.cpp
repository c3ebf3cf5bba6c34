#include "frm_calvane.h"

#include "ui_survey_worksheet.h"

frmCalvane::frmCalvane(ChildHost& host, QWidget* parent)
    : SurveyWorksheet(Worksheet::Loading, host, parent) {
    setObjectName(QStringLiteral("frmCalvane"));
    setWindowTitle(QStringLiteral("Draft Survey-[Loading]"));
    ui().fmeAssumedConstant->hide();
    ui().fmeConstant->hide();
}

void frmCalvane::showStageFrames(Stage stage) {
    ui().fmeInitNetDisp->setVisible(stage == Stage::Initial);
    ui().fmeFinalNetDisp->setVisible(stage == Stage::Final);
}
