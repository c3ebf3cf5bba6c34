// One filled survey report drawn to a PDF in memory, alone and with its
// calculation sheet, against the floor any
// PDF page costs: a bare one-page QPdfWriter page with as many text items,
// in one typeface, and in a regular and a bold one as a report needs; and
// that page again written as the report is (PDF/A-1b with its metadata),
// the floor the report's own format sets; and the report's own texts so
// written, one plain item each, the floor its letters set.
#include "report_fill.h"
#include "report_pdf.h"
#include "survey_file_report.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <benchmark/benchmark.h>

namespace {

std::optional<ReportSource> sampleSource() {
    QString errors;
    QTextStream err(&errors);
    return reportOfSurveyFile(QStringLiteral(SAMPLES_DIR "/loading-survey.json"), QString(), err)
        .source;
}

// The report's page alone, or followed by its calculation sheet.
void filledReport(benchmark::State& state, bool calculationSheet) {
    const std::optional<ReportSource> source = sampleSource();
    if (!source) {
        state.SkipWithError("the sample survey made no report");
        return;
    }
    ReportOptions options;
    options.calculationSheet = calculationSheet;
    for (auto _ : state)
        benchmark::DoNotOptimize(reportPdf(fillReport(*source, options)));
}

// Every `boldEvery`-th item bold (0: none), as a page of two typefaces;
// with `asReport`, in the report's PDF/A form and metadata.
void barePage(benchmark::State& state, int boldEvery, bool asReport) {
    const std::optional<ReportSource> source = sampleSource();
    if (!source) {
        state.SkipWithError("the sample survey made no report");
        return;
    }
    const ReportPage report = fillReport(*source, ReportOptions());
    const int items = int(drptCalvane().labels.size());
    const QFont regular(QStringLiteral("DejaVu Sans"), 9);
    QFont bold = regular;
    bold.setBold(true);
    for (auto _ : state) {
        QByteArray pdf;
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            if (asReport)
                setUpReportWriter(writer, report);
            else
                writer.setPageSize(QPageSize(QPageSize::A4));
            QPainter painter(&writer);
            for (int i = 0; i < items; ++i) {
                painter.setFont(boldEvery && i % boldEvery == 0 ? bold : regular);
                painter.drawText(QPoint(200 + (i % 3) * 3000, 200 + (i / 3) * 250),
                                 QStringLiteral("Label %1 12345.6789 MT").arg(i));
            }
        }
        benchmark::DoNotOptimize(pdf);
    }
}

// The filled report's captions as bare items at its labels' places, bold
// where the report prints them bold, without the report's rules, bands and
// fitting: what is left of the report's time beyond this is its own.
void reportTexts(benchmark::State& state) {
    const std::optional<ReportSource> source = sampleSource();
    if (!source) {
        state.SkipWithError("the sample survey made no report");
        return;
    }
    const ReportPage report = fillReport(*source, ReportOptions());
    const QFont regular(QStringLiteral("DejaVu Sans"), 9);
    QFont bold = regular;
    bold.setBold(true);
    const auto isBold = [](LabelStyle style) {
        return style != LabelStyle::Plain && style != LabelStyle::Signature &&
               style != LabelStyle::Note && style != LabelStyle::Working;
    };
    for (auto _ : state) {
        QByteArray pdf;
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            setUpReportWriter(writer, report);
            QPainter painter(&writer);
            for (const ReportLabel& label : report.layout().labels) {
                painter.setFont(isBold(label.style) ? bold : regular);
                painter.drawText(QPoint(label.left, label.top + 200), report.caption(label.name));
            }
        }
        benchmark::DoNotOptimize(pdf);
    }
}

} // namespace

BENCHMARK_CAPTURE(filledReport, page, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filledReport, withCalculationSheet, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(barePage, oneFace, 0, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(barePage, regularAndBold, 4, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(barePage, regularAndBoldAsReport, 4, true)->Unit(benchmark::kMillisecond);
BENCHMARK(reportTexts)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // Drawn with the desktop's fonts, never shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
