#include "frm_about.h"

#include "connection.h"
#include "desktop_launcher.h"
#include "maker_addresses.h"
#include "program_emblem.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// A label that opens its address, by mouse or by keyboard, under a hand
// cursor.
QLabel* makeLink(const QString& name, const QString& text, const QUrl& address, QWidget* parent) {
    const QString anchor = QStringLiteral("<a href=\"%1\">%2</a>")
                               .arg(address.toString().toHtmlEscaped(), text.toHtmlEscaped());
    QLabel* link = makeLabel(name, anchor, parent);
    link->setTextFormat(Qt::RichText);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setCursor(Qt::PointingHandCursor);
    QObject::connect(link, &QLabel::linkActivated, link,
                     [](const QString& target) { openAddress(QUrl(target)); });
    return link;
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Calvane Lt"));

    QLabel* image = makeLabel(QStringLiteral("Image2"), QString(), this);
    image->setPixmap(programEmblem(96));
    image->setAlignment(Qt::AlignTop);

    QLabel* title = makeLabel(QStringLiteral("lblTitle"), QStringLiteral("Calvane Lt"), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2);
    title->setFont(titleFont);
    // A fixed text: the version of this edition, not read from the build.
    QLabel* version = makeLabel(QStringLiteral("lblVersion"), QStringLiteral("Version: 1.0"), this);
    QLabel* purpose = makeLabel(QStringLiteral("lblPurpose"),
                                QStringLiteral("The draft survey workstation for surveyors\n"
                                               "and ships' chief officers."),
                                this);
    QLabel* copyright = makeLabel(QStringLiteral("lblCopyright"),
                                  QStringLiteral("Copyright \u00a9 Calvane Marine Software.\n"
                                                 "All rights reserved."),
                                  this);
    // Which DS.dat is in use: beside the program or the user's own.
    const QString registerFile =
        gcnnStore && gcnnStore->isOpen() ? gcnnStore->connectionText() : QString();
    QLabel* registerInUse =
        makeLabel(QStringLiteral("lblRegister"),
                  registerFile.isEmpty() ? QStringLiteral("Register: none open")
                                         : QStringLiteral("Register: ") + registerFile,
                  this);
    registerInUse->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QLabel* download =
        makeLink(QStringLiteral("Label1"), QStringLiteral("Download the latest version"),
                 productDownloadPage(), this);
    QLabel* home = makeLink(QStringLiteral("Label3"), QStringLiteral("www.calvane.example"),
                            makerHomePage(), this);

    auto* cmdContinue = new QPushButton(QStringLiteral("&Continue"), this);
    cmdContinue->setObjectName(QStringLiteral("cmdContinue"));
    cmdContinue->setDefault(true);
    connect(cmdContinue, &QPushButton::clicked, this, &QDialog::accept);
    cmdContinue->setFocus();

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(version);
    text->addSpacing(8);
    text->addWidget(purpose);
    text->addSpacing(8);
    text->addWidget(registerInUse);
    text->addSpacing(8);
    text->addWidget(download, 0, Qt::AlignLeft);
    text->addWidget(home, 0, Qt::AlignLeft);
    text->addSpacing(8);
    text->addWidget(copyright);
    auto* top = new QHBoxLayout;
    top->addWidget(image);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdContinue);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
