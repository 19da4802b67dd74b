#include "catalogue/picturecatalogue.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

PictureCatalogue::PictureCatalogue(CatalogueSetup setup)
    : m_setup(std::move(setup))
{
    if (m_setup.Slots.isEmpty())
        throw std::invalid_argument("a picture catalogue needs at least one slot");
    const int items = int(m_setup.Items.size());
    // An empty catalogue still has its one (empty) page.
    m_pageCount = items == 0 ? 1 : (items + PageSize() - 1) / PageSize();
}

int PictureCatalogue::FirstItemOf(int page) const
{
    return (page - 1) * PageSize();
}

int PictureCatalogue::ItemCountOf(int page) const
{
    if (page < 1 || page > m_pageCount)
        return 0;
    return std::min(PageSize(), int(m_setup.Items.size()) - FirstItemOf(page));
}

int PictureCatalogue::PageOf(int item) const
{
    return item / PageSize() + 1;
}

int PictureCatalogue::SlotOf(int item) const
{
    return item % PageSize();
}

int PictureCatalogue::IndexOf(const QString &key) const
{
    for (int i = 0; i < m_setup.Items.size(); ++i)
        if (m_setup.Items[i].Key == key)
            return i;
    return -1;
}

QString PictureCatalogue::IndicatorText() const
{
    return QStringLiteral("%1/%2页").arg(m_currentPage).arg(m_pageCount);
}

QString PictureCatalogue::MemoTextOf(int item) const
{
    return QString(m_setup.Indent, u' ') + m_setup.Items.at(item).Analysis;
}

void PictureCatalogue::ShowPageState()
{
    if (!m_view)
        return;
    for (int i = 0; i < m_setup.Items.size(); ++i) {
        if (PageOf(i) == m_currentPage)
            m_view->showPicture(i, SlotOf(i));
        else
            m_view->hidePicture(i);
    }
    m_view->setPreviousEnabled(PreviousEnabled());
    m_view->setNextEnabled(NextEnabled());
    m_view->setIndicator(IndicatorText());
}

void PictureCatalogue::ShowStartText()
{
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
    const bool previousWas = PreviousEnabled();
    const bool nextWas = NextEnabled();
    m_currentPage = to;
    if (!m_view)
        return;
    const int leftFirst = FirstItemOf(from);
    for (int i = leftFirst; i < leftFirst + ItemCountOf(from); ++i)
        m_view->hidePicture(i);
    const int shownFirst = FirstItemOf(to);
    for (int i = shownFirst; i < shownFirst + ItemCountOf(to); ++i)
        m_view->showPicture(i, SlotOf(i));
    // A button that goes off goes off before one that comes on: in a two-page catalogue both
    // change on the same click.
    if (previousWas && !PreviousEnabled())
        m_view->setPreviousEnabled(false);
    if (nextWas && !NextEnabled())
        m_view->setNextEnabled(false);
    if (!previousWas && PreviousEnabled())
        m_view->setPreviousEnabled(true);
    if (!nextWas && NextEnabled())
        m_view->setNextEnabled(true);
    m_view->setIndicator(IndicatorText());
}

void PictureCatalogue::SelectItem(int item)
{
    if (item < 0 || item >= m_setup.Items.size() || !m_view)
        return;
    m_view->beforeAnalysis(m_setup.Items[item]);
    m_view->setMemoText(MemoTextOf(item));
}

void PictureCatalogue::ResetAnalysis()
{
    if (!m_view)
        return;
    m_view->beforeReset();
    m_view->setMemoText(m_setup.ResetText);
    m_view->afterReset();
}
