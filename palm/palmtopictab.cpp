#include "palm/palmtopictab.h"

#include <QCoreApplication>

#include "base/look.h"

QString palmPictureName(const CatalogueItem &item)
{
    static const QString clauseEnds = QStringLiteral("，。：；");
    const QString &text = item.Analysis;
    qsizetype end = 0;
    while (end < text.size() && !clauseEnds.contains(text[end]))
        ++end;
    return text.left(end);
}

namespace {

// Where everything stands, the same on all six tabs; only the names differ.
constexpr CataloguePageTable palmTopicPage(const char *caption, const char *frame,
                                           const char *previous, const char *next,
                                           const char *indicator, const char *memo)
{
    return {
        .caption = caption,
        .frameCaption = QT_TRANSLATE_NOOP("Catalogue", " 选择手相图 "),
        .frame = {frame, PlacedIn::Page, {4, 8, 410, 377}},
        .previous = {previous, PlacedIn::Frame, {224, 336, 75, 25}},
        .next = {next, PlacedIn::Frame, {312, 336, 75, 25}},
        .indicator = {indicator, PlacedIn::Frame, {160, 342, 38, 17}},
        .memo = {memo, PlacedIn::Page, {420, 14, 195, 369}},
        .grid
        = {.first = {3, 24}, .pitch = {101, 143}, .size = {100, 142}, .columns = 4, .rows = 2},
        .indicatorPixels = 13,
        .memoPixels = 29,
        .memoColour = base::Cream,
        .naming = palmPictureName,
    };
}

constexpr int kIndent = 4;

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
        items << CatalogueItem{
            palmItemKey(n),
            palmPicturePath(n),
            QCoreApplication::translate("PalmItems", palmItems()[std::size_t(n - 1)].analysis),
            {}};
    return items;
}

} // namespace

const std::array<PalmTopicTable, 6> PalmTopicTabs = {{
    {PalmTopic::Career, "TabSheet3",
     palmTopicPage(QT_TRANSLATE_NOOP("Catalogue", "从手相看事业"), "GroupBox3", "BitBtn2",
                   "BitBtn3", "s3", "m2")},
    {PalmTopic::Wealth, "TabSheet4",
     palmTopicPage(QT_TRANSLATE_NOOP("Catalogue", "从手相看财运"), "GroupBox4", "BitBtn1",
                   "BitBtn4", "s2", "m3")},
    {PalmTopic::Love, "TabSheet5",
     palmTopicPage(QT_TRANSLATE_NOOP("Catalogue", "从手相看感情"), "GroupBox5", "BitBtn5",
                   "BitBtn6", "s1", "m4")},
    {PalmTopic::Family, "TabSheet6",
     palmTopicPage(QT_TRANSLATE_NOOP("Catalogue", "从手相看家庭"), "GroupBox6", "BitBtn7",
                   "BitBtn8", "s4", "m5")},
    {PalmTopic::Wisdom, "TabSheet7",
     palmTopicPage(QT_TRANSLATE_NOOP("Catalogue", "从手相看智慧"), "GroupBox7", "BitBtn9",
                   "BitBtn10", "s5", "m6")},
    {PalmTopic::WomensHealth, "TabSheet8",
     palmTopicPage(QT_TRANSLATE_NOOP("Catalogue", "从手相看妇女健康"), "GroupBox8", "BitBtn11",
                   "BitBtn12", "s6", "m7")},
}};

PalmTopicTab::PalmTopicTab(const PalmTopicTable &table, QWidget *parent)
    : QWidget(parent)
    , m_table(table)
{
    setObjectName(QString::fromLatin1(table.sheet));
    setAccessibleName(caption());
    setAutoFillBackground(true);

    m_widgets = new CatalogueWidgets(this, table.page,
                                     {
                                         .Items = itemsOf(table.topic),
                                         .Slots = slotRects(table.page.grid),
                                         .Indent = kIndent,
                                         .StartText = QString(17, u' ') + tr("[评析]"),
                                         .ResetText = QString(16, u' ') + tr("[评析]"),
                                     });
}

QString PalmTopicTab::caption() const
{
    return QCoreApplication::translate("Catalogue", m_table.page.caption);
}

ReadingInFront PalmTopicTab::keptReading() const
{
    const PictureCatalogue &shown = m_widgets->catalogue();
    const int item = shown.selectedItem();
    if (item < 0)
        return {std::nullopt, tr("先点选一幅手相图，才有可保存的解读。")};
    const CatalogueItem &chosen = shown.Items().at(item);
    KeptReading kept;
    kept.title = tr("看手相·%1").arg(caption());
    kept.subject = palmPictureName(chosen);
    kept.text = chosen.Analysis.trimmed();
    kept.picture = chosen.Picture;
    kept.fileStem = tr("手相_%1").arg(kept.subject);
    return {kept, {}};
}

PictureCatalogue &PalmTopicTab::catalogue()
{
    return m_widgets->catalogue();
}

QLabel *PalmTopicTab::image(int number) const
{
    return m_widgets->picture(number - rangeOf(m_table.topic).first);
}
