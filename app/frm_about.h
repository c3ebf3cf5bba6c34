#pragma once

#include <QDialog>

// The About box, also the start-up screen: Continue accepts it, and the
// caller then moves on to the tip of the day or the main window. Closing it
// any other way does not move on.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);
};
