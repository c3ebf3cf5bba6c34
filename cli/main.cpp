#include "report_command.h"
#include "survey_command.h"
#include "table_command.h"

#include <QGuiApplication>

int main(int argc, char* argv[]) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (argc == 2 && QByteArray(argv[1]) == "--version") {
        out << "calvane-survey " CALVANE_VERSION "\n";
        out.flush();
        return out.status() == QTextStream::Ok ? 0 : 2;
    }
    if (argc > 1 && QByteArray(argv[1]) == "report") {
        // The report is drawn with the desktop's fonts but never shown.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication application(argc, argv);
        return runReportCommand(QGuiApplication::arguments().mid(1), out, err);
    }
    QCoreApplication application(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "tables")
        return runTablesCommand(QCoreApplication::arguments().mid(1), out, err);
    return runSurveyCommand(QCoreApplication::arguments().mid(1), out, err);
}
