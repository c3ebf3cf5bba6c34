#pragma once

#include <QApplication>

// The program's application object. An error that escapes an event handler
// is shown to the user instead of ending the program.
class Application : public QApplication {
    Q_OBJECT

public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
