#pragma once

// The first tab, " 我有几两命？ ": the birth-data form and its reckoning.

#include <QDate>
#include <QWidget>

class BirthDataPage : public QWidget
{
    Q_OBJECT
public:
    explicit BirthDataPage(QWidget *parent = nullptr);

    // Start-up step: fills the five lists; the year list runs from today's year down to 1880.
    void FillLists(QDate today);
};
