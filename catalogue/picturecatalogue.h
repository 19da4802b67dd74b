#pragma once

// A paged picture catalogue: its items split into pages of PageSize, one page shown at a time,
// two page buttons, a page indicator and an analysis memo. The eight catalogues of the palm and
// mole tabs all run on this class. It holds the paging state only and tells a CatalogueView what
// to change, one control at a time and in a fixed order, so it can be tested without a widget.

#include <QList>
#include <QRect>
#include <QString>

struct CatalogueItem
{
    QString Key;      // name of the item's picture control ("Image1", "g01", "k18")
    QString Picture;  // resource path of its JPEG
    QString Analysis; // one paragraph, shown after the catalogue's Indent
    QString Title;    // only the face moles have one
};

// Slots in a regular grid, numbered row by row, left to right, top row first.
struct SlotGrid
{
    QPoint first; // top-left corner of slot 0
    QSize pitch;  // from one column, and one row, to the next
    QSize size;   // of one slot
    int columns = 1;
    int rows = 1;
};
QList<QRect> slotRects(const SlotGrid &grid);

// "2/6页"
QString pageIndicator(int page, int pageCount);

// Everything a catalogue is built from; written with designated initialisers.
struct CatalogueSetup
{
    QList<CatalogueItem> Items; // in page order
    QList<QRect> Slots;         // places of the pictures in the frame; one per item of a page
    int Indent = 0;             // spaces written before an item's Analysis
    QString StartText;          // memo text from start-up to the first sub-tab change
    QString ResetText;          // memo text after every sub-tab change
};

// What a catalogue changes on screen. Items and slots are 0-based indexes.
class CatalogueView
{
public:
    virtual ~CatalogueView() = default;

    virtual void showPicture(int item, int slot) = 0;
    virtual void hidePicture(int item) = 0;
    virtual void setPreviousEnabled(bool enabled) = 0;
    virtual void setNextEnabled(bool enabled) = 0;
    virtual void setIndicator(const QString &text) = 0;
    virtual void setMemoText(const QString &text) = 0;

    // Room for the mole catalogues' own controls: the face moles move a title text and the body
    // moles hide a caption before the analysis is written, and put them back around the reset.
    virtual void beforeAnalysis(const CatalogueItem &item) { Q_UNUSED(item); }
    virtual void beforeReset() {}
    virtual void afterReset() {}
};

class PictureCatalogue
{
public:
    // Throws std::invalid_argument when the setup has no slots: such a catalogue can't page.
    explicit PictureCatalogue(CatalogueSetup setup);

    const QList<CatalogueItem> &Items() const { return m_setup.Items; }
    const QList<QRect> &Slots() const { return m_setup.Slots; }
    int PageSize() const { return int(m_setup.Slots.size()); }
    int PageCount() const { return m_pageCount; }
    int CurrentPage() const { return m_currentPage; }

    // Page p (1-based) holds the items firstItemOf(p) to firstItemOf(p) + itemCountOf(p) - 1.
    int firstItemOf(int page) const;
    int itemCountOf(int page) const;
    int pageOf(int item) const;
    int slotOf(int item) const;
    int indexOf(const QString &key) const; // -1 when no item has that key

    bool previousEnabled() const { return m_currentPage > 1; }
    bool nextEnabled() const { return m_currentPage < m_pageCount; }
    QString indicatorText() const; // "3/6页"
    QString memoTextOf(int item) const;
    // The item whose analysis the memo shows, or -1 while it shows a start or reset text.
    int selectedItem() const { return m_selected; }

    // The view gets every change from now on; the catalogue does not own it.
    void setView(CatalogueView *view) { m_view = view; }
    // Puts the view in step with the current page: pictures, buttons and indicator.
    void showPageState();
    void showStartText();

    void NextPage();
    void PreviousPage();
    void SelectItem(int item);
    void ResetAnalysis();

private:
    void turnPage(int to);

    CatalogueSetup m_setup;
    int m_pageCount = 0;
    int m_currentPage = 1;
    int m_selected = -1;
    CatalogueView *m_view = nullptr;
};
