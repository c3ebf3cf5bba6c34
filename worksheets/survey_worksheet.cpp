#include "survey_worksheet.h"

#include "bound_list.h"
#include "connection.h"
#include "draft_field_checks.h"
#include "draft_grids.h"
#include "draft_view.h"
#include "errors.h"
#include "form_center.h"
#include "input_grid.h"
#include "message_service.h"
#include "register.h"
#include "ship_and_port_lists.h"
#include "stage_tabs.h"
#include "survey.h"
#include "survey_checks_panel.h"
#include "survey_file_commands.h"
#include "survey_particulars_dialog.h"
#include "survey_print.h"
#include "ui_survey_worksheet.h"
#include "worksheet_keyboard.h"

#include <QComboBox>
#include <QTableWidget>
#include <utility>

namespace {

// Save is open to a survey whatever is typed: it writes a partly taken one.
constexpr Commands openCommands = commandsOf("011111011");

// The draft object shows nothing itself; its window shows what went wrong.
void showDraftMessages(clsDraft& draft) {
    for (const Message& message : draft.takeMessages())
        messageService().show(message);
}

} // namespace

SurveyWorksheet::SurveyWorksheet(Survey& survey, ChildHost& host, QWidget* parent)
    : QWidget(parent), m_survey(survey), m_kind(survey.kind()), m_host(host),
      m_ui(std::make_unique<Ui::SurveyWorksheet>()) {
    const Worksheet kind = m_kind;
    m_ui->setupUi(this);
    // The boxes below the sums show a figure to 5 places whole.
    const int figure = fontMetrics().horizontalAdvance(QStringLiteral("-000000.00000")) + 12;
    for (QLineEdit* box :
         {m_ui->txtInitNetDisp, m_ui->txtConstant, m_ui->txtFinalNetDisp, m_ui->txtTotCargoLoaded,
          m_ui->txtBLQty, m_ui->txtAssumedConstant, m_ui->txtFinTotCargoDis})
        box->setMinimumWidth(figure);
    const bool loading = kind == Worksheet::Loading;
    m_stageFrames[0] = loading ? m_ui->fmeInitNetDisp : m_ui->fmeAssumedConstant;
    m_stageFrames[1] = loading ? m_ui->fmeFinalNetDisp : m_ui->fmeConstant;
    for (QWidget* frame :
         {m_ui->fmeInitNetDisp, m_ui->fmeFinalNetDisp, m_ui->fmeAssumedConstant, m_ui->fmeConstant})
        frame->hide();
    m_grids = std::make_unique<DraftGrids>(
        kind, DraftGrids::Parts{*m_ui->fgrdHDT, *m_ui->txtHDTGridTextbox},
        DraftGrids::Parts{*m_ui->fgrdMCTCP50, *m_ui->txtMPGridTextbox},
        DraftGrids::Parts{*m_ui->fgrdMCTCM50, *m_ui->txtMMGridTextbox},
        DraftGrids::Parts{*m_ui->fgrdDeduction, *m_ui->txtGridTextbox});
    m_grids->deductionChanged = [this] { shownDraft().setToSave(true); };
    m_view = std::make_unique<DraftView>(kind, *m_ui);
    m_checks = std::make_unique<DraftFieldChecks>(kind, *m_ui, *m_grids);
    m_checks->draftsTyped = [this] {
        if (CorrectDrafts())
            fillFromTable();
    };
    m_files = std::make_unique<SurveyFileCommands>(survey, *this);
    m_files->mayBeSaved = [this] { return maySave(); };
    m_files->proposedPath = [this] { return proposedFilePath(); };
    m_lists = std::make_unique<ShipAndPortLists>(*m_ui->dcbShip, *m_ui->dcbPort);
    m_checksPanel =
        std::make_unique<SurveyChecksPanel>(*m_ui->lstChecks, *m_ui->lblCargoUncertainty);
    m_checksPanel->survey = [this] { return surveyDocument(); };
    m_checksPanel->file = [this] { return m_survey.filePath(); };
    connect(&m_lists->ships(), &BoundList::chosen, this, [this](int shipID) {
        reportFailure(QStringLiteral("frmCalvane::dcbShip_Change"), [&] { shipChosen(shipID); });
    });
    connect(m_ui->txtHDTGridTextbox, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!mblnLoading)
            m_grids->hydrostaticDraftTyped(text);
    });
    connect(m_ui->cmdCalculate, &QPushButton::clicked, this, [this] {
        reportFailure(QStringLiteral("frmCalvane::cmdCalculate_Click"),
                      [&] { cmdCalculate_Click(); });
    });
    connect(m_ui->cmdSurveyParticulars, &QPushButton::clicked, this,
            &SurveyWorksheet::editSurveyParticulars);
    m_keyboard = std::make_unique<WorksheetKeyboard>(kind, *m_ui, *m_grids, *m_checks);
    m_keyboard->loading = [this] { return mblnLoading; };
    m_keyboard->shipShown = [this] { return shipShown(); };
    m_keyboard->nextField = [this](bool forward) { focusNextPrevChild(forward); };
    m_keyboard->resultsPlaced = [this] { placeInitialNetField(); };
    m_keyboard->watch(*this);
    open();
    watchEdits();
}

SurveyWorksheet::~SurveyWorksheet() {
    // The controls still send focus events while QWidget deletes them; the
    // keyboard must not pass them on to a worksheet already gone.
    m_keyboard.reset();
}

void SurveyWorksheet::open() {
    mblnLoading = true;
    m_tabs = new StageTabs(*m_ui->sstCalvane, *this);
    m_tabs->changed = [this](Stage left, Stage entered) { stageChanged(left, entered); };
    m_drafts[0] = std::make_unique<clsDraft>();
    showDraftMessages(*m_drafts[0]);
    m_drafts[1] = std::make_unique<clsDraft>();
    showDraftMessages(*m_drafts[1]);
    mblnLoading = false;
    m_lists->load();
    InitializeAllGrids();
    m_drafts[0]->setDraftType(0);
    m_drafts[1]->setDraftType(1);
    NewDraft();
    ClearSurvey();
}

void SurveyWorksheet::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    // A new survey starts with its ship, whatever takes the focus first
    // when the window shows.
    m_ui->dcbShip->setFocus();
    // Inside the main window the worksheet's frame stands in the middle of
    // the free area; where the sheet does not fit, the frame takes all of it
    // and the sheet scrolls within.
    QWidget* frame = parentWidget();
    if (!frame || !frame->parentWidget())
        return;
    const QSize area = frame->parentWidget()->size();
    const QSize decorations = frame->size() - size() + QSize(4, 4);
    const QSize whole = m_ui->scrollContents->sizeHint() + decorations;
    if (whole.width() > area.width() || whole.height() > area.height()) {
        // Maximizing hides and shows the frame, which passes the focus on
        // through the fields: no field is entered by the user meanwhile.
        const bool wasLoading = std::exchange(mblnLoading, true);
        frame->setWindowState(frame->windowState() | Qt::WindowMaximized);
        mblnLoading = wasLoading;
        m_ui->dcbShip->setFocus();
        return;
    }
    frame->resize(whole);
    FormCenter(*frame);
}

void SurveyWorksheet::InitializeAllGrids() {
    try {
        m_view->layOutResults(shownStage());
        if (!gcnnStore)
            throw ProgramError::objectNotSet();
        m_grids->layOut(Register(*gcnnStore).deductionItems());
        if (m_grids->itemIDs().isEmpty()) {
            m_ui->fgrdDeduction->hide();
            m_ui->txtGridTextbox->hide();
        }
    } catch (const ProgramError& error) {
        showStoreFailure(error, QStringLiteral("frmCalvane::InitializeAllGrids"));
    }
}

void SurveyWorksheet::NewDraft() {
    m_drafts[0]->NewDraft();
    showDraftMessages(*m_drafts[0]);
    m_drafts[1]->NewDraft();
    showDraftMessages(*m_drafts[1]);
    m_entries[0] = m_entries[1] = DraftEntry{};
    m_ui->mbxDate->setText(m_drafts[0]->get(DraftProperty::DSDate).toText());
    m_ui->mbxTime->setText(m_drafts[0]->get(DraftProperty::DSTime).toText());
}

void SurveyWorksheet::editSurveyParticulars() {
    auto* dialog = new SurveyParticularsDialog(m_surveyParticulars, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        if (dialog->particulars() == m_surveyParticulars)
            return;
        m_surveyParticulars = dialog->particulars();
        m_survey.setModified(true);
    });
    dialog->open();
}

void SurveyWorksheet::ClearSurvey() {
    setCommands(openCommands);
    m_surveyParticulars = {};
    const bool wasLoading = mblnLoading;
    mblnLoading = true;
    m_ui->txtVoyageID->clear();
    m_ui->dcbPort->setCurrentIndex(-1);
    m_ui->dcbPort->clearEditText();
    m_ui->txtCargo->clear();
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        // The lists' own boxes and the masked date and time are no text
        // boxes of the survey; the B/L quantity and the assumed constant
        // stay for the next survey of a discharging ship.
        const bool kept = qobject_cast<QComboBox*>(box->parentWidget()) || box == m_ui->mbxDate ||
                          box == m_ui->mbxTime || box == m_ui->txtCargo ||
                          (m_kind == Worksheet::Discharging &&
                           (box == m_ui->txtAssumedConstant || box == m_ui->txtBLQty));
        if (!kept)
            box->clear();
    }
    // The ship stays chosen, so its length stays shown.
    m_ui->txtLBP->setText(m_lists->shipLength());
    InitializeAllGrids();
    m_ui->lblHogSag->hide();
    m_ui->txtDeflection->clear();
    m_ui->fgrdHDT->show();
    mblnLoading = wasLoading;
    m_ui->dcbShip->setEnabled(true);
    m_ui->txtVoyageID->setEnabled(true);
    m_ui->dcbPort->setEnabled(true);
    m_ui->txtCargo->setEnabled(true);
    m_ui->dcbDate->setEnabled(false);
    m_ui->cmbTime->setEnabled(false);
    m_ui->fgrdResult->show();
    m_ui->txtFnlGrdTxtBox->hide();
    showStageFrames(Stage::Initial);
}

void SurveyWorksheet::RPrint(bool blnShowPreview) {
    ::RPrint(surveyDocument(), blnShowPreview);
}

void SurveyWorksheet::RNew() {
    reportFailure(QStringLiteral("frmCalvane::RNew"), [&] {
        mblnLoading = true;
        NewDraft();
        ClearSurvey();
        m_tabs->show(Stage::Initial);
        // The grids and frames of the Initial tab, whichever tab was shown.
        showStageFrames(Stage::Initial);
        m_view->layOutResults(shownStage());
        if (m_kind == Worksheet::Discharging)
            m_ui->dcbShip->setFocus();
        // A new survey belongs to no file yet.
        m_survey.clear();
    });
    mblnLoading = false;
    m_host.enabledCommandsChanged(openCommands);
}

void SurveyWorksheet::showStageFrames(Stage stage) {
    m_stageFrames[int(stage)]->show();
    m_stageFrames[1 - int(stage)]->hide();
}

void SurveyWorksheet::setCommands(Commands enabled) {
    m_enabled = enabled;
    m_host.enabledCommandsChanged(m_enabled);
}

bool SurveyWorksheet::shipShown() const {
    return m_lists->chosenShipID().has_value();
}

Stage SurveyWorksheet::shownStage() const {
    return m_tabs->shown();
}

clsDraft& SurveyWorksheet::shownDraft() {
    return *m_drafts[int(shownStage())];
}

void SurveyWorksheet::shipChosen(int shipID) {
    if (mblnLoading)
        return;
    m_drafts[0]->setShipID(shipID);
    showDraftMessages(*m_drafts[0]);
    m_drafts[1]->setShipID(shipID);
    showDraftMessages(*m_drafts[1]);
    if (const std::optional<QString> length = m_lists->readShip(shipID))
        m_ui->txtLBP->setText(*length);
}

void SurveyWorksheet::stageChanged(Stage left, Stage entered) {
    if (mblnLoading)
        return;
    try {
        if (shipShown() && !m_checks->typedFieldsAccepted()) {
            m_tabs->goBack();
            return;
        }
        if (left == Stage::Initial && !shipShown()) {
            m_tabs->goBack();
            showWarning(QStringLiteral("Please select a ship first."));
            return;
        }
        SaveDraft(int(left));
        if (entered == Stage::Initial)
            enterInitialTab();
        else
            enterFinalTab();
    } catch (const std::exception&) {
        showBare(QStringLiteral("frmCalvane::sstCalvane_Click"));
        return;
    }
    if (m_kind == Worksheet::Discharging || shipShown())
        m_ui->txtVoyageID->setFocus();
}

void SurveyWorksheet::enterInitialTab() {
    setCommands(openCommands);
    m_ui->dcbShip->setEnabled(true);
    m_ui->dcbDate->setEnabled(false);
    m_ui->cmbTime->setEnabled(false);
    showStageFrames(Stage::Initial);
    m_ui->fgrdResult->show();
    m_ui->txtFnlGrdTxtBox->hide();
    if (shipShown() || m_kind == Worksheet::Discharging)
        InitializeAllGrids();
    if (shipShown())
        LoadDraft(0);
}

void SurveyWorksheet::enterFinalTab() {
    m_ui->dcbShip->setEnabled(false);
    m_ui->dcbDate->setEnabled(false);
    m_ui->cmbTime->setEnabled(false);
    showStageFrames(Stage::Final);
    m_ui->fgrdResult->show();
    setCommands(openCommands);
    if (shipShown() || m_kind == Worksheet::Discharging)
        InitializeAllGrids();
    if (!shipShown())
        return;
    m_ui->fgrdFinalResult->setCurrentCell(ReferenceRow, 1);
    placeInitialNetField();
    m_ui->txtFnlGrdTxtBox->show();
    m_ui->txtFnlGrdTxtBox->raise();
    LoadDraft(1);
}

void SurveyWorksheet::placeInitialNetField() {
    const QTableWidget& results = *m_ui->fgrdFinalResult;
    const QRect cell = results.visualRect(results.model()->index(ReferenceRow, 1));
    m_ui->txtFnlGrdTxtBox->setGeometry(
        QRect(results.viewport()->mapTo(m_ui->fmeCalvane, cell.topLeft()), cell.size()));
}

void SurveyWorksheet::registerReopened() {
    // The survey keeps the particulars it read; only the lists are read again.
    m_lists->reload();
}
