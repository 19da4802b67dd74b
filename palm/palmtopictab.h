#pragma once

// One of the six palm topic sub-tabs ("从手相看事业" ... "从手相看妇女健康"): a frame of palm
// pictures paged eight at a time, the two page buttons, the page indicator and the reading memo.
// The six differ only in their items and in the names of their controls.

#include "palm/palmitems.h"

#include <QWidget>

class CatalogueWidgets;
class PictureCatalogue;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The names one topic tab gives its controls.
struct PalmTopicNames
{
    PalmTopic topic;
    const char *sheet;     // the sub-tab
    const char *caption;   // its tab caption
    const char *frame;     // the group box of pictures
    const char *previous;  // "上一页"
    const char *next;      // "下一页"
    const char *indicator; // "1/6页"
    const char *memo;      // the reading
};

// The six topics in tab order.
extern const std::array<PalmTopicNames, 6> PalmTopicTabs;

class PalmTopicTab : public QWidget
{
    Q_OBJECT
public:
    explicit PalmTopicTab(const PalmTopicNames &names, QWidget *parent = nullptr);

    QString caption() const;
    PictureCatalogue &catalogue();
    // The picture of ImageN, N in this topic's range.
    QLabel *image(int number) const;

    QGroupBox *frame = nullptr;
    QPushButton *previous = nullptr;
    QPushButton *next = nullptr;
    QLabel *indicator = nullptr;
    QPlainTextEdit *memo = nullptr;

private:
    PalmTopicNames m_names;
    CatalogueWidgets *m_widgets = nullptr;
};
