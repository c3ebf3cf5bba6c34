#include "frm_open.h"

#include "frm_mdi.h"
#include "shell_icons.h"
#include "ui_frm_open.h"

#include <utility>

namespace {

const QString RootKey = QStringLiteral("Calvane");
const QString ShipData = QStringLiteral("Ship Data");
const QString DraftSurvey = QStringLiteral("Draft Survey");

struct OpenItem {
    const char* name;
    const char* icon;
    WorkingWindow window;
};

// In the order a typed name is matched.
const OpenItem Items[] = {
    {"Ship Particulars", "ShipParticulars", WorkingWindow::ShipParticulars},
    {"Port", "PortMaster", WorkingWindow::PortMaster},
    {"Loading Survey", "Loading", WorkingWindow::Loading},
    {"Discharging Survey", "Discharging", WorkingWindow::Discharging},
};

bool inCategory(const OpenItem& item, const QString& category) {
    const bool shipData =
        item.window == WorkingWindow::ShipParticulars || item.window == WorkingWindow::PortMaster;
    return shipData == (category == ShipData);
}

} // namespace

frmOpen::frmOpen(frmMDI& frame)
    : QDialog(&frame), ui(std::make_unique<Ui::frmOpen>()), m_frame(frame) {
    ui->setupUi(this);
    InitTree();
    InitList(ShipData);
    connect(ui->tvOpen, &QTreeWidget::itemClicked, this, &frmOpen::nodeClicked);
    connect(ui->lvOpen, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ui->txtFormToOpen->setText(item->text()); });
    connect(ui->lvOpen, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        ui->txtFormToOpen->setText(item->text());
        cmdOpen_Click();
    });
    connect(ui->txtFormToOpen, &QLineEdit::textChanged, this,
            [this](const QString& text) { ui->cmdOpen->setEnabled(!text.trimmed().isEmpty()); });
    connect(ui->cmdOpen, &QPushButton::clicked, this, &frmOpen::cmdOpen_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

frmOpen::~frmOpen() = default;

void frmOpen::InitTree() {
    auto* root = new QTreeWidgetItem(ui->tvOpen, {DraftSurvey});
    root->setData(0, Qt::UserRole, RootKey);
    root->setExpanded(true);
    for (const QString& category : {ShipData, DraftSurvey}) {
        auto* node = new QTreeWidgetItem(root, {category});
        node->setData(0, Qt::UserRole, category);
    }
    ui->tvOpen->setCurrentItem(root->child(0));
}

void frmOpen::InitList(const QString& category) {
    ui->lvOpen->clear();
    for (const OpenItem& item : Items) {
        if (inCategory(item, category))
            new QListWidgetItem(shellIcon(QString::fromLatin1(item.icon)),
                                QString::fromLatin1(item.name), ui->lvOpen);
    }
}

void frmOpen::nodeClicked(QTreeWidgetItem* node) {
    ui->txtFormToOpen->clear();
    const QString key = node->data(0, Qt::UserRole).toString();
    if (key != RootKey)
        InitList(key);
}

void frmOpen::cmdOpen_Click() {
    if (ui->txtFormToOpen->text().isEmpty())
        return;
    mstrFormToOpen = ui->txtFormToOpen->text();
    accept();
    for (const OpenItem& item : Items) {
        if (mstrFormToOpen == QString::fromLatin1(item.name)) {
            m_frame.openWorkingChild(item.window);
            return;
        }
    }
}

void frmOpen::done(int result) {
    QDialog::done(result);
    m_frame.refreshStatusHint();
}
