#include "report_preview.h"

#include "clock.h"
#include "errors.h"
#include "file_chooser.h"
#include "message_service.h"
#include "report_pdf.h"
#include "report_render.h"
#include "survey_file_name.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int zoomSteps[] = {50, 75, 100, 125, 150, 200};
constexpr int screenDpi = 96;

} // namespace

ReportPreview::ReportPreview(const ReportPage& page, QWidget* parent)
    : QWidget(parent, Qt::Window), m_page(page), m_zoom(new QComboBox), m_sheet(new QLabel) {
    setObjectName(QStringLiteral("ReportPreview"));
    setAttribute(Qt::WA_DeleteOnClose);
    // An open preview does not keep the program running once its main
    // window is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Print Preview - ") +
                   page.caption(QStringLiteral("lblShipName")));

    auto* toolBar = new QToolBar;
    QAction* save = toolBar->addAction(QStringLiteral("Save as PDF..."));
    save->setObjectName(QStringLiteral("actSaveAsPdf"));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &ReportPreview::saveAsPdf);
    toolBar->addSeparator();
    QAction* zoomOut = toolBar->addAction(QStringLiteral("Zoom Out"));
    zoomOut->setObjectName(QStringLiteral("actZoomOut"));
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    m_zoom->setObjectName(QStringLiteral("cboZoom"));
    for (const int percent : zoomSteps)
        m_zoom->addItem(QString::number(percent) + u'%', percent);
    toolBar->addWidget(m_zoom);
    QAction* zoomIn = toolBar->addAction(QStringLiteral("Zoom In"));
    zoomIn->setObjectName(QStringLiteral("actZoomIn"));
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    connect(zoomOut, &QAction::triggered, this,
            [this] { m_zoom->setCurrentIndex(std::max(0, m_zoom->currentIndex() - 1)); });
    connect(zoomIn, &QAction::triggered, this, [this] {
        m_zoom->setCurrentIndex(std::min(m_zoom->count() - 1, m_zoom->currentIndex() + 1));
    });

    m_sheet->setObjectName(QStringLiteral("lblSheet"));
    m_sheet->setAlignment(Qt::AlignCenter);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("scrPage"));
    scroll->setBackgroundRole(QPalette::Dark);
    scroll->setAlignment(Qt::AlignHCenter);
    scroll->setWidget(m_sheet);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toolBar);
    layout->addWidget(scroll);

    setZoom(100);
    connect(m_zoom, &QComboBox::currentIndexChanged, this, &ReportPreview::showPage);
    showPage();
    fitScreen();
}

void ReportPreview::fitScreen() {
    // The screen of the window it was opened from, where the user looks.
    const QWidget* from = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
    const QRect area = (from ? from->screen() : screen())->availableGeometry();
    // The frame is not known before the window shows: room is kept for it.
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8;
    resize(QSize(880, 960).boundedTo(area.size() - QSize(8, titleBar)));
    move(area.left() + std::max(0, (area.width() - width()) / 2),
         area.top() + std::max(0, (area.height() - height() - titleBar) / 2));
}

int ReportPreview::zoom() const {
    return m_zoom->currentData().toInt();
}

void ReportPreview::setZoom(int percent) {
    int nearest = 0;
    for (int i = 1; i < m_zoom->count(); ++i) {
        if (std::abs(m_zoom->itemData(i).toInt() - percent) <
            std::abs(m_zoom->itemData(nearest).toInt() - percent))
            nearest = i;
    }
    m_zoom->setCurrentIndex(nearest);
}

void ReportPreview::showPage() {
    // The pages one below the other, as they come out of the printer.
    const int dpi = screenDpi * zoom() / 100;
    QList<QImage> pages;
    for (int index = 0; index < m_page.pageCount(); ++index)
        pages.append(reportImage(m_page, dpi, index));
    const int gap = dpi / 8;
    const QSize size = pages.first().size();
    const int count = int(pages.size());
    QPixmap sheets(size.width(), count * size.height() + (count - 1) * gap);
    sheets.fill(palette().color(QPalette::Dark));
    QPainter painter(&sheets);
    for (int index = 0; index < count; ++index)
        painter.drawImage(0, index * (size.height() + gap), pages[index]);
    painter.end();
    m_sheet->setPixmap(sheets);
    m_sheet->adjustSize();
}

// The survey's date: the Final draft's, else the Initial draft's, else
// today.
QDate ReportPreview::surveyDate() const {
    for (const QString& label : {QStringLiteral("lblFinDate"), QStringLiteral("lblInitDate")}) {
        const QDate date = QDate::fromString(m_page.caption(label), QStringLiteral("dd-MM-yyyy"));
        if (date.isValid())
            return date;
    }
    return programClock().now().date();
}

QString ReportPreview::proposedFileName() const {
    return QDir(documentsFolder())
        .filePath(surveyFileName(m_page.caption(QStringLiteral("lblShipName")),
                                 m_page.caption(QStringLiteral("lblPortName")), QString(),
                                 surveyDate(), QStringLiteral("pdf")));
}

void ReportPreview::saveAsPdf() {
    const QString file =
        fileChooser().chooseSaveFile(this, QStringLiteral("Save as PDF"), proposedFileName(),
                                     QStringLiteral("PDF files (*.pdf)"));
    if (file.isEmpty())
        return;
    try {
        saveReportPdf(m_page, file);
    } catch (const ProgramError& error) {
        showWarning(QStringLiteral("The report was not saved."), error.description());
    }
}
