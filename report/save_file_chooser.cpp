#include "save_file_chooser.h"

#include <QFileDialog>

namespace {

class DialogChooser : public SaveFileChooser {
public:
    QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& proposed,
                           const QString& filter) override {
        return QFileDialog::getSaveFileName(parent, caption, proposed, filter);
    }
};

SaveFileChooser* installedChooser = nullptr;

} // namespace

SaveFileChooser& saveFileChooser() {
    static DialogChooser dialog;
    return installedChooser ? *installedChooser : dialog;
}

void installSaveFileChooser(SaveFileChooser* chooser) {
    installedChooser = chooser;
}
