// calvane-emblem: writes the program's emblem as PNG icons for the desktop,
// drawn by the same code as the About box draws it.
#include "program_emblem.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QTextStream>

int main(int argc, char* argv[]) {
    // Drawn, never shown: no display is needed at build time.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    QTextStream err(stderr);
    if (arguments.size() != 3) {
        err << "Usage: calvane-emblem SIZE OUT.png\n";
        return 2;
    }
    bool isNumber = false;
    const int size = arguments.at(1).toInt(&isNumber);
    if (!isNumber || size < 1 || size > 1024) {
        err << "calvane-emblem: bad size " << arguments.at(1) << "\n";
        return 2;
    }
    if (!programEmblem(size).save(arguments.at(2), "PNG")) {
        err << "calvane-emblem: cannot write " << arguments.at(2) << "\n";
        return 1;
    }
    return 0;
}
