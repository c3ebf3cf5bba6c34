#pragma once

#include "rowset.h"
#include "survey_document.h"
#include "worksheet_fixture.h"

// The sample survey typed into a worksheet through the keyboard alone.
namespace survey_typing {

inline QString digits(const QString& text) {
    return QString(text).remove(u'-').remove(u':');
}

// Ship, voyage, port and cargo, leaving the focus on the date.
inline void typeOpening(WorksheetFixture& f, const SurveyDocument& survey) {
    f.chooseShip();
    f.type(QString());
    f.type(survey.voyage);
    QCOMPARE(f.focused(), QStringLiteral("dcbPort"));
    f.type(survey.port);
    f.type(survey.cargo);
}

// Types one draft from the date on, through the Enter path, and
// calculates it.
inline void typeDraft(WorksheetFixture& f, const SurveyDocument& survey, const DraftEntry& e) {
    QCOMPARE(f.focused(), QStringLiteral("mbxDate"));
    for (const QString& text : {digits(e.date), digits(e.time), e.density, e.fwdPort, e.fwdStbd,
                                e.midPort, e.midStbd, e.aftPort, e.aftStbd, e.fwdX, e.midX})
        f.type(text);
    QCOMPARE(f.focused(), QStringLiteral("txtAftX"));
    f.type(e.aftX);
    QCOMPARE(f.focused(), QStringLiteral("txtHDTGridTextbox"));
    const HydrostaticLine lines[] = {e.below, e.above};
    for (int column = 0; column < 4; ++column) {
        for (const HydrostaticLine& line : lines) {
            const QString values[] = {line.draft, line.displacement, line.tpc, line.lcf};
            f.type(values[column]);
        }
    }
    QCOMPARE(f.focused(), QStringLiteral("txtMPGridTextbox"));
    for (const QString& text :
         {e.mctcPlus50Below, e.mctcPlus50Above, e.mctcMinus50Below, e.mctcMinus50Above})
        f.type(text);
    QCOMPARE(f.focused(), QStringLiteral("txtGridTextbox"));
    RowSet items;
    items.open(QStringLiteral("SELECT ItemID, ItemName FROM DeductionMaster"), *gcnnStore);
    for (items.moveFirst(); !items.atEnd(); items.moveNext())
        f.type(e.deductions.value(int(items.field(QStringLiteral("ItemID")).toWhole())));
    QCOMPARE(f.focused(), QStringLiteral("txtComments"));
    f.type(e.comments);
    if (f.focused() == QStringLiteral("txtBLQty"))
        f.type(survey.billOfLadingQuantity);
    if (f.focused() == QStringLiteral("txtFnlGrdTxtBox"))
        f.type(QString());
    QCOMPARE(f.focused(), QStringLiteral("cmdCalculate"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCoreApplication::processEvents();
}

// Moves to the Final tab and steps over the voyage, port and cargo it keeps.
inline void enterFinalTab(WorksheetFixture& f) {
    f.find<QTabBar>("sstCalvane")->setCurrentIndex(2);
    QCOMPARE(f.focused(), QStringLiteral("txtVoyageID"));
    for (int field = 0; field < 3; ++field)
        f.type(QString());
}

// The whole survey, both tabs calculated.
inline void typeSurvey(WorksheetFixture& f, const SurveyDocument& survey) {
    typeOpening(f, survey);
    typeDraft(f, survey, survey.initial);
    enterFinalTab(f);
    typeDraft(f, survey, survey.final);
}

} // namespace survey_typing
