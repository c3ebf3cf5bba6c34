#include "desktop_launcher.h"

#include "message_service.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

void startFirstOf(const QStringList& candidates, const QString& noneFound,
                  const QString& whatToInstall) {
    const QString program = findFirstProgram(candidates);
    if (program.isEmpty()) {
        showWarning(noneFound, whatToInstall);
        return;
    }
    if (!QProcess::startDetached(program, {}))
        showWarning(QStringLiteral("The program ") + program +
                        QStringLiteral(" could not be started."),
                    QStringLiteral("Please start it from the desktop's menu."));
}

} // namespace

QStringList calculatorPrograms() {
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
            QStringLiteral("galculator"),       QStringLiteral("mate-calc"),
            QStringLiteral("qalculate-gtk"),    QStringLiteral("xcalc")};
}

QStringList textEditorPrograms() {
    return {QStringLiteral("gedit"),     QStringLiteral("gnome-text-editor"),
            QStringLiteral("kate"),      QStringLiteral("kwrite"),
            QStringLiteral("mousepad"),  QStringLiteral("pluma"),
            QStringLiteral("xed"),       QStringLiteral("leafpad"),
            QStringLiteral("featherpad")};
}

QString findFirstProgram(const QStringList& candidates) {
    for (const QString& name : candidates) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

void startCalculator() {
    startFirstOf(calculatorPrograms(),
                 QStringLiteral("No calculator program was found on this computer."),
                 QStringLiteral("Please install one, for example gnome-calculator or kcalc."));
}

void startTextEditor() {
    startFirstOf(textEditorPrograms(), QStringLiteral("No text editor was found on this computer."),
                 QStringLiteral("Please install one, for example gedit or mousepad."));
}

// Set by the build: the installed guide's folder as seen from the program.
#ifndef CALVANE_HELP_FROM_PROGRAM
#define CALVANE_HELP_FROM_PROGRAM "../share/doc/calvane/help"
#endif

QString helpDocumentIn(const QString& applicationFolder) {
    const QString beside = applicationFolder + QStringLiteral("/help/index.html");
    const QString installed = QDir::cleanPath(
        applicationFolder + QStringLiteral("/" CALVANE_HELP_FROM_PROGRAM "/index.html"));
    // A missing guide is named where a copied program folder keeps it.
    return QFileInfo::exists(beside) || !QFileInfo::exists(installed) ? beside : installed;
}

void openHelpContents(const QString& applicationFolder) {
    const QString document = helpDocumentIn(applicationFolder);
    if (!QFileInfo::exists(document)) {
        showWarning(QStringLiteral("The help document ") + document +
                        QStringLiteral(" is missing."),
                    QStringLiteral("Please install Calvane Lt again."));
        return;
    }
    openAddress(QUrl::fromLocalFile(document));
}

void openAddress(const QUrl& address) {
    if (!QDesktopServices::openUrl(address))
        showWarning(QStringLiteral("No program was found to open ") + address.toDisplayString() +
                        QStringLiteral("."),
                    QStringLiteral("Please open it with your web browser or mail program."));
}
