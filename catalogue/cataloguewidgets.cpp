#include "catalogue/cataloguewidgets.h"

#include "base/edition.h"
#include "base/errorreport.h"
#include "base/look.h"

#include <QGroupBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include <utility>

PictureLabel::PictureLabel(QWidget *parent)
    : BuiltInPictureLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void PictureLabel::mousePressEvent(QMouseEvent *event)
{
    // Taken here, so that the release comes back to this picture.
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void PictureLabel::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release both on the picture, as with a button.
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

QString pictureName(const CatalogueItem &item, PictureNaming naming)
{
    if (naming == PictureNaming::Title)
        return item.Title.trimmed();
    static const QString clauseEnds = QStringLiteral("，。：；");
    const QString &text = item.Analysis;
    qsizetype end = 0;
    while (end < text.size() && !clauseEnds.contains(text[end]))
        ++end;
    QString name = text.left(end);
    if (naming == PictureNaming::Place) {
        for (const QString &mole :
             {QStringLiteral("有痣"), QStringLiteral("长痣"), QStringLiteral("生痣")}) {
            const qsizetype at = name.indexOf(mole);
            if (at > 0) {
                name.truncate(at);
                break;
            }
        }
    }
    return name;
}

CatalogueWidgets::CatalogueWidgets(QWidget *page, const CataloguePageTable &table,
                                   CatalogueSetup setup)
    : QObject(page)
    , m_page(page)
    , m_catalogue(std::move(setup))
{
    const QString caption = QString::fromUtf8(table.caption).trimmed();
    const QString frameCaption = QString::fromUtf8(table.frameCaption);

    m_frame = new QGroupBox(frameCaption, page);
    place(m_frame, table.frame);
    m_frame->setAccessibleName(frameCaption.trimmed());
    m_previous = new QPushButton(QStringLiteral("上一页"), parentOf(table.previous));
    place(m_previous, table.previous);
    m_previous->setAccessibleName(m_previous->text());
    m_next = new QPushButton(QStringLiteral("下一页"), parentOf(table.next));
    place(m_next, table.next);
    m_next->setAccessibleName(m_next->text());
    m_indicator = new QLabel(parentOf(table.indicator));
    place(m_indicator, table.indicator);
    m_indicator->setAccessibleName(QStringLiteral("页码"));
    m_indicator->setFont(base::songFont(table.indicatorPixels));
    m_indicatorSizesItself = table.indicator.geometry.isEmpty();

    m_memo = new QPlainTextEdit(parentOf(table.memo));
    place(m_memo, table.memo);
    m_memo->setAccessibleName(QStringLiteral("评析"));
    m_memo->setReadOnly(true);
    m_memo->setTabChangesFocus(true);
    m_memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_memo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setFont(base::songFont(table.memoPixels));
    base::setBaseColour(m_memo, table.memoColour);
    QWidget::setTabOrder(m_previous, m_next);
    QWidget::setTabOrder(m_next, m_memo);

    const QList<CatalogueItem> &items = m_catalogue.Items();
    m_pictures.reserve(std::size_t(items.size()));
    for (int i = 0; i < items.size(); ++i) {
        auto *label = new PictureLabel(m_frame);
        label->setObjectName(items[i].Key);
        label->setAccessibleName(pictureName(items[i], table.naming));
        label->setAccessibleDescription(QStringLiteral("%1 第%2页第%3幅")
                                            .arg(caption)
                                            .arg(m_catalogue.pageOf(i))
                                            .arg(m_catalogue.slotOf(i) + 1));
        label->setGeometry(m_catalogue.Slots()[m_catalogue.slotOf(i)]);
        label->hide();
        // Decoded while in view; paging only shows and hides the labels.
        label->setPicture(items[i].Picture);
        base::connectGuarded(label, &PictureLabel::clicked, this,
                             [this, i] { m_catalogue.SelectItem(i); });
        m_pictures.push_back(label);
    }
    base::connectGuarded(m_previous, &QAbstractButton::clicked, this,
                         [this] { m_catalogue.PreviousPage(); });
    base::connectGuarded(m_next, &QAbstractButton::clicked, this,
                         [this] { m_catalogue.NextPage(); });
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
    m_indicator->setText(base::displayText(text));
    if (m_indicatorSizesItself)
        m_indicator->adjustSize();
}

void CatalogueWidgets::setMemoText(const QString &text)
{
    // A Windows memo wraps a long run of leading spaces onto the next lines, which is what
    // keeps the text clear of a mole's title; Qt lets spaces hang past the line's end. Laid out
    // as no-break spaces they wrap like any character, and the memo still reads them as spaces.
    QString shown = base::displayText(text);
    for (qsizetype i = 0; i < shown.size() && shown[i] == u' '; ++i)
        shown[i] = QChar::Nbsp;
    m_memo->setPlainText(shown);
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
