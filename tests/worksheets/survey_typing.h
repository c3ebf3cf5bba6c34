#pragma once

#include "rowset.h"
#include "survey_document.h"
#include "worksheet_fixture.h"

// The sample survey typed into a worksheet through the keyboard alone,
// moving on from field to field and cell to cell with `next`: Enter or Tab.
namespace survey_typing {

inline QString digits(const QString& text) {
    return QString(text).remove(u'-').remove(u':');
}

// Ship, voyage, port and cargo, leaving the focus on the date.
inline void typeOpening(WorksheetFixture& f, const SurveyDocument& survey,
                        Qt::Key next = Qt::Key_Return) {
    f.chooseShip();
    f.type(QString(), next);
    f.type(survey.voyage, next);
    QCOMPARE(f.focused(), QStringLiteral("dcbPort"));
    f.type(survey.port, next);
    f.type(survey.cargo, next);
}

// Types one draft from the date on and calculates it with Enter on
// Calculate. With Tab, Shift+Tab first goes back over the hydrostatic table's
// last cell to find it as typed.
inline void typeDraft(WorksheetFixture& f, const SurveyDocument& survey, const DraftEntry& e,
                      Qt::Key next = Qt::Key_Return) {
    QCOMPARE(f.focused(), QStringLiteral("mbxDate"));
    for (const QString& text : {digits(e.date), digits(e.time), e.density, e.fwdPort, e.fwdStbd,
                                e.midPort, e.midStbd, e.aftPort, e.aftStbd, e.fwdX, e.midX})
        f.type(text, next);
    QCOMPARE(f.focused(), QStringLiteral("txtAftX"));
    f.type(e.aftX, next);
    QCOMPARE(f.focused(), QStringLiteral("txtHDTGridTextbox"));
    const HydrostaticLine lines[] = {e.below, e.above};
    for (int column = 0; column < 4; ++column) {
        for (const HydrostaticLine& line : lines) {
            const QString values[] = {line.draft, line.displacement, line.tpc, line.lcf};
            f.type(values[column], next);
        }
    }
    QCOMPARE(f.focused(), QStringLiteral("txtMPGridTextbox"));
    if (next == Qt::Key_Tab) {
        f.type(QString(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(f.focused(), QStringLiteral("txtHDTGridTextbox"));
        QCOMPARE(Decimal::tryParse(f.find("txtHDTGridTextbox")->text()),
                 Decimal::tryParse(e.above.lcf));
        f.type(QString(), next);
    }
    for (const QString& text :
         {e.mctcPlus50Below, e.mctcPlus50Above, e.mctcMinus50Below, e.mctcMinus50Above})
        f.type(text, next);
    QCOMPARE(f.focused(), QStringLiteral("txtGridTextbox"));
    RowSet items;
    items.open(QStringLiteral("SELECT ItemID, ItemName FROM DeductionMaster"), *gcnnStore);
    for (items.moveFirst(); !items.atEnd(); items.moveNext())
        f.type(e.deductions.value(int(items.field(QStringLiteral("ItemID")).toWhole())), next);
    QCOMPARE(f.focused(), QStringLiteral("txtComments"));
    f.type(e.comments, next);
    if (f.focused() == QStringLiteral("txtBLQty"))
        f.type(survey.billOfLadingQuantity, next);
    if (f.focused() == QStringLiteral("txtFnlGrdTxtBox"))
        f.type(QString(), next);
    QCOMPARE(f.focused(), QStringLiteral("cmdCalculate"));
    // The figures Calculate gives show beside it.
    if (f.watchView)
        QVERIFY(f.inView(*f.find<QWidget>("fgrdFinalResult")));
    f.type(QString(), Qt::Key_Return);
}

// Moves to the Final tab (with Ctrl+Tab when moving on with Tab) and steps
// over the voyage, port and cargo it keeps.
inline void enterFinalTab(WorksheetFixture& f, Qt::Key next = Qt::Key_Return) {
    if (next == Qt::Key_Tab)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    else
        f.find<QTabBar>("sstCalvane")->setCurrentIndex(1);
    QCOMPARE(f.find<QTabBar>("sstCalvane")->currentIndex(), 1);
    QCOMPARE(f.focused(), QStringLiteral("txtVoyageID"));
    for (int field = 0; field < 3; ++field)
        f.type(QString(), next);
}

// The whole survey, both tabs calculated.
inline void typeSurvey(WorksheetFixture& f, const SurveyDocument& survey,
                       Qt::Key next = Qt::Key_Return) {
    typeOpening(f, survey, next);
    typeDraft(f, survey, survey.initial, next);
    enterFinalTab(f, next);
    typeDraft(f, survey, survey.final, next);
}

} // namespace survey_typing
