#include "bound_list.h"
#include "clock.h"
#include "draft_field_checks.h"
#include "draft_grids.h"
#include "errors.h"
#include "hydrostatic_table.h"
#include "input_grid.h"
#include "message_service.h"
#include "survey_worksheet.h"
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

void SurveyWorksheet::watchControls() {
    for (QWidget* control : findChildren<QWidget*>())
        control->installEventFilter(this);
}

void SurveyWorksheet::report(const QString& source, const std::function<void()>& reaction) {
    // Whatever fails, the survey typed so far stays in the controls and
    // the drafts; the user is told and goes on.
    try {
        reaction();
    } catch (const ProgramError& error) {
        showErrorWithSource(error.description(), source);
    } catch (const std::exception& error) {
        showErrorWithSource(QString::fromLocal8Bit(error.what()), source);
    }
}

bool SurveyWorksheet::eventFilter(QObject* watched, QEvent* event) {
    auto* control = qobject_cast<QWidget*>(watched);
    if (!control)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        bool swallowed = false;
        if (isEnter(key))
            report(QStringLiteral("frmCalvane::Form_KeyPress"),
                   [&] { swallowed = enterPressed(control); });
        else if (isTab(key) && m_grids->gridOf(control))
            report(QStringLiteral("frmCalvane::Form_KeyPress"), [&] {
                const bool forward =
                    key.key() == Qt::Key_Tab && !(key.modifiers() & Qt::ShiftModifier);
                swallowed = stepInGrid(static_cast<QLineEdit*>(control), forward);
            });
        else if ((key.key() == Qt::Key_Up || key.key() == Qt::Key_Down) &&
                 control == m_ui->txtGridTextbox)
            report(QStringLiteral("frmCalvane::txtGridTextbox_KeyDown"), [&] {
                m_grids->stepDeductions(key.key());
                swallowed = true;
            });
        if (swallowed)
            return true;
        break;
    }
    case QEvent::FocusIn: {
        const auto& focus = static_cast<const QFocusEvent&>(*event);
        if (InputGrid* grid = m_grids->gridOf(control); grid && tabbedInto(focus))
            m_grids->enter(*grid, focus.reason() == Qt::TabFocusReason);
        m_ui->scrollWorksheet->ensureWidgetVisible(control);
        if (!mblnLoading && byTheUser(focus))
            guardShip(control);
        break;
    }
    case QEvent::Move:
        // A grid's editor moves from cell to cell with the focus in it.
        if (control->hasFocus())
            m_ui->scrollWorksheet->ensureWidgetVisible(control);
        if (control == m_ui->fgrdFinalResult)
            placeInitialNetField();
        break;
    case QEvent::Resize:
        // The results' columns follow the grid's width once it has taken it.
        if (control == m_ui->fgrdFinalResult)
            later(this, [this] { placeInitialNetField(); });
        break;
    case QEvent::FocusOut:
        if (!mblnLoading && byTheUser(static_cast<const QFocusEvent&>(*event))) {
            QPointer<QWidget> left = control;
            later(this, [this, left] {
                if (left)
                    report(QStringLiteral("frmCalvane::Validate"),
                           [&] { m_checks->fieldLeft(left); });
            });
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool SurveyWorksheet::guardShip(QWidget* control) {
    const Ui::SurveyWorksheet& u = *m_ui;
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
        return true;
    if (!shipShown()) {
        later(this, [this] {
            showWarning(QStringLiteral("Please select a ship first."));
            m_ui->dcbShip->setFocus();
        });
        return false;
    }
    if (control == u.txtMPGridTextbox)
        m_grids->mctcPlus50().placeEditor();
    if (control == u.txtMMGridTextbox)
        m_grids->mctcMinus50().placeEditor();
    if (selecting.contains(control)) {
        QPointer<QLineEdit> box = static_cast<QLineEdit*>(control);
        later(this, [box] {
            if (box)
                box->selectAll();
        });
    }
    return true;
}

bool SurveyWorksheet::enterPressed(QWidget* focus) {
    if (focus == m_ui->txtAftX) {
        if (m_checks->checkTextField(*m_ui->txtAftX))
            m_grids->hydrostatics().setCurrent(1, 1);
        return true;
    }
    if (m_grids->gridOf(focus))
        return stepInGrid(static_cast<QLineEdit*>(focus), true);
    if (focus == m_ui->cmdCalculate) {
        m_ui->cmdCalculate->click();
        return true;
    }
    if (qobject_cast<QComboBox*>(focus->parentWidget()))
        focus = focus->parentWidget();
    if (focus->hasFocus())
        focusNextPrevChild(true);
    return true;
}

bool SurveyWorksheet::stepInGrid(QLineEdit* editor, bool forward) {
    switch (m_grids->step(*m_grids->gridOf(editor), forward)) {
    case DraftGrids::Step::Outside:
        return false;
    case DraftGrids::Step::Left:
        focusNextPrevChild(forward);
        return true;
    default:
        return true;
    }
}

void SurveyWorksheet::hydrostaticDraftTyped(const QString& text) {
    const InputGrid& hydrostatics = m_grids->hydrostatics();
    const int row = hydrostatics.row();
    if (mblnLoading || hydrostatics.column() != 1 || row < 1 || row > 2)
        return;
    if (!text.isEmpty() && !isNumericText(text))
        return;
    m_grids->refillMCTCDrafts(row, text);
}
