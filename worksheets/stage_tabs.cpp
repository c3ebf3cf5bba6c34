#include "stage_tabs.h"

#include <QShortcut>
#include <QTabBar>
#include <utility>

StageTabs::StageTabs(QTabBar& tabs, QWidget& window) : QObject(&tabs), m_tabs(tabs) {
    // Alt+I and Alt+N, which no menu takes.
    m_tabs.addTab(QStringLiteral("&Initial"));
    m_tabs.addTab(QStringLiteral("Fi&nal"));
    // A bar not shown yet keeps the height it had without tabs until told.
    m_tabs.updateGeometry();
    m_shown = m_tabs.currentIndex();
    connect(&m_tabs, &QTabBar::currentChanged, this, &StageTabs::tabChanged);
    // The other tab from the keyboard, as tabbed windows elsewhere take it.
    const std::pair<QKeyCombination, int> tabKeys[] = {{Qt::CTRL | Qt::Key_Tab, 1},
                                                       {Qt::CTRL | Qt::Key_PageDown, 1},
                                                       {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1},
                                                       {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
                                                       {Qt::CTRL | Qt::Key_PageUp, -1}};
    for (const auto& [keys, step] : tabKeys) {
        auto* shortcut = new QShortcut(QKeySequence(keys), &window);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { stepTab(step); });
    }
}

Stage StageTabs::shown() const {
    return Stage(m_tabs.currentIndex() < 0 ? 0 : m_tabs.currentIndex());
}

void StageTabs::show(Stage stage) {
    m_tabs.setCurrentIndex(int(stage));
}

void StageTabs::goBack() {
    m_goingBack = true;
    m_tabs.setCurrentIndex(m_left);
}

void StageTabs::tabChanged(int index) {
    m_left = std::exchange(m_shown, index);
    if (std::exchange(m_goingBack, false))
        return;
    if (changed)
        changed(Stage(m_left), Stage(index));
}

void StageTabs::stepTab(int step) {
    m_tabs.setCurrentIndex((m_tabs.currentIndex() + step + m_tabs.count()) % m_tabs.count());
}
