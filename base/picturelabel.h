#pragma once

// A label that shows one built-in picture at its natural size from its top-left corner; what runs
// past the label is cut off. The picture is decoded the first time the label is shown, so that
// start-up decodes none of the hundreds of pictures the user has not looked at yet, and decoded
// again when the label is next shown on a screen of another fineness: a finer screen gets the
// picture's finer drawing.

#include <QLabel>
#include <QString>

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
    qreal m_decodedFor = 0; // the device pixel ratio decoded for; 0 before the first time
};
