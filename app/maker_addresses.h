#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// Every address of the maker that the program opens, kept in one place.

inline QUrl makerHomePage() {
    return QUrl(QStringLiteral("https://www.calvane.example/"));
}

inline QUrl productDownloadPage() {
    return QUrl(QStringLiteral("https://www.calvane.example/calvane-lt/download"));
}

inline QUrl bugReportPage() {
    return QUrl(QStringLiteral("https://www.calvane.example/calvane-lt/bugs"));
}

inline QUrl technicalSupportMail() {
    return QUrl(QStringLiteral("mailto:support@calvane.example?subject=Calvane%20Lt"));
}

struct WebLink {
    QString caption;
    QUrl address;
};

// The links of the Help menu's web submenu, in menu order.
inline QList<WebLink> makerWebLinks() {
    return {
        {QStringLiteral("Calvane &Home Page"), makerHomePage()},
        {QStringLiteral("&Download the Latest Version"), productDownloadPage()},
        {QStringLiteral("Draft Survey &Guides"),
         QUrl(QStringLiteral("https://www.calvane.example/calvane-lt/guides"))},
        {QStringLiteral("&Frequently Asked Questions"),
         QUrl(QStringLiteral("https://www.calvane.example/calvane-lt/faq"))},
    };
}
