#pragma once

#include "survey_document.h"

#include <QDialog>
#include <memory>

namespace Ui {
class SurveyParticularsDialog;
}

// Where the survey was made, for whom, who attended and in what
// conditions, edited apart from the worksheet's boxes.
class SurveyParticularsDialog : public QDialog {
    Q_OBJECT
public:
    explicit SurveyParticularsDialog(const SurveyParticulars& particulars,
                                     QWidget* parent = nullptr);
    ~SurveyParticularsDialog() override;

    SurveyParticulars particulars() const;

private:
    std::unique_ptr<Ui::SurveyParticularsDialog> m_ui;
};
