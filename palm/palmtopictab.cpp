#include "palm/palmtopictab.h"

#include "base/look.h"
#include "catalogue/cataloguewidgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// Where everything stands, the same on all six tabs.
constexpr QRect kFrame{4, 8, 410, 377};       // in the tab
constexpr QRect kPrevious{224, 336, 75, 25};  // in the frame
constexpr QRect kNext{312, 336, 75, 25};      // in the frame
constexpr QRect kIndicator{160, 342, 38, 17}; // in the frame
constexpr QRect kMemo{420, 14, 195, 369};     // in the tab
constexpr int kSlotX[] = {3, 104, 205, 306};  // picture columns in the frame, 100 wide
constexpr int kSlotY[] = {24, 167};           // picture rows in the frame, 142 high
constexpr QSize kSlotSize{100, 142};

constexpr int kIndent = 4;

QList<QRect> palmSlots()
{
    QList<QRect> grid;
    for (int y : kSlotY)
        for (int x : kSlotX)
            grid << QRect(QPoint(x, y), kSlotSize);
    return grid;
}

PalmTopicRange rangeOf(PalmTopic topic)
{
    for (const PalmTopicRange &range : PalmTopics)
        if (range.topic == topic)
            return range;
    return {};
}

QList<CatalogueItem> itemsOf(PalmTopic topic)
{
    const PalmTopicRange range = rangeOf(topic);
    QList<CatalogueItem> items;
    for (int n = range.first; n <= range.last; ++n)
        items << CatalogueItem{palmItemKey(n),
                               QStringLiteral(":/pictures/palm/Image%1.jpg").arg(n),
                               QString::fromUtf8(palmItems()[std::size_t(n - 1)].analysis),
                               {}};
    return items;
}

} // namespace

const std::array<PalmTopicNames, 6> PalmTopicTabs = {{
    {PalmTopic::Career, "TabSheet3", "从手相看事业", "GroupBox3", "BitBtn2", "BitBtn3", "s3", "m2"},
    {PalmTopic::Wealth, "TabSheet4", "从手相看财运", "GroupBox4", "BitBtn1", "BitBtn4", "s2", "m3"},
    {PalmTopic::Love, "TabSheet5", "从手相看感情", "GroupBox5", "BitBtn5", "BitBtn6", "s1", "m4"},
    {PalmTopic::Family, "TabSheet6", "从手相看家庭", "GroupBox6", "BitBtn7", "BitBtn8", "s4", "m5"},
    {PalmTopic::Wisdom, "TabSheet7", "从手相看智慧", "GroupBox7", "BitBtn9", "BitBtn10", "s5",
     "m6"},
    {PalmTopic::WomensHealth, "TabSheet8", "从手相看妇女健康", "GroupBox8", "BitBtn11", "BitBtn12",
     "s6", "m7"},
}};

PalmTopicTab::PalmTopicTab(const PalmTopicNames &names, QWidget *parent)
    : QWidget(parent)
    , m_names(names)
{
    setObjectName(QString::fromLatin1(names.sheet));
    setAccessibleName(caption());
    setAutoFillBackground(true);

    frame = new QGroupBox(QStringLiteral(" 选择手相图 "), this);
    frame->setGeometry(kFrame);
    previous = new QPushButton(QStringLiteral("上一页"), frame);
    previous->setGeometry(kPrevious);
    next = new QPushButton(QStringLiteral("下一页"), frame);
    next->setGeometry(kNext);
    indicator = new QLabel(frame);
    indicator->setGeometry(kIndicator);
    memo = new QPlainTextEdit(this);
    memo->setGeometry(kMemo);

    frame->setObjectName(QString::fromLatin1(names.frame));
    frame->setAccessibleName(QStringLiteral("选择手相图"));
    previous->setObjectName(QString::fromLatin1(names.previous));
    previous->setAccessibleName(QStringLiteral("上一页"));
    next->setObjectName(QString::fromLatin1(names.next));
    next->setAccessibleName(QStringLiteral("下一页"));
    indicator->setObjectName(QString::fromLatin1(names.indicator));
    indicator->setAccessibleName(QStringLiteral("页码"));
    indicator->setFont(base::songFont(13));
    memo->setObjectName(QString::fromLatin1(names.memo));
    memo->setAccessibleName(QStringLiteral("评析"));
    memo->setReadOnly(true);
    memo->setTabChangesFocus(true);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setFont(base::songFont(29));
    base::setBaseColour(memo, base::Cream);
    setTabOrder(previous, next);
    setTabOrder(next, memo);

    m_widgets = new CatalogueWidgets(
        {
            .Items = itemsOf(names.topic),
            .Slots = palmSlots(),
            .Indent = kIndent,
            .StartText = QString(17, u' ') + QStringLiteral("[评析]"),
            .ResetText = QString(16, u' ') + QStringLiteral("[评析]"),
        },
        {frame, previous, next, indicator, memo, caption()}, this);
    // Never the control's name: the memo is born with its start text.
    m_widgets->catalogue().showStartText();
}

QString PalmTopicTab::caption() const
{
    return QString::fromUtf8(m_names.caption);
}

PictureCatalogue &PalmTopicTab::catalogue()
{
    return m_widgets->catalogue();
}

QLabel *PalmTopicTab::image(int number) const
{
    return m_widgets->picture(number - rangeOf(m_names.topic).first);
}
