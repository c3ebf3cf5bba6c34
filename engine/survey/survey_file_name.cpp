#include "survey_file_name.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

QString fileNamePart(const QString& text) {
    static const QRegularExpression unsafe(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f])"));
    return QString(text).replace(unsafe, QStringLiteral("-")).simplified();
}

} // namespace

QString surveyFileName(const QString& ship, const QString& port, const QString& worksheet,
                       const QDate& date, const QString& suffix) {
    QStringList parts;
    for (const QString& part :
         {ship, port.section(u',', 0, 0), worksheet, date.toString(QStringLiteral("yyyy-MM-dd"))}) {
        const QString safe = fileNamePart(part);
        if (!safe.isEmpty())
            parts << safe;
    }
    return parts.join(QStringLiteral(" - ")) + u'.' + suffix;
}

QString documentsFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() ? QDir::homePath() : folder;
}
