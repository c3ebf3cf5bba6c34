#include "report_page.h"

#include "errors.h"

const ReportLabel& ReportPage::label(const QString& labelName) const {
    const ReportLabel* found = m_layout->label(labelName);
    if (!found) {
        throw ProgramError(ErrorCode::ObjectNotSet,
                           m_layout->name + QStringLiteral(" has no label ") + labelName);
    }
    return *found;
}

QString ReportPage::caption(const QString& labelName) const {
    return m_written.value(labelName, label(labelName).designCaption);
}

void ReportPage::setCaption(const QString& labelName, const QString& text) {
    label(labelName);
    m_written.insert(labelName, text);
}
