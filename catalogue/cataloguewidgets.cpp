#include "catalogue/cataloguewidgets.h"

#include "base/announce.h"
#include "base/errorreport.h"
#include "base/look.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <utility>

namespace {

// The focus frame over the current picture: a band in the scheme's highlight with a thin line of
// its highlighted text inside, which stands out on a light picture as on a dark one.
class FocusFrame : public QWidget
{
public:
    explicit FocusFrame(QWidget *parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRectF band = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
        painter.drawRect(band);
        painter.setPen(QPen(palette().color(QPalette::HighlightedText), 1));
        painter.drawRect(QRectF(rect()).adjusted(3.5, 3.5, -3.5, -3.5));
    }
};

} // namespace

CatalogueWidgets::CatalogueWidgets(QWidget *page, const CataloguePageTable &table,
                                   CatalogueSetup setup)
    : QObject(page)
    , m_page(page)
    , m_catalogue(std::move(setup))
{
    // The table's captions are marked in the "Catalogue" context where the tables are written.
    const QString caption = QCoreApplication::translate("Catalogue", table.caption).trimmed();
    const QString frameCaption = QCoreApplication::translate("Catalogue", table.frameCaption);

    m_frame = new QGroupBox(frameCaption, page);
    place(m_frame, table.frame);
    m_frame->setAccessibleName(frameCaption.trimmed());
    m_previous = new QPushButton(tr("上一页"), parentOf(table.previous));
    place(m_previous, table.previous);
    m_previous->setAccessibleName(m_previous->text());
    m_next = new QPushButton(tr("下一页"), parentOf(table.next));
    place(m_next, table.next);
    m_next->setAccessibleName(m_next->text());
    m_indicator = new QLabel(parentOf(table.indicator));
    place(m_indicator, table.indicator);
    m_indicator->setAccessibleName(tr("页码"));
    m_indicator->setFont(base::songFont(table.indicatorPixels));
    m_indicatorSizesItself = table.indicator.geometry.isEmpty();

    m_memo = new QPlainTextEdit(parentOf(table.memo));
    place(m_memo, table.memo);
    m_memo->setAccessibleName(tr("评析"));
    m_memo->setReadOnly(true);
    m_memo->setTabChangesFocus(true);
    m_memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_memo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setFont(base::songFont(table.memoPixels));
    // A fixed colour gets a fixed ink, dark enough for it in every scheme.
    base::setBaseColour(m_memo, table.memoColour);
    base::setTextColour(m_memo, base::accentOn(base::CreamInk, table.memoColour));
    // Tab goes in the order of reading: the grid, then the page buttons where they stand under
    // it in the frame and the memo beside it, or the memo first where the buttons stand under it.
    m_frame->setFocusPolicy(Qt::TabFocus);
    m_frame->installEventFilter(this);
    m_columns = std::max(1, table.grid.columns);
    if (table.previous.parent == PlacedIn::Frame) {
        QWidget::setTabOrder(m_frame, m_previous);
        QWidget::setTabOrder(m_previous, m_next);
        QWidget::setTabOrder(m_next, m_memo);
    } else {
        QWidget::setTabOrder(m_frame, m_memo);
        QWidget::setTabOrder(m_memo, m_previous);
        QWidget::setTabOrder(m_previous, m_next);
    }

    const QList<CatalogueItem> &items = m_catalogue.Items();
    m_pictures.reserve(std::size_t(items.size()));
    for (int i = 0; i < items.size(); ++i) {
        auto *label = new PictureLabel(m_frame);
        label->setObjectName(items[i].Key);
        if (table.naming)
            label->setAccessibleName(table.naming(items[i]));
        label->setAccessibleDescription(tr("%1 第%2页第%3幅")
                                            .arg(caption)
                                            .arg(m_catalogue.pageOf(i))
                                            .arg(m_catalogue.slotOf(i) + 1));
        label->setGeometry(m_catalogue.Slots()[m_catalogue.slotOf(i)]);
        label->hide();
        // Decoded while in view; paging only shows and hides the labels.
        label->setPicture(items[i].Picture);
        // A click makes the picture the current one, as in a list view: the frame and the arrow
        // keys go on from the picture whose analysis is shown.
        base::connectGuarded(label, &PictureLabel::clicked, this, [this, i] {
            m_current = i;
            showCurrent();
            openPicture(i);
        });
        m_pictures.push_back(label);
    }
    base::connectGuarded(m_previous, &QAbstractButton::clicked, this,
                         [this] { m_catalogue.PreviousPage(); });
    base::connectGuarded(m_next, &QAbstractButton::clicked, this,
                         [this] { m_catalogue.NextPage(); });
    m_focusFrame = new FocusFrame(m_frame);
    m_catalogue.setView(this);
    m_catalogue.showPageState();
    m_catalogue.showStartText();
}

CatalogueWidgets::~CatalogueWidgets()
{
    m_catalogue.setView(nullptr);
}

void CatalogueWidgets::showPicture(int item, int slot)
{
    PictureLabel *label = picture(item);
    label->move(m_catalogue.Slots()[slot].topLeft());
    label->show();
}

void CatalogueWidgets::hidePicture(int item)
{
    picture(item)->hide();
}

void CatalogueWidgets::setPreviousEnabled(bool enabled)
{
    m_previous->setEnabled(enabled);
}

void CatalogueWidgets::setNextEnabled(bool enabled)
{
    m_next->setEnabled(enabled);
}

void CatalogueWidgets::setIndicator(const QString &text)
{
    m_indicator->setText(text);
    if (m_indicatorSizesItself)
        m_indicator->adjustSize();
    // The page buttons are read with the page they lead from.
    m_previous->setAccessibleDescription(text);
    m_next->setAccessibleDescription(text);
}

void CatalogueWidgets::setMemoText(const QString &text)
{
    // A Windows memo wraps a long run of leading spaces onto the next lines, which is what
    // keeps the text clear of a mole's title; Qt lets spaces hang past the line's end. Laid out
    // as no-break spaces they wrap like any character, and the memo still reads them as spaces.
    // A face whose no-break space is a full em (cwTeX Ming, the Taiwan edition's) would double
    // the indent: there one no-break space stands for two spaces, so the width is kept.
    const QFontMetricsF metrics(m_memo->font());
    const bool fullWidth
        = metrics.horizontalAdvance(QChar::Nbsp) > 0.75 * m_memo->font().pixelSize();
    qsizetype spaces = 0;
    while (spaces < text.size() && text[spaces] == u' ')
        ++spaces;
    const QString shown
        = QString(fullWidth ? (spaces + 1) / 2 : spaces, QChar::Nbsp) + text.sliced(spaces);
    m_memo->setPlainText(shown);
}

bool CatalogueWidgets::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_frame)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        // The pages may have been turned by the buttons meanwhile.
        if (m_catalogue.pageOf(m_current) != m_catalogue.CurrentPage())
            m_current = m_catalogue.firstItemOf(m_catalogue.CurrentPage());
        showCurrent();
        break;
    case QEvent::FocusOut:
        m_focusFrame->hide();
        break;
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            break;
        return gridKeyPressed(key->key());
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool CatalogueWidgets::gridKeyPressed(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        base::guarded([this] { openPicture(m_current); });
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // At the ends of the catalogue the key is taken and nothing moves.
        if (const int item = pictureForKey(key); item >= 0)
            moveCurrent(item);
        return true;
    default:
        return false;
    }
}

int CatalogueWidgets::pictureForKey(int key) const
{
    const PictureCatalogue &c = m_catalogue;
    const int page = c.CurrentPage();
    const int first = c.firstItemOf(page);
    const int count = c.itemCountOf(page);
    const int slot = m_current - first;
    const int column = slot % m_columns;
    const int lastRow = (count - 1) / m_columns;
    // The same column on the bottom row of the page before, or the top row of the page after.
    const auto onPage = [&](int other, int row) {
        const int otherCount = c.itemCountOf(other);
        if (otherCount == 0)
            return -1;
        const int otherRow = std::min(row, (otherCount - 1) / m_columns);
        return c.firstItemOf(other) + std::min(otherRow * m_columns + column, otherCount - 1);
    };
    switch (key) {
    case Qt::Key_Right:
        return m_current + 1 < c.Items().size() ? m_current + 1 : -1;
    case Qt::Key_Left:
        return m_current - 1;
    case Qt::Key_Down:
        if (slot + m_columns < count)
            return m_current + m_columns;
        if (slot / m_columns < lastRow) // under it a shorter last row
            return first + count - 1;
        return onPage(page + 1, 0);
    case Qt::Key_Up:
        if (slot >= m_columns)
            return m_current - m_columns;
        return onPage(page - 1, c.PageSize());
    case Qt::Key_Home:
        return first;
    case Qt::Key_End:
        return first + count - 1;
    case Qt::Key_PageDown:
        return c.itemCountOf(page + 1) > 0
                   ? c.firstItemOf(page + 1) + std::min(slot, c.itemCountOf(page + 1) - 1)
                   : -1;
    case Qt::Key_PageUp:
        return page > 1 ? c.firstItemOf(page - 1) + slot : -1;
    default:
        return -1;
    }
}

void CatalogueWidgets::moveCurrent(int item)
{
    base::guarded([this, item] {
        while (m_catalogue.pageOf(item) > m_catalogue.CurrentPage())
            m_catalogue.NextPage();
        while (m_catalogue.pageOf(item) < m_catalogue.CurrentPage())
            m_catalogue.PreviousPage();
    });
    m_current = item;
    showCurrent();
}

void CatalogueWidgets::showCurrent()
{
    if (!m_frame->hasFocus())
        return;
    m_focusFrame->setGeometry(m_catalogue.Slots()[m_catalogue.slotOf(m_current)]);
    m_focusFrame->raise();
    m_focusFrame->show();
    // A screen reader follows the frame as it follows a list's current item.
    QAccessibleEvent event(picture(m_current), QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

void CatalogueWidgets::openPicture(int item)
{
    m_catalogue.SelectItem(item);
    // Written where the focus is not: a screen reader is told the analysis.
    base::announce(m_memo, m_memo->toPlainText());
}

QWidget *CatalogueWidgets::parentOf(const ControlPlace &place) const
{
    return place.parent == PlacedIn::Frame ? static_cast<QWidget *>(m_frame) : m_page;
}

void CatalogueWidgets::place(QWidget *control, const ControlPlace &place) const
{
    control->setObjectName(QString::fromLatin1(place.name));
    if (place.geometry.isEmpty())
        control->move(place.geometry.topLeft());
    else
        control->setGeometry(place.geometry);
}
