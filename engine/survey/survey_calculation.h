#pragma once

#include "draft.h"
#include "stage_calculation.h"
#include "survey_document.h"

#include <QHash>
#include <QList>
#include <QString>
#include <memory>

// Runs a whole survey through the worksheet's Calculate command, the
// Initial stage and then the Final one, exactly as a surveyor pressing
// Calculate on each tab would: the completeness check, the draft
// correction, the hydrostatic differences and their check, the hand-over to
// the draft object, its calculation and the stage results with their
// warnings. Shows nothing: a refusal comes back as the reason, the warnings
// as warnings().
class SurveyCalculation {
public:
    // The ship and the deductible items of the register the shared
    // connection has open. Raises ProgramError when the items cannot be
    // read.
    SurveyCalculation(const SurveyDocument& survey, int shipID);
    // The ship the survey gives by its particulars, with the deductible
    // items of the open register or, when none is open, the shipped ones:
    // needs no connection. Raises ProgramError when the items cannot be
    // read or the survey gives no particulars.
    explicit SurveyCalculation(const SurveyDocument& survey);
    // Another survey of `base`'s ship with its deductible items: reads no
    // register, so that a survey can be calculated again many times over.
    SurveyCalculation(const SurveyCalculation& base, const SurveyDocument& survey);

    // Empty when both stages were calculated, or the Initial one while the
    // Final draft is not taken yet; otherwise the reason the command stopped
    // (the message it showed, on one line, or what a calculation error
    // means).
    QString run();
    // Takes another survey of the same ship to run next, the drafts kept as
    // the worksheet keeps them between one Calculate and the next: quicker
    // than a new calculation when a survey is calculated many times over.
    void restart(const SurveyDocument& survey);
    // Whether the survey holds the Final, or the Initial, draft at all.
    bool finalTaken() const;
    bool initialTaken() const;
    // The same for one stage, for callers that calculate stage by stage.
    QString runStage(Stage stage);

    const clsDraft& draft(Stage stage) const { return *m_drafts[int(stage)]; }
    const StageOutcome& outcome(Stage stage) const { return m_outcomes[int(stage)]; }
    // The Bill of Lading quantity and the initial net displacement box as
    // their entry rules left them.
    QString billOfLading() const { return m_billOfLading; }
    QString initialNetField() const { return m_initialNetField; }
    // The constant and the cargo boxes as the stages left them.
    QString constantField() const { return m_constantField; }
    QString cargoField() const { return m_cargoField; }
    // The warnings the worksheet would show, in order, each on one line.
    QStringList warnings() const;

private:
    SurveyCalculation(const SurveyDocument& survey, const QList<int>& deductionItems);

    QString checkEntryRules();

    SurveyDocument m_survey;
    QList<int> m_deductionItems;
    std::unique_ptr<clsDraft> m_drafts[2];
    StageOutcome m_outcomes[2];
    QString m_billOfLading;
    QString m_initialNetField;
    QString m_constantField;
    QString m_cargoField;
    QList<Message> m_warnings;
};

// The deductible items' names by key: the open register's, or the shipped
// ones when none is open.
QHash<int, QString> deductionItemNames();
