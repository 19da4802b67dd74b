#pragma once

// The second tab, " 看手相 ": the palm tab set PageControl2 with the introduction page and the six
// topic catalogues.

#include <QWidget>

class PalmPage : public QWidget
{
    Q_OBJECT
public:
    explicit PalmPage(QWidget *parent = nullptr);

    // Start-up step: the six topic memos get their start text.
    void SetStartTexts();
};
