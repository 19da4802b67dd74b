#include "catalogue/cataloguewidgets.h"

#include "base/errorreport.h"
#include "picture/jpeg.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>

#include <utility>

PictureLabel::PictureLabel(QWidget *parent)
    : QLabel(parent)
{
    // Natural size from the top-left corner: a taller picture loses its bottom rows.
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setScaledContents(false);
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

CatalogueWidgets::CatalogueWidgets(CatalogueSetup setup, Controls controls, QObject *parent)
    : QObject(parent)
    , m_catalogue(std::move(setup))
    , m_controls(std::move(controls))
{
    const QList<CatalogueItem> &items = m_catalogue.Items();
    m_pictures.reserve(std::size_t(items.size()));
    for (int i = 0; i < items.size(); ++i) {
        auto *label = new PictureLabel(m_controls.frame);
        label->setObjectName(items[i].Key);
        label->setAccessibleName(QStringLiteral("%1 第%2页第%3幅")
                                     .arg(m_controls.pictureName)
                                     .arg(m_catalogue.pageOf(i))
                                     .arg(m_catalogue.slotOf(i) + 1));
        label->setGeometry(m_catalogue.Slots()[m_catalogue.slotOf(i)]);
        // Decoded once, here: paging only shows and hides the labels.
        label->setPixmap(QPixmap::fromImage(builtInPicture(items[i].Picture)));
        label->hide();
        base::connectGuarded(label, &PictureLabel::clicked, this,
                             [this, i] { m_catalogue.SelectItem(i); });
        m_pictures.push_back(label);
    }
    base::connectGuarded(m_controls.previous, &QAbstractButton::clicked, this,
                         [this] { m_catalogue.PreviousPage(); });
    base::connectGuarded(m_controls.next, &QAbstractButton::clicked, this,
                         [this] { m_catalogue.NextPage(); });
    m_catalogue.setView(this);
    m_catalogue.showPageState();
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
    m_controls.previous->setEnabled(enabled);
}

void CatalogueWidgets::setNextEnabled(bool enabled)
{
    m_controls.next->setEnabled(enabled);
}

void CatalogueWidgets::setIndicator(const QString &text)
{
    m_controls.indicator->setText(text);
}

void CatalogueWidgets::setMemoText(const QString &text)
{
    m_controls.memo->setPlainText(text);
}
