#pragma once

#include "report_layout.h"

#include <QHash>
#include <QString>

// One report made from a layout: the captions written into its labels.
// A label nothing was written to shows its design caption.
class ReportPage {
public:
    explicit ReportPage(const ReportLayout& layout) : m_layout(&layout) {}

    const ReportLayout& layout() const { return *m_layout; }
    // Raise ProgramError for a name the layout has no label of.
    QString caption(const QString& labelName) const;
    void setCaption(const QString& labelName, const QString& text);

private:
    const ReportLabel& label(const QString& labelName) const;

    const ReportLayout* m_layout;
    QHash<QString, QString> m_written;
};
