#pragma once

#include <QDialog>
#include <memory>

class frmMDI;
class QTreeWidgetItem;

namespace Ui {
class frmOpen;
}

// The Open dialog: a second way, beside the menus, to open a working
// window. Categories on the left, their windows as icons on the right; Open
// or a double click opens the named window inside the main window.
class frmOpen : public QDialog {
    Q_OBJECT

public:
    explicit frmOpen(frmMDI& frame);
    ~frmOpen() override;

    void done(int result) override;

private:
    void InitTree();
    void InitList(const QString& category);
    void nodeClicked(QTreeWidgetItem* node);
    void cmdOpen_Click();

    std::unique_ptr<Ui::frmOpen> ui;
    frmMDI& m_frame;
    QString mstrFormToOpen;
};
