#include "frm_tip_of_day.h"

#include "child_frame.h"
#include "clock.h"
#include "connection.h"
#include "errors.h"
#include "message_service.h"
#include "program_settings.h"
#include "register.h"
#include "shell_icons.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

frmTipOfDay::frmTipOfDay(ProgramSettings& settings, bool debugTraces, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_debugTraces(debugTraces),
      lblTipText(makeLabel(QStringLiteral("lblTipText"), QString(), this)),
      chkLoadTipsAtStartup(new QCheckBox(QStringLiteral("&Show Tips at Startup"), this)),
      cmdNextTip(makeButton(QStringLiteral("cmdNextTip"), QStringLiteral("&Next Tip"), this)),
      cmdOK(makeButton(QStringLiteral("cmdOK"), QStringLiteral("OK"), this)) {
    if (m_debugTraces)
        showBare(QStringLiteral("loading tip of day"));
    setObjectName(QStringLiteral("frmTipOfDay"));
    setWindowTitle(QStringLiteral("Tip of the Day"));
    setWindowIcon(shellIcon(QStringLiteral("TipOfDay")));
    chkLoadTipsAtStartup->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));

    QLabel* picture = makeLabel(QStringLiteral("Picture1"), QString(), this);
    picture->setPixmap(
        QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    QLabel* heading = makeLabel(QStringLiteral("Label1"), QStringLiteral("Did you know..."), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    heading->setFont(headingFont);
    lblTipText->setWordWrap(true);
    lblTipText->setMargin(8);
    lblTipText->setFrameShape(QFrame::StyledPanel);
    lblTipText->setBackgroundRole(QPalette::Base);
    lblTipText->setAutoFillBackground(true);
    lblTipText->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    lblTipText->setMinimumSize(320, 90);

    auto* tipColumn = new QVBoxLayout;
    tipColumn->addWidget(heading);
    tipColumn->addWidget(lblTipText, 1);
    auto* tipRow = new QHBoxLayout;
    tipRow->addWidget(picture);
    tipRow->addLayout(tipColumn, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(chkLoadTipsAtStartup);
    buttonRow->addStretch();
    buttonRow->addWidget(cmdNextTip);
    buttonRow->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tipRow, 1);
    layout->addLayout(buttonRow);

    // The choice is stored the moment it changes, also when ticked below.
    connect(chkLoadTipsAtStartup, &QCheckBox::toggled, this,
            [this](bool ticked) { m_settings.setShowTipsAtStartup(ticked); });
    connect(cmdNextTip, &QPushButton::clicked, this, &frmTipOfDay::ShowRandomTip);
    connect(cmdOK, &QPushButton::clicked, this, [this] { ChildFrame::closeHolding(*this); });
    // As in a dialog: Enter presses the button that has the focus, else OK.
    cmdNextTip->setAutoDefault(true);
    cmdOK->setAutoDefault(true);
    cmdOK->setDefault(true);

    // Ticked whatever was stored: opening the tips asks for them again at
    // the next start unless the user unticks the box.
    chkLoadTipsAtStartup->setChecked(true);
    m_random.seed(static_cast<quint32>(programClock().now().toMSecsSinceEpoch()));
    LoadTips();
}

QStringList frmTipOfDay::readTips() {
    QStringList tips;
    try {
        if (!gcnnStore)
            throw ProgramError::objectNotSet();
        tips = Register(*gcnnStore).tips();
    } catch (const ProgramError& error) {
        // The window still opens, without tips.
        showErrorWithSource(error.description(), QStringLiteral("frmTipOfDay::LoadTips"));
    }
    return tips;
}

bool frmTipOfDay::LoadTips() {
    mcolTips = readTips();
    ShowRandomTip();
    return true;
}

void frmTipOfDay::DisplayCurrentTip() {
    if (!mcolTips.isEmpty())
        lblTipText->setText(mcolTips.at(mlngCurrentTip - 1));
}

void frmTipOfDay::ShowRandomTip() {
    mlngCurrentTip = static_cast<int>(m_random.generateDouble() * mcolTips.size() + 1);
    DisplayCurrentTip();
}

void frmTipOfDay::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool close = event->key() == Qt::Key_Escape ||
                       event->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_F4);
    if (enter || close) {
        cmdOK->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmTipOfDay::activated() {
    if (m_debugTraces)
        showBare(QStringLiteral("activate of tip of day"));
}
