#include "survey_particulars_dialog.h"

#include "ui_survey_particulars_dialog.h"

SurveyParticularsDialog::SurveyParticularsDialog(const SurveyParticulars& particulars,
                                                 QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::SurveyParticularsDialog>()) {
    m_ui->setupUi(this);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_ui->txtPlace->setText(particulars.place);
    m_ui->txtRequestedBy->setText(particulars.requestedBy);
    // A role a file gives that the list lacks is kept, not lost.
    if (m_ui->cboSurveyorRole->findText(particulars.surveyorRole) < 0)
        m_ui->cboSurveyorRole->addItem(particulars.surveyorRole);
    m_ui->cboSurveyorRole->setCurrentText(particulars.surveyorRole);
    m_ui->txtAttendedBy->setText(particulars.attendedBy);
    m_ui->txtWeather->setText(particulars.weather);
    m_ui->txtSea->setText(particulars.sea);
    m_ui->txtSwell->setText(particulars.swell);
}

SurveyParticularsDialog::~SurveyParticularsDialog() = default;

SurveyParticulars SurveyParticularsDialog::particulars() const {
    return {m_ui->txtPlace->text().trimmed(),     m_ui->txtRequestedBy->text().trimmed(),
            m_ui->cboSurveyorRole->currentText(), m_ui->txtAttendedBy->text().trimmed(),
            m_ui->txtWeather->text().trimmed(),   m_ui->txtSea->text().trimmed(),
            m_ui->txtSwell->text().trimmed()};
}
