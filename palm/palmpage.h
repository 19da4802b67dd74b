#pragma once

// The second tab, " 看手相 ": the palm tab set PageControl2 with the introduction page and the six
// topic catalogues. Any change of sub-tab puts all six readings back to their placeholder.

#include "keep/readingcard.h"
#include "palm/palmitems.h"

#include <QWidget>

class PalmIntroPage;
class PalmTopicTab;
class QLabel;
class QTabWidget;

class PalmPage : public QWidget
{
    Q_OBJECT
public:
    explicit PalmPage(QWidget *parent = nullptr);

    // Start-up step: the introduction page shows the bytes read from its file (see
    // PalmIntroPage::showIntroduction).
    void showIntroduction(const QByteArray &bytes);
    // Start-up step: the six topic memos get their start text.
    void setStartTexts();
    // The sub-tab changed: every topic memo, m2 to m7 in turn, gets the reset text.
    void PageControl2Change();

    // What the File menu keeps: the chosen picture of the topic in front.
    ReadingInFront keptReading() const;

    PalmTopicTab *topicTab(PalmTopic topic) const;
    // The picture ImageN, 1 <= N <= 217.
    QLabel *image(int number) const;

    QTabWidget *PageControl2 = nullptr;
    PalmIntroPage *TabSheet9 = nullptr;
    PalmTopicTab *TabSheet3 = nullptr;
    PalmTopicTab *TabSheet4 = nullptr;
    PalmTopicTab *TabSheet5 = nullptr;
    PalmTopicTab *TabSheet6 = nullptr;
    PalmTopicTab *TabSheet7 = nullptr;
    PalmTopicTab *TabSheet8 = nullptr;

private:
    std::array<PalmTopicTab *, 6> m_topics{};
};
