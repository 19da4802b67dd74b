#pragma once

// The first palm sub-tab, TabSheet9 "手相简介": the palm chart on the left, which a click turns
// between the six main lines (i1) and the eight palaces (i2), and the introduction read from
// "sxjj.txt" on the right under the title "手相学". Apart from that one reading at start-up the
// page is static; the chart shown lasts for the whole run.

#include <QString>
#include <QWidget>

class PictureLabel;
class QFrame;
class QLabel;
class QTextEdit;

class PalmIntroPage : public QWidget
{
    Q_OBJECT
public:
    explicit PalmIntroPage(QWidget *parent = nullptr);

    // The introduction file: the executable folder followed by "sxjj.txt".
    static QString introductionPath();

    // Start-up step: replaces r1's content with the file, formatted when it is RTF and as plain
    // code page 936 text otherwise. A file that can't be read raises the "Cannot open file"
    // failure and leaves r1 as it was.
    void loadIntroduction(const QString &path);
    // The same with the file's bytes already read.
    void showIntroduction(const QByteArray &bytes);

    void i1Click();
    void i2Click();

    QFrame *Panel1 = nullptr;
    PictureLabel *i1 = nullptr;
    PictureLabel *i2 = nullptr;
    QTextEdit *r1 = nullptr;
    QLabel *StaticText1 = nullptr;
};
