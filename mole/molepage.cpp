#include "mole/molepage.h"

#include "base/errorreport.h"
#include "base/look.h"
#include "catalogue/cataloguewidgets.h"
#include "mole/moleitems.h"

#include <QCoreApplication>
#include <QTabWidget>

QString faceMoleName(const CatalogueItem &item)
{
    return item.Title.trimmed();
}

QString bodyMoleName(const CatalogueItem &item)
{
    static const QString clauseEnds = QStringLiteral("，。：；");
    const QString &text = item.Analysis;
    qsizetype end = 0;
    while (end < text.size() && !clauseEnds.contains(text[end]))
        ++end;
    QString name = text.left(end);
    for (const QString &mole : {QCoreApplication::translate("MolePage", "有痣"),
                                QCoreApplication::translate("MolePage", "长痣"),
                                QCoreApplication::translate("MolePage", "生痣")}) {
        const qsizetype at = name.indexOf(mole);
        if (at > 0) {
            name.truncate(at);
            break;
        }
    }
    return name;
}

namespace {

// The tab set's top 8 pixels lie above the page, out of sight.
constexpr QRect kPageControl3{0, -8, 633, 417};
// The title and the caption rest here, over the top of their memo; a face mole's title moves
// up and left to make room for its name.
constexpr QPoint kRest{448, 32};
constexpr QPoint kFaceTitle{420, 27};

// The face moles: buttons and indicator inside the frame, 15 pictures a page.
constexpr CataloguePageTable kFacePage{
    .caption = QT_TRANSLATE_NOOP("Catalogue", "  面痣  "),
    .frameCaption = QT_TRANSLATE_NOOP("Catalogue", " 选择痣相图 "),
    .frame = {"GroupBox9", PlacedIn::Page, {4, 8, 360, 377}},
    .previous = {"BitBtn13", PlacedIn::Frame, {184, 331, 75, 25}},
    .next = {"BitBtn14", PlacedIn::Frame, {270, 331, 75, 25}},
    .indicator = {"s8", PlacedIn::Frame, {128, 337, 0, 0}},
    .memo = {"m8", PlacedIn::Page, {370, 14, 245, 369}},
    .grid = {.first = {3, 24}, .pitch = {71, 93}, .size = {70, 92}, .columns = 5, .rows = 3},
    .indicatorPixels = 13,
    .memoPixels = 24,
    .memoColour = base::Cream,
    .naming = faceMoleName,
};

// The body moles: buttons and indicator on the page below the memo, 6 pictures a page.
constexpr CataloguePageTable kBodyPage{
    .caption = QT_TRANSLATE_NOOP("Catalogue", "  身痣  "),
    .frameCaption = QT_TRANSLATE_NOOP("Catalogue", " 选择痣相图 "),
    .frame = {"GroupBox10", PlacedIn::Page, {4, 8, 368, 377}},
    .previous = {"BitBtn15", PlacedIn::Page, {450, 352, 75, 25}},
    .next = {"BitBtn16", PlacedIn::Page, {536, 352, 75, 25}},
    .indicator = {"s9", PlacedIn::Page, {396, 360, 0, 0}},
    .memo = {"m9", PlacedIn::Page, {376, 14, 239, 323}},
    .grid = {.first = {3, 16}, .pitch = {121, 178}, .size = {120, 177}, .columns = 3, .rows = 2},
    .indicatorPixels = 13,
    .memoPixels = 29,
    .memoColour = base::Cream,
    .naming = bodyMoleName,
};

// Items keyed by their picture control, "g01" ... or "k01" ...; the key comes from the place in
// the table, so an item's control exists even before its text is written.
template<std::size_t N>
QList<CatalogueItem> itemsOf(const std::array<MoleItem, N> &moles, MoleKind kind)
{
    // The tables' texts are marked in these contexts.
    const char *context = kind == MoleKind::Face ? "FaceMoles" : "BodyMoles";
    QList<CatalogueItem> items;
    for (std::size_t i = 0; i < N; ++i) {
        const int number = int(i) + 1;
        items << CatalogueItem{moleItemKey(kind, number), molePicturePath(kind, number),
                               QCoreApplication::translate(context, moles[i].analysis),
                               QCoreApplication::translate(context, moles[i].title)};
    }
    return items;
}

CatalogueSetup moleSetup(QList<CatalogueItem> items, const CataloguePageTable &page, int indent)
{
    // Both mole memos stay empty at rest: the title or caption says "[评析]" instead.
    return {.Items = std::move(items),
            .Slots = slotRects(page.grid),
            .Indent = indent,
            .StartText = {},
            .ResetText = {}};
}

// "[评析]" in cream over the top of a mole memo, in the memo's large type.
QLabel *restingLabel(const char *name, const QString &accessibleName, QWidget *page)
{
    auto *label = new QLabel(QCoreApplication::translate("MolePage", "[评析]"), page);
    label->setObjectName(QString::fromLatin1(name));
    label->setAccessibleName(accessibleName);
    label->setFont(base::songFont(29));
    base::setCreamWindow(label);
    label->adjustSize();
    label->move(kRest);
    return label;
}

QWidget *molePage(const char *name, const QString &accessibleName)
{
    auto *page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    page->setAccessibleName(accessibleName);
    page->setAutoFillBackground(true);
    return page;
}

} // namespace

// A click names the mole in the title s7, moved over the memo; a reset puts "[评析]" back at rest.
class FaceMoleCatalogue : public CatalogueWidgets
{
public:
    explicit FaceMoleCatalogue(QWidget *page)
        : CatalogueWidgets(page, kFacePage,
                           moleSetup(itemsOf(faceMoles(), MoleKind::Face), kFacePage, 44))
        , s7(restingLabel("s7", QCoreApplication::translate("MolePage", "痣名"), page)) // above m8
    {}

    void beforeAnalysis(const CatalogueItem &item) override
    {
        // The title keeps its leading spaces: they line the name up over the memo.
        s7->setText(item.Title);
        s7->adjustSize();
        s7->move(kFaceTitle);
    }
    void beforeReset() override { s7->move(kRest); }
    void afterReset() override
    {
        s7->setText(QCoreApplication::translate("MolePage", "[评析]"));
        s7->adjustSize();
    }

    QLabel *const s7;
};

// A click hides the caption s10 that lies over the memo; a reset shows it again.
class BodyMoleCatalogue : public CatalogueWidgets
{
public:
    explicit BodyMoleCatalogue(QWidget *page)
        : CatalogueWidgets(page, kBodyPage,
                           moleSetup(itemsOf(bodyMoles(), MoleKind::Body), kBodyPage, 20))
        , s10(restingLabel("s10", QCoreApplication::translate("MolePage", "评析"),
                           page)) // above m9
    {}

    void beforeAnalysis(const CatalogueItem &) override { s10->hide(); }
    void afterReset() override { s10->show(); }

    QLabel *const s10;
};

MolePage::MolePage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet10"));
    setAccessibleName(QCoreApplication::translate("MolePage", "看痣相"));

    PageControl3 = new QTabWidget(this);
    PageControl3->setGeometry(kPageControl3);
    PageControl3->setObjectName(QStringLiteral("PageControl3"));
    PageControl3->setAccessibleName(QCoreApplication::translate("MolePage", "痣相"));
    PageControl3->setTabPosition(QTabWidget::South);

    TabSheet12 = molePage("TabSheet12", QCoreApplication::translate("MolePage", "面痣"));
    m_face = new FaceMoleCatalogue(TabSheet12);
    s7 = m_face->s7;
    PageControl3->addTab(TabSheet12, QCoreApplication::translate("Catalogue", kFacePage.caption));
    TabSheet11 = molePage("TabSheet11", QCoreApplication::translate("MolePage", "身痣"));
    m_body = new BodyMoleCatalogue(TabSheet11);
    s10 = m_body->s10;
    PageControl3->addTab(TabSheet11, QCoreApplication::translate("Catalogue", kBodyPage.caption));
    PageControl3->setCurrentIndex(0);

    // Wired last, so that building the tab set resets nothing.
    base::connectGuarded(PageControl3, &QTabWidget::currentChanged, this,
                         [this] { PageControl3Change(); });
}

ReadingInFront MolePage::keptReading() const
{
    const bool face = PageControl3->currentWidget() == TabSheet12;
    const PictureCatalogue &shown = face ? m_face->catalogue() : m_body->catalogue();
    const int item = shown.selectedItem();
    if (item < 0)
        return {std::nullopt, tr("先点选一颗痣，才有可保存的解读。")};
    const CatalogueItem &chosen = shown.Items().at(item);
    KeptReading kept;
    kept.title = face ? tr("看痣相·面痣") : tr("看痣相·身痣");
    kept.subject = face ? faceMoleName(chosen) : bodyMoleName(chosen);
    kept.text = chosen.Analysis.trimmed();
    kept.picture = chosen.Picture;
    kept.fileStem = tr("痣相_%1").arg(kept.subject);
    return {kept, {}};
}

void MolePage::setStartTexts()
{
    m_face->catalogue().showStartText();
    m_body->catalogue().showStartText();
}

void MolePage::PageControl3Change()
{
    m_face->catalogue().ResetAnalysis();
    m_body->catalogue().ResetAnalysis();
}

PictureCatalogue &MolePage::faceCatalogue()
{
    return m_face->catalogue();
}

PictureCatalogue &MolePage::bodyCatalogue()
{
    return m_body->catalogue();
}
