#include "bound_list.h"
#include "clock.h"
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

// Shows the refusal of a verdict, if any; true when the value was accepted.
bool showVerdict(const FieldVerdict& verdict) {
    if (!verdict.accepted)
        messageService().show(verdict.refusal);
    return verdict.accepted;
}

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

// A grid editor's check that fails unexpectedly names itself and lets the
// focus go, as a check that found nothing wrong.
bool editorChecked(const QString& failure, const std::function<bool()>& check) {
    try {
        return check();
    } catch (const std::exception&) {
        showBare(failure);
        return true;
    }
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
            report(QStringLiteral("frmCalvane::txtGridTextbox_KeyDown"),
                   [&] { swallowed = arrowInDeductions(key.key()); });
        if (swallowed)
            return true;
        break;
    }
    case QEvent::FocusIn: {
        const auto& focus = static_cast<const QFocusEvent&>(*event);
        // Tabbed into, a grid starts at its first cell (its last, going
        // back), so that what is typed next lands where it is seen.
        if (InputGrid* grid = m_grids->gridOf(control); grid && tabbedInto(focus)) {
            const QList<DraftGrids::Cell> cells = m_grids->entryCells(*grid);
            if (!cells.isEmpty()) {
                const DraftGrids::Cell cell =
                    focus.reason() == Qt::TabFocusReason ? cells.first() : cells.last();
                grid->setCurrent(cell.first, cell.second, false);
            }
        }
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
                    report(QStringLiteral("frmCalvane::Validate"), [&] { fieldLeft(left); });
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

bool SurveyWorksheet::fieldLeft(QWidget* field) {
    const Ui::SurveyWorksheet& u = *m_ui;
    bool accepted = true;
    // Where an editor's check fails unexpectedly, as the user will be told.
    const std::pair<QWidget*, const char*> editors[] = {
        {u.txtHDTGridTextbox, "txtHDTGridTextbox::Validate"},
        {u.txtMPGridTextbox, "txtMPGridTextbox::Validate"},
        {u.txtMMGridTextbox, "txtMMGridTextbox::Validate"},
        {u.txtGridTextbox, "frmCalvane::txtGridTextbox_Validate"}};
    InputGrid* grid = m_grids->gridOf(field);
    if (grid) {
        for (const auto& [editor, source] : editors) {
            if (editor == field)
                accepted = editorChecked(QString::fromLatin1(source),
                                         [this, grid] { return m_grids->checkEditor(*grid); });
        }
    } else if (field == u.txtFnlGrdTxtBox)
        accepted = checkInitialNetField();
    else if (field == u.txtBLQty)
        accepted = m_kind == Worksheet::Loading || checkBillOfLading();
    else if (auto* box = qobject_cast<QLineEdit*>(field))
        accepted = checkTextField(*box);
    if (!accepted)
        field->setFocus();
    return accepted;
}

bool SurveyWorksheet::typedFieldsAccepted() {
    // A click on the tab bar or on Calculate may come before the field
    // being typed in was left: its check runs first.
    const Ui::SurveyWorksheet& u = *m_ui;
    for (QLineEdit* field :
         {u.mbxDate, u.mbxTime, u.txtDensity, u.txtFwdPort, u.txtFwdStbd, u.txtMidShipPort,
          u.txtMidshipStbd, u.txtAftPort, u.txtAftStbd, u.txtFwdX, u.txtMidX, u.txtAftX}) {
        if (!field->text().isEmpty() && !fieldLeft(field))
            return false;
    }
    return true;
}

bool SurveyWorksheet::checkTextField(QLineEdit& field) {
    // Leaving a field again without a change checks and corrects nothing
    // again.
    if (m_accepted.contains(&field) && m_accepted.value(&field) == field.text())
        return true;
    const Ui::SurveyWorksheet& u = *m_ui;
    const std::pair<QLineEdit*, SurveyField> rules[] = {
        {u.txtFwdPort, SurveyField::FwdPort},     {u.txtFwdStbd, SurveyField::FwdStbd},
        {u.txtMidShipPort, SurveyField::MidPort}, {u.txtMidshipStbd, SurveyField::MidStbd},
        {u.txtAftPort, SurveyField::AftPort},     {u.txtAftStbd, SurveyField::AftStbd},
        {u.txtDensity, SurveyField::Density},     {u.txtFwdX, SurveyField::FwdX},
        {u.txtMidX, SurveyField::MidX},           {u.txtAftX, SurveyField::AftX}};
    const QDateTime now = programClock().now();
    if (&field == u.mbxDate) {
        const QString typed = field.text();
        if (QDate::fromString(typed, QStringLiteral("dd-MM-yyyy")).isValid())
            return true;
        // An impossible month is a date typed month first.
        const QDate swapped = QDate::fromString(typed, QStringLiteral("MM-dd-yyyy"));
        if (swapped.isValid()) {
            field.setText(swapped.toString(QStringLiteral("dd-MM-yyyy")));
            return true;
        }
        field.setText(now.date().toString(QStringLiteral("dd-MM-yyyy")));
        showWarning(QStringLiteral("Invalid Date"));
        return false;
    }
    if (&field == u.mbxTime) {
        const QTime time = QTime::fromString(field.text(), QStringLiteral("HH:mm"));
        field.setText((time.isValid() ? time : now.time()).toString(QStringLiteral("HH:mm")));
        if (!time.isValid())
            showWarning(QStringLiteral("Invalid Time"));
        return time.isValid();
    }
    for (const auto& [box, rule] : rules) {
        if (box != &field)
            continue;
        const bool reading = rule <= SurveyField::AftStbd;
        const bool drafts = reading || rule >= SurveyField::FwdX;
        if (reading && m_kind == Worksheet::Discharging && field.text().isEmpty())
            return true;
        const FieldVerdict verdict = checkField(rule, m_kind, field.text());
        field.setText(verdict.text);
        if (!showVerdict(verdict))
            return false;
        m_accepted.insert(&field, field.text());
        if (drafts && (reading || !verdict.blank))
            CorrectDrafts();
        return true;
    }
    return true;
}

bool SurveyWorksheet::checkInitialNetField() {
    const EntryVerdict verdict = checkInitialNetDisplacement(m_ui->txtFnlGrdTxtBox->text());
    if (!verdict.accepted)
        messageService().show(verdict.refusal);
    m_ui->txtFnlGrdTxtBox->setText(verdict.text);
    return verdict.accepted;
}

bool SurveyWorksheet::checkBillOfLading() {
    const EntryVerdict verdict = ::checkBillOfLading(m_ui->txtBLQty->text());
    if (!verdict.accepted)
        messageService().show(verdict.refusal);
    m_ui->txtBLQty->setText(verdict.text);
    if (!verdict.accepted)
        return false;
    const QTableWidgetItem* row11 = m_ui->fgrdFinalResult->item(11, 1);
    if (const std::optional<ShownValue> assumed =
            assumedConstantFor(verdict.text, row11 ? row11->text() : QString())) {
        m_ui->txtAssumedConstant->setText(assumed->text);
        QPalette palette = m_ui->txtAssumedConstant->palette();
        palette.setColor(QPalette::Text, assumed->red ? QColor(255, 0, 0) : QColor(0, 0, 0));
        m_ui->txtAssumedConstant->setPalette(palette);
    }
    return true;
}

bool SurveyWorksheet::enterPressed(QWidget* focus) {
    if (focus == m_ui->txtAftX) {
        if (checkTextField(*m_ui->txtAftX))
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
    InputGrid& grid = *m_grids->gridOf(editor);
    const QList<DraftGrids::Cell> cells = m_grids->entryCells(grid);
    const qsizetype at = cells.indexOf(DraftGrids::Cell(grid.row(), grid.column()));
    if (at < 0)
        return false;
    // The value is checked before it is committed: a value out of range
    // never reaches the cell.
    if (!m_grids->checkEditor(grid))
        return true;
    const qsizetype next = at + (forward ? 1 : -1);
    if (next >= 0 && next < cells.size())
        grid.setCurrent(cells.at(next).first, cells.at(next).second);
    else
        focusNextPrevChild(forward);
    return true;
}

bool SurveyWorksheet::arrowInDeductions(int key) {
    InputGrid& deductions = m_grids->deductions();
    if (!m_grids->checkEditor(deductions))
        return true;
    const int row = deductions.row();
    if (key == Qt::Key_Up && row > 0)
        deductions.setCurrent(row - 1, 1);
    if (key == Qt::Key_Down && row < deductions.lastRow())
        deductions.setCurrent(row + 1, 1);
    return true;
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
