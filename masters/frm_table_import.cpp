#include "frm_table_import.h"

#include "ui_frm_table_import.h"

#include <QComboBox>
#include <QLabel>

namespace {

const int leftOut = -1;

DecimalSeparator separatorAt(int index) {
    return index == 1 ? DecimalSeparator::Comma : DecimalSeparator::Point;
}

} // namespace

frmTableImport::frmTableImport(const QString& text, const std::optional<Decimal>& lbp,
                               QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmTableImport>()), m_lbp(lbp) {
    ui->setupUi(this);
    ui->txtDensity->setText(TableDeclaration().density.toString());
    ui->txtTableText->setPlainText(text);
    const QList<QWidget*> declarationFields{ui->cmbSeparator, ui->txtDensity,     ui->txtTrim,
                                            ui->cmbLcfOrigin, ui->cmbLcfPositive, ui->txtSource};
    for (QWidget* field : declarationFields)
        field->installEventFilter(&m_enterAsTab);

    connect(ui->txtTableText, &QPlainTextEdit::textChanged, this, &frmTableImport::textChanged);
    connect(ui->cmbSeparator, &QComboBox::currentIndexChanged, this,
            &frmTableImport::separatorChanged);
    connect(ui->txtDensity, &QLineEdit::textChanged, this, &frmTableImport::readAgain);
    connect(ui->txtTrim, &QLineEdit::textChanged, this, &frmTableImport::readAgain);
    connect(ui->txtSource, &QLineEdit::textChanged, this, &frmTableImport::readAgain);
    connect(ui->cmbLcfOrigin, &QComboBox::currentIndexChanged, this, &frmTableImport::readAgain);
    connect(ui->cmbLcfPositive, &QComboBox::currentIndexChanged, this, &frmTableImport::readAgain);
    connect(ui->cmdStore, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    textChanged();
}

frmTableImport::~frmTableImport() = default;

void frmTableImport::textChanged() {
    const DecimalSeparator separator = separatorAt(ui->cmbSeparator->currentIndex());
    proposeRoles(splitTableText(ui->txtTableText->toPlainText(), separator));
    readAgain();
}

void frmTableImport::separatorChanged() {
    // The declared figures are written as the table's are.
    const bool comma = separatorAt(ui->cmbSeparator->currentIndex()) == DecimalSeparator::Comma;
    const QChar from = comma ? QLatin1Char('.') : QLatin1Char(',');
    const QChar to = comma ? QLatin1Char(',') : QLatin1Char('.');
    for (QLineEdit* field : {ui->txtDensity, ui->txtTrim})
        field->setText(field->text().replace(from, to));
    // The separator decides how the lines are cut, so the columns are
    // proposed again.
    textChanged();
}

void frmTableImport::proposeRoles(const TableText& text) {
    qDeleteAll(m_roleChoices);
    qDeleteAll(m_headings);
    m_roleChoices.clear();
    m_headings.clear();
    const ColumnRoles proposed = proposedRoles(text);
    QWidget* previous = ui->txtSource;
    for (int c = 0; c < proposed.size(); ++c) {
        auto* choice = new QComboBox(ui->fmeColumns);
        choice->setObjectName(QStringLiteral("cmbRole%1").arg(c + 1));
        choice->addItem(QStringLiteral("(left out)"), leftOut);
        for (int role = 0; role < tableColumnCount; ++role)
            choice->addItem(tableColumnName(TableColumn(role)), role);
        choice->setCurrentIndex(proposed[c] ? choice->findData(int(*proposed[c])) : 0);
        const QString heading = text.header.value(c, QStringLiteral("Column %1").arg(c + 1));
        auto* label = new QLabel(heading, ui->fmeColumns);
        label->setBuddy(choice);
        ui->layoutRoles->addWidget(label, 0, c);
        ui->layoutRoles->addWidget(choice, 1, c);
        // A layout shows what joins an open dialog only once events are
        // processed; the choices must be there at once.
        label->show();
        choice->show();
        choice->installEventFilter(&m_enterAsTab);
        connect(choice, &QComboBox::currentIndexChanged, this, &frmTableImport::readAgain);
        // The new columns take their places in the Tab order after the
        // declaration.
        setTabOrder(previous, choice);
        previous = choice;
        m_roleChoices.append(choice);
        m_headings.append(label);
    }
    setTabOrder(previous, ui->lstAudit);
}

ColumnRoles frmTableImport::chosenRoles() const {
    ColumnRoles roles;
    for (const QComboBox* choice : m_roleChoices) {
        const int role = choice->currentData().toInt();
        roles.append(role == leftOut ? std::nullopt : std::optional(TableColumn(role)));
    }
    return roles;
}

TableImportSettings frmTableImport::settings() const {
    TableImportSettings settings;
    settings.separator = separatorAt(ui->cmbSeparator->currentIndex());
    TableDeclaration& declaration = settings.declaration;
    if (const std::optional<Decimal> density =
            tableFigure(ui->txtDensity->text().trimmed(), settings.separator))
        declaration.density = *density;
    declaration.trim = tableFigure(ui->txtTrim->text().trimmed(), settings.separator);
    declaration.lcfOrigin =
        ui->cmbLcfOrigin->currentIndex() == 1 ? LcfOrigin::AftPerpendicular : LcfOrigin::Amidships;
    declaration.lcfPositive =
        ui->cmbLcfPositive->currentIndex() == 1 ? LcfPositive::Forward : LcfPositive::Aft;
    declaration.source = ui->txtSource->text().trimmed();
    settings.roles = chosenRoles();
    return settings;
}

QString frmTableImport::declarationProblem() const {
    const DecimalSeparator separator = separatorAt(ui->cmbSeparator->currentIndex());
    const std::optional<Decimal> density = tableFigure(ui->txtDensity->text().trimmed(), separator);
    if (!density || density->sign() <= 0)
        return QStringLiteral("The density must be a figure above 0, written with the decimal "
                              "separator chosen.");
    const QString trim = ui->txtTrim->text().trimmed();
    if (!trim.isEmpty() && !tableFigure(trim, separator))
        return QStringLiteral("The trim must be a figure written with the decimal separator "
                              "chosen, or blank for even keel.");
    const ColumnRoles roles = chosenRoles();
    if (!roles.contains(TableColumn::Draft))
        return QStringLiteral("Choose the column that gives the draft.");
    for (int role = 0; role < tableColumnCount; ++role) {
        if (roles.count(TableColumn(role)) > 1)
            return QStringLiteral("%1 is chosen for more than one column.")
                .arg(tableColumnName(TableColumn(role)));
    }
    if (ui->cmbLcfOrigin->currentIndex() == 1 && !m_lbp)
        return QStringLiteral("The ship has no LBP, and an LCF from the aft perpendicular cannot "
                              "be placed without it: enter the LBP on Ship Particulars first.");
    return QString();
}

void frmTableImport::readAgain() {
    const QString problem = declarationProblem();
    m_import = importTable(ui->txtTableText->toPlainText(), settings(), m_lbp.value_or(Decimal()));
    ui->lstAudit->clear();
    ui->lstAudit->addItems(m_import.said());
    const bool refused = !problem.isEmpty() || m_import.refused();
    ui->cmdStore->setEnabled(!refused);
    if (!problem.isEmpty())
        ui->lblRefusal->setText(problem);
    else if (m_import.refused())
        ui->lblRefusal->setText(QStringLiteral("The table cannot be stored as it is: see what "
                                               "the audit says."));
    else
        ui->lblRefusal->setText(QString());
}
