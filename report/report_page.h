#pragma once

#include "report_layout.h"

#include <QHash>
#include <QList>
#include <QString>

// One report made from a layout: the captions written into its labels.
// A label nothing was written to shows its design caption.
class ReportPage {
public:
    explicit ReportPage(const ReportLayout& layout) : m_layout(&layout) {}

    const ReportLayout& layout() const { return *m_layout; }
    // The report's page, then the calculation sheet's pages, whose labels
    // print their design captions.
    int pageCount() const { return 1 + int(m_sheetPages.size()); }
    const ReportLayout& layoutOf(int index) const {
        return index == 0 ? *m_layout : m_sheetPages[index - 1];
    }
    void setSheetPages(const QList<ReportLayout>& pages) { m_sheetPages = pages; }
    // The surveyor signing the report, for the PDF's author.
    QString author() const { return m_author; }
    void setAuthor(const QString& author) { m_author = author; }
    // Raise ProgramError for a name the layout has no label of.
    QString caption(const QString& labelName) const;
    void setCaption(const QString& labelName, const QString& text);

private:
    const ReportLabel& label(const QString& labelName) const;

    const ReportLayout* m_layout;
    QHash<QString, QString> m_written;
    QList<ReportLayout> m_sheetPages;
    QString m_author;
};
