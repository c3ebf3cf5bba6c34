#include "report_options.h"

#include <QSettings>

ReportOptions savedReportOptions() {
    // The desktop program's settings file, which calvane-survey reads too.
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("calvane"),
                             QStringLiteral("calvane"));
    ReportOptions options;
    options.calculationSheet =
        settings.value(QStringLiteral("Report/Calculation Sheet"), true).toBool();
    options.surveyor = settings.value(QStringLiteral("Report/Surveyor")).toString().trimmed();
    return options;
}
