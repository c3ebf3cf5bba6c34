#include "survey_rules.h"

#include "field_rules.h"
#include "particular_rules.h"
#include "survey_file_layout.h"

namespace {

class RuleRun {
public:
    explicit RuleRun(Worksheet worksheet) : m_worksheet(worksheet) {}

    // Applies one rule to `value` at `path`; false once something was refused.
    bool apply(SurveyField field, const QString& path, QString& value, bool gridCell = false) {
        if (!m_refusal.isEmpty())
            return false;
        const FieldVerdict verdict = checkField(field, m_worksheet, value);
        if (!verdict.accepted) {
            m_refusal = path + QStringLiteral(": ") + verdict.refusal.text.simplified();
            return false;
        }
        if (!verdict.blank)
            value = gridCell ? committedCellText(verdict.text, QString()) : verdict.text;
        return true;
    }

    // The ship window's rule for a particular: the same ship refused there is
    // refused here.
    void applyParticular(const char* field, const QString& path, QString& value) {
        if (!m_refusal.isEmpty())
            return;
        const ParticularCheck check =
            checkParticular(particularRule(QString::fromLatin1(field)), value);
        if (!check.accepted)
            m_refusal = path + QStringLiteral(": ") + check.message;
        else
            value = check.text;
    }

    QString refusal() const { return m_refusal; }

private:
    Worksheet m_worksheet;
    QString m_refusal;
};

QString key(const char* latin1) {
    return QString::fromLatin1(latin1);
}

void applyToDraft(RuleRun& run, const QString& stage, DraftEntry& entry) {
    using namespace SurveyFileLayout;
    const SurveyField readingFields[] = {SurveyField::FwdPort, SurveyField::FwdStbd,
                                         SurveyField::MidPort, SurveyField::MidStbd,
                                         SurveyField::AftPort, SurveyField::AftStbd};
    int i = 0;
    for (const auto& reading : readings)
        run.apply(readingFields[i++], stage + QStringLiteral(".readings.") + key(reading.key),
                  entry.*reading.member);
    run.apply(SurveyField::Density, stage + QStringLiteral(".density"), entry.density);
    const SurveyField markFields[] = {SurveyField::FwdX, SurveyField::MidX, SurveyField::AftX};
    i = 0;
    for (const auto& mark : markDistances)
        run.apply(markFields[i++], stage + QStringLiteral(".markDistances.") + key(mark.key),
                  entry.*mark.member);
    const SurveyField hydrostaticFields[] = {SurveyField::HydDraft, SurveyField::Displacement,
                                             SurveyField::TPC, SurveyField::LCF};
    for (const auto& line : hydrostaticLines) {
        i = 0;
        for (const auto& value : hydrostaticValues)
            run.apply(hydrostaticFields[i++],
                      stage + QStringLiteral(".hydrostatics.") + key(line.key) + u'.' +
                          key(value.key),
                      entry.*line.member.*value.member, true);
    }
    for (const auto& line : mctcPlus50)
        run.apply(SurveyField::MCTCPlus50, stage + QStringLiteral(".mctc.plus50.") + key(line.key),
                  entry.*line.member, true);
    for (const auto& line : mctcMinus50)
        run.apply(SurveyField::MCTCMinus50,
                  stage + QStringLiteral(".mctc.minus50.") + key(line.key), entry.*line.member,
                  true);
    for (auto it = entry.deductions.begin(); it != entry.deductions.end(); ++it)
        run.apply(SurveyField::Deduction,
                  stage + QStringLiteral(".deductions.") + QString::number(it.key()), it.value());
}

} // namespace

QString applyFieldRules(SurveyDocument& survey) {
    RuleRun run(survey.worksheet);
    if (survey.particulars) {
        run.applyParticular("txtLBP", QStringLiteral("ship.particulars.lbp"),
                            survey.particulars->lbp);
        run.applyParticular("txtLightShip", QStringLiteral("ship.particulars.lightShip"),
                            survey.particulars->lightShip);
    }
    applyToDraft(run, QStringLiteral("initial"), survey.initial);
    applyToDraft(run, QStringLiteral("final"), survey.final);
    return run.refusal();
}
