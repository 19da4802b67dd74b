#include "palm/palmpage.h"

#include "base/errorreport.h"
#include "catalogue/picturecatalogue.h"
#include "palm/palmintropage.h"
#include "palm/palmtopictab.h"

#include <QTabBar>
#include <QTabWidget>

namespace {
// The tab set's top 8 pixels lie above the page, out of sight.
constexpr QRect kPageControl2{0, -8, 633, 417};
} // namespace

PalmPage::PalmPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet2"));
    setAccessibleName(tr("看手相"));

    PageControl2 = new QTabWidget(this);
    PageControl2->setGeometry(kPageControl2);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    PageControl2->setAccessibleName(tr("手相"));
    PageControl2->setTabPosition(QTabWidget::South);
    // Tabs as narrow as a classic Windows tab control's, so that all seven fit on one row.
    PageControl2->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 5px; }"));

    TabSheet9 = new PalmIntroPage;
    PageControl2->addTab(TabSheet9, tr("手相简介"));
    for (std::size_t i = 0; i < PalmTopicTabs.size(); ++i) {
        m_topics[i] = new PalmTopicTab(PalmTopicTabs[i]);
        PageControl2->addTab(m_topics[i], m_topics[i]->caption());
    }
    TabSheet3 = m_topics[0];
    TabSheet4 = m_topics[1];
    TabSheet5 = m_topics[2];
    TabSheet6 = m_topics[3];
    TabSheet7 = m_topics[4];
    TabSheet8 = m_topics[5];
    PageControl2->setCurrentIndex(0);

    // Wired last, so that building the tab set resets nothing.
    base::connectGuarded(PageControl2, &QTabWidget::currentChanged, this,
                         [this] { PageControl2Change(); });
}

void PalmPage::showIntroduction(const QByteArray &bytes)
{
    TabSheet9->showIntroduction(bytes);
}

ReadingInFront PalmPage::keptReading() const
{
    const auto *topic = qobject_cast<const PalmTopicTab *>(PageControl2->currentWidget());
    if (!topic)
        return {std::nullopt, tr("手相学介绍里没有可保存的解读：请到一个手相分类里点选一幅图。")};
    return topic->keptReading();
}

void PalmPage::setStartTexts()
{
    for (PalmTopicTab *tab : m_topics)
        tab->catalogue().showStartText();
}

void PalmPage::PageControl2Change()
{
    for (PalmTopicTab *tab : m_topics)
        tab->catalogue().ResetAnalysis();
}

PalmTopicTab *PalmPage::topicTab(PalmTopic topic) const
{
    return m_topics.at(std::size_t(topic));
}

QLabel *PalmPage::image(int number) const
{
    for (const PalmTopicRange &range : PalmTopics)
        if (number >= range.first && number <= range.last)
            return topicTab(range.topic)->image(number);
    return nullptr;
}
