#pragma once

class QAction;
class QFrame;
class QToolBar;
class QWidget;

// The bar of the main window that holds the toolbar. Its nine positions are
// New, Save, a separator, Print, PrintPreview, a separator, Delete, a
// separator and Close; each button's object name and data are its tag.
struct FrameToolbar {
    QFrame* coolBar;
    QToolBar* toolbar;
    QAction* newRecord;
    QAction* save;
    QAction* print;
    QAction* printPreview;
    QAction* deleteRecord;
    QAction* close;
};

FrameToolbar buildFrameToolbar(QWidget& parent);
