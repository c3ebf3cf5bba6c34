#include "draft_field_checks.h"

#include "clock.h"
#include "draft_grids.h"
#include "draft_view.h"
#include "field_rules.h"
#include "message_service.h"
#include "stage_results.h"
#include "ui_survey_worksheet.h"

namespace {

// Shows the refusal of a verdict, if any; true when the value was accepted.
bool showVerdict(const FieldVerdict& verdict) {
    if (!verdict.accepted)
        messageService().show(verdict.refusal);
    return verdict.accepted;
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

bool DraftFieldChecks::fieldLeft(QWidget* field) {
    const Ui::SurveyWorksheet& u = m_form;
    bool accepted = true;
    // Where an editor's check fails unexpectedly, as the user will be told.
    const std::pair<QWidget*, const char*> editors[] = {
        {u.txtHDTGridTextbox, "txtHDTGridTextbox::Validate"},
        {u.txtMPGridTextbox, "txtMPGridTextbox::Validate"},
        {u.txtMMGridTextbox, "txtMMGridTextbox::Validate"},
        {u.txtGridTextbox, "frmCalvane::txtGridTextbox_Validate"}};
    InputGrid* grid = m_grids.gridOf(field);
    if (grid) {
        for (const auto& [editor, source] : editors) {
            if (editor == field)
                accepted = editorChecked(QString::fromLatin1(source),
                                         [this, grid] { return m_grids.checkEditor(*grid); });
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

bool DraftFieldChecks::typedFieldsAccepted() {
    const Ui::SurveyWorksheet& u = m_form;
    for (QLineEdit* field :
         {u.mbxDate, u.mbxTime, u.txtDensity, u.txtFwdPort, u.txtFwdStbd, u.txtMidShipPort,
          u.txtMidshipStbd, u.txtAftPort, u.txtAftStbd, u.txtFwdX, u.txtMidX, u.txtAftX}) {
        if (!field->text().isEmpty() && !fieldLeft(field))
            return false;
    }
    return true;
}

bool DraftFieldChecks::checkTextField(QLineEdit& field) {
    // Leaving a field again without a change checks and corrects nothing
    // again.
    if (m_accepted.contains(&field) && m_accepted.value(&field) == field.text())
        return true;
    const Ui::SurveyWorksheet& u = m_form;
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
        if (drafts && (reading || !verdict.blank) && draftsTyped)
            draftsTyped();
        return true;
    }
    return true;
}

bool DraftFieldChecks::checkInitialNetField() {
    const EntryVerdict verdict = checkInitialNetDisplacement(m_form.txtFnlGrdTxtBox->text());
    if (!verdict.accepted)
        messageService().show(verdict.refusal);
    m_form.txtFnlGrdTxtBox->setText(verdict.text);
    return verdict.accepted;
}

bool DraftFieldChecks::checkBillOfLading() {
    const EntryVerdict verdict = ::checkBillOfLading(m_form.txtBLQty->text());
    if (!verdict.accepted)
        messageService().show(verdict.refusal);
    m_form.txtBLQty->setText(verdict.text);
    if (!verdict.accepted)
        return false;
    const QTableWidgetItem* outcome = m_form.fgrdFinalResult->item(OutcomeRow, 1);
    if (const std::optional<ShownValue> assumed =
            assumedConstantFor(verdict.text, outcome ? outcome->text() : QString())) {
        m_form.txtAssumedConstant->setText(assumed->text);
        QPalette palette = m_form.txtAssumedConstant->palette();
        palette.setColor(QPalette::Text, assumed->red ? QColor(255, 0, 0) : QColor(0, 0, 0));
        m_form.txtAssumedConstant->setPalette(palette);
    }
    return true;
}
