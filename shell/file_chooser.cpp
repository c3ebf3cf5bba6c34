#include "file_chooser.h"

#include <QFileDialog>

namespace {

class DialogChooser : public FileChooser {
public:
    QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& proposed,
                           const QString& filter) override {
        return QFileDialog::getSaveFileName(parent, caption, proposed, filter);
    }
    QString chooseOpenFile(QWidget* parent, const QString& caption, const QString& folder,
                           const QString& filter) override {
        return QFileDialog::getOpenFileName(parent, caption, folder, filter);
    }
};

FileChooser* installedChooser = nullptr;

} // namespace

FileChooser& fileChooser() {
    static DialogChooser dialog;
    return installedChooser ? *installedChooser : dialog;
}

void installFileChooser(FileChooser* chooser) {
    installedChooser = chooser;
}
