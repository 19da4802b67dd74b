#pragma once

// One of the six palm topic sub-tabs ("从手相看事业" ... "从手相看妇女健康"): a frame of palm
// pictures paged eight at a time, the two page buttons, the page indicator and the reading memo.
// The six differ only in their items and in the names of their controls.

#include "catalogue/cataloguewidgets.h"
#include "keep/readingcard.h"
#include "palm/palmitems.h"

#include <QWidget>

#include <array>

// One topic tab: its sub-tab's name and the table its catalogue page is built from.
struct PalmTopicTable
{
    PalmTopic topic;
    const char *sheet;
    CataloguePageTable page;
};

// What a screen reader, and a kept reading, call a palm picture: its analysis up to the first
// comma or stop, "事业纹直上离宫之人".
QString palmPictureName(const CatalogueItem &item);

// The six topics in tab order.
extern const std::array<PalmTopicTable, 6> PalmTopicTabs;

class PalmTopicTab : public QWidget
{
    Q_OBJECT
public:
    explicit PalmTopicTab(const PalmTopicTable &table, QWidget *parent = nullptr);

    QString caption() const;
    // The chosen picture with its analysis, or why there is none yet.
    ReadingInFront keptReading() const;
    PictureCatalogue &catalogue();
    // The picture of ImageN, N in this topic's range.
    QLabel *image(int number) const;

private:
    PalmTopicTable m_table;
    CatalogueWidgets *m_widgets = nullptr;
};
