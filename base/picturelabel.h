#pragma once

// A label that shows one built-in picture at its natural size from its top-left corner; what runs
// past the label is cut off. The picture is decoded each time the label is shown and let go when
// it is hidden (its page turned, its tab left): start-up decodes none of the hundreds of pictures
// the user has not looked at yet, and a long look through every catalogue holds no more than the
// pictures in view. Decoding is quick: about 0.06 ms for a palm picture, 0.2 ms for its finer
// drawing (bench_catalogue). When the window moves to a screen of another fineness, the picture
// is decoded again for it: a finer screen gets the picture's finer drawing.

#include <QLabel>
#include <QString>

class QMouseEvent;

class BuiltInPictureLabel : public QLabel
{
public:
    explicit BuiltInPictureLabel(QWidget *parent = nullptr);

    // The resource path of the picture (":/pictures/NAME.jpg").
    void setPicture(const QString &resourcePath);

protected:
    bool event(QEvent *event) override;

private:
    void decodePicture();

    QString m_picture;
    qreal m_decodedFor = 0; // the device pixel ratio decoded for; 0 while nothing is held
};

// A built-in picture that answers a click, which QLabel has not: the catalogue pictures and the
// palm charts.
class PictureLabel : public BuiltInPictureLabel
{
    Q_OBJECT
public:
    explicit PictureLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
