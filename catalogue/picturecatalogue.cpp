#include "catalogue/picturecatalogue.h"

#include <QCoreApplication>

#include <algorithm>
#include <stdexcept>
#include <utility>

QList<QRect> slotRects(const SlotGrid &grid)
{
    QList<QRect> rects;
    for (int row = 0; row < grid.rows; ++row)
        for (int column = 0; column < grid.columns; ++column)
            rects << QRect(grid.first
                               + QPoint(column * grid.pitch.width(), row * grid.pitch.height()),
                           grid.size);
    return rects;
}

PictureCatalogue::PictureCatalogue(CatalogueSetup setup)
    : m_setup(std::move(setup))
{
    if (m_setup.Slots.isEmpty())
        throw std::invalid_argument("a picture catalogue needs at least one slot");
    const int items = int(m_setup.Items.size());
    // An empty catalogue still has its one (empty) page.
    m_pageCount = items == 0 ? 1 : (items + PageSize() - 1) / PageSize();
}

int PictureCatalogue::firstItemOf(int page) const
{
    return (page - 1) * PageSize();
}

int PictureCatalogue::itemCountOf(int page) const
{
    if (page < 1 || page > m_pageCount)
        return 0;
    return std::min(PageSize(), int(m_setup.Items.size()) - firstItemOf(page));
}

int PictureCatalogue::pageOf(int item) const
{
    return item / PageSize() + 1;
}

int PictureCatalogue::slotOf(int item) const
{
    return item % PageSize();
}

int PictureCatalogue::indexOf(const QString &key) const
{
    for (int i = 0; i < m_setup.Items.size(); ++i)
        if (m_setup.Items[i].Key == key)
            return i;
    return -1;
}

QString pageIndicator(int page, int pageCount)
{
    return QCoreApplication::translate("Catalogue", "%1/%2页").arg(page).arg(pageCount);
}

QString PictureCatalogue::indicatorText() const
{
    return pageIndicator(m_currentPage, m_pageCount);
}

QString PictureCatalogue::memoTextOf(int item) const
{
    return QString(m_setup.Indent, u' ') + m_setup.Items.at(item).Analysis;
}

void PictureCatalogue::showPageState()
{
    if (!m_view)
        return;
    for (int i = 0; i < m_setup.Items.size(); ++i) {
        if (pageOf(i) == m_currentPage)
            m_view->showPicture(i, slotOf(i));
        else
            m_view->hidePicture(i);
    }
    m_view->setPreviousEnabled(previousEnabled());
    m_view->setNextEnabled(nextEnabled());
    m_view->setIndicator(indicatorText());
}

void PictureCatalogue::showStartText()
{
    m_selected = -1;
    if (m_view)
        m_view->setMemoText(m_setup.StartText);
}

void PictureCatalogue::NextPage()
{
    if (m_currentPage < m_pageCount)
        turnPage(m_currentPage + 1);
}

void PictureCatalogue::PreviousPage()
{
    if (m_currentPage > 1)
        turnPage(m_currentPage - 1);
}

void PictureCatalogue::turnPage(int to)
{
    const int from = m_currentPage;
    const bool previousWas = previousEnabled();
    const bool nextWas = nextEnabled();
    m_currentPage = to;
    if (!m_view)
        return;
    const int leftFirst = firstItemOf(from);
    for (int i = leftFirst; i < leftFirst + itemCountOf(from); ++i)
        m_view->hidePicture(i);
    const int shownFirst = firstItemOf(to);
    for (int i = shownFirst; i < shownFirst + itemCountOf(to); ++i)
        m_view->showPicture(i, slotOf(i));
    // A button that goes off goes off before one that comes on: in a two-page catalogue both
    // change on the same click.
    if (previousWas && !previousEnabled())
        m_view->setPreviousEnabled(false);
    if (nextWas && !nextEnabled())
        m_view->setNextEnabled(false);
    if (!previousWas && previousEnabled())
        m_view->setPreviousEnabled(true);
    if (!nextWas && nextEnabled())
        m_view->setNextEnabled(true);
    m_view->setIndicator(indicatorText());
}

void PictureCatalogue::SelectItem(int item)
{
    if (item < 0 || item >= m_setup.Items.size() || !m_view)
        return;
    m_selected = item;
    m_view->beforeAnalysis(m_setup.Items[item]);
    m_view->setMemoText(memoTextOf(item));
}

void PictureCatalogue::ResetAnalysis()
{
    m_selected = -1;
    if (!m_view)
        return;
    m_view->beforeReset();
    m_view->setMemoText(m_setup.ResetText);
    m_view->afterReset();
}
