#include "worksheet_keyboard.h"

#include "draft_field_checks.h"
#include "draft_grids.h"
#include "input_grid.h"
#include "message_service.h"
#include "ui_survey_worksheet.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

namespace {

bool isEnter(const QKeyEvent& key) {
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           !(key.modifiers() & ~Qt::KeypadModifier);
}

bool isTab(const QKeyEvent& key) {
    return (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) &&
           !(key.modifiers() & ~Qt::ShiftModifier);
}

bool tabbedInto(const QFocusEvent& focus) {
    return focus.reason() == Qt::TabFocusReason || focus.reason() == Qt::BacktabFocusReason;
}

// Focus that moves because a dialog opened or closed, or a menu popped up,
// is not the user leaving or entering a field.
bool byTheUser(const QFocusEvent& focus) {
    return focus.reason() != Qt::ActiveWindowFocusReason && focus.reason() != Qt::PopupFocusReason;
}

void later(QObject* context, const std::function<void()>& step) {
    QTimer::singleShot(0, context, step);
}

} // namespace

WorksheetKeyboard::WorksheetKeyboard(Worksheet kind, Ui::SurveyWorksheet& form, DraftGrids& grids,
                                     DraftFieldChecks& checks)
    : m_kind(kind), m_form(form), m_grids(grids), m_checks(checks) {}

void WorksheetKeyboard::watch(QWidget& worksheet) {
    for (QWidget* control : worksheet.findChildren<QWidget*>())
        control->installEventFilter(this);
}

bool WorksheetKeyboard::eventFilter(QObject* watched, QEvent* event) {
    auto* control = qobject_cast<QWidget*>(watched);
    if (!control)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return keyPressed(*control, static_cast<const QKeyEvent&>(*event));
    case QEvent::FocusIn: {
        const auto& focus = static_cast<const QFocusEvent&>(*event);
        if (InputGrid* grid = m_grids.gridOf(control); grid && tabbedInto(focus))
            m_grids.enter(*grid, focus.reason() == Qt::TabFocusReason);
        m_form.scrollWorksheet->ensureWidgetVisible(control);
        if (!loading() && byTheUser(focus))
            guardShip(control);
        break;
    }
    case QEvent::Move:
        // A grid's editor moves from cell to cell with the focus in it.
        if (control->hasFocus())
            m_form.scrollWorksheet->ensureWidgetVisible(control);
        if (control == m_form.fgrdFinalResult)
            resultsPlaced();
        break;
    case QEvent::Resize:
        // The results' columns follow the grid's width once it has taken it.
        if (control == m_form.fgrdFinalResult)
            later(this, [this] { resultsPlaced(); });
        break;
    case QEvent::FocusOut:
        if (!loading() && byTheUser(static_cast<const QFocusEvent&>(*event))) {
            QPointer<QWidget> left = control;
            later(this, [this, left] {
                if (left)
                    reportFailure(QStringLiteral("frmCalvane::Validate"),
                                  [&] { m_checks.fieldLeft(left); });
            });
        }
        break;
    default:
        break;
    }
    return false;
}

bool WorksheetKeyboard::keyPressed(QWidget& control, const QKeyEvent& key) {
    bool swallowed = false;
    if (isEnter(key))
        reportFailure(QStringLiteral("frmCalvane::Form_KeyPress"),
                      [&] { swallowed = enterPressed(&control); });
    else if (isTab(key) && m_grids.gridOf(&control))
        reportFailure(QStringLiteral("frmCalvane::Form_KeyPress"), [&] {
            const bool forward = key.key() == Qt::Key_Tab && !(key.modifiers() & Qt::ShiftModifier);
            swallowed = stepInGrid(static_cast<QLineEdit*>(&control), forward);
        });
    else if ((key.key() == Qt::Key_Up || key.key() == Qt::Key_Down) &&
             &control == m_form.txtGridTextbox)
        reportFailure(QStringLiteral("frmCalvane::txtGridTextbox_KeyDown"), [&] {
            m_grids.stepDeductions(key.key());
            swallowed = true;
        });
    return swallowed;
}

void WorksheetKeyboard::guardShip(QWidget* control) {
    const Ui::SurveyWorksheet& u = m_form;
    const QList<QWidget*> selecting = {u.txtFwdPort,     u.txtFwdStbd,       u.txtMidShipPort,
                                       u.txtMidshipStbd, u.txtAftPort,       u.txtAftStbd,
                                       u.txtFwdX,        u.txtMidX,          u.txtAftX,
                                       u.txtDensity,     u.txtCargo,         u.txtHDTGridTextbox,
                                       u.txtGridTextbox, u.txtMPGridTextbox, u.txtMMGridTextbox};
    QList<QWidget*> guarded = {u.dcbPort, u.txtVoyageID, u.mbxDate, u.mbxTime};
    guarded += selecting;
    guarded.append(m_kind == Worksheet::Loading ? static_cast<QWidget*>(u.txtComments)
                                                : static_cast<QWidget*>(u.txtBLQty));
    if (!guarded.contains(control))
        return;
    if (!shipShown()) {
        later(this, [this] {
            showWarning(QStringLiteral("Please select a ship first."));
            m_form.dcbShip->setFocus();
        });
        return;
    }
    if (control == u.txtMPGridTextbox)
        m_grids.mctcPlus50().placeEditor();
    if (control == u.txtMMGridTextbox)
        m_grids.mctcMinus50().placeEditor();
    if (selecting.contains(control)) {
        QPointer<QLineEdit> box = static_cast<QLineEdit*>(control);
        later(this, [box] {
            if (box)
                box->selectAll();
        });
    }
}

bool WorksheetKeyboard::enterPressed(QWidget* focus) {
    if (focus == m_form.txtAftX) {
        if (m_checks.checkTextField(*m_form.txtAftX))
            m_grids.hydrostatics().setCurrent(1, 1);
        return true;
    }
    if (m_grids.gridOf(focus))
        return stepInGrid(static_cast<QLineEdit*>(focus), true);
    if (focus == m_form.cmdCalculate) {
        m_form.cmdCalculate->click();
        return true;
    }
    if (qobject_cast<QComboBox*>(focus->parentWidget()))
        focus = focus->parentWidget();
    if (focus->hasFocus())
        nextField(true);
    return true;
}

bool WorksheetKeyboard::stepInGrid(QLineEdit* editor, bool forward) {
    switch (m_grids.step(*m_grids.gridOf(editor), forward)) {
    case DraftGrids::Step::Outside:
        return false;
    case DraftGrids::Step::Left:
        nextField(forward);
        return true;
    default:
        return true;
    }
}
