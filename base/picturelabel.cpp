#include "base/picturelabel.h"

#include "base/editionpicture.h"

#include "picture/jpeg.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPixmap>

BuiltInPictureLabel::BuiltInPictureLabel(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setScaledContents(false);
}

void BuiltInPictureLabel::setPicture(const QString &resourcePath)
{
    m_picture = resourcePath;
    m_decodedFor = 0;
    if (isVisible())
        decodePicture();
}

bool BuiltInPictureLabel::event(QEvent *event)
{
    // A window moved to a screen of another fineness tells each of its widgets.
    if (event->type() == QEvent::Show
        || (event->type() == QEvent::ScreenChangeInternal && isVisible())) {
        decodePicture();
    } else if (event->type() == QEvent::Hide && m_decodedFor != 0) {
        m_decodedFor = 0;
        clear();
    }
    return QLabel::event(event);
}

void BuiltInPictureLabel::decodePicture()
{
    const qreal ratio = devicePixelRatioF();
    if (m_picture.isEmpty() || ratio == m_decodedFor)
        return;
    m_decodedFor = ratio;
    // A picture that can't be decoded leaves the label empty. A Traditional edition shows the
    // picture's twin with its words in Traditional characters, where it has one.
    setPixmap(QPixmap::fromImage(builtInPicture(base::editionPicture(m_picture), ratio)));
}

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
