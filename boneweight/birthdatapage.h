#pragma once

// The first tab, " 我有几两命？ ": five lists for the birth data, the button "算一卦", the weight
// line l1 and the verse memo m1. The page reads the lists, hands them to the reckoning and
// writes the two results; the lowest place in its stacking order is kept for the animation.

#include "boneweight/reckoning.h"

#include <QDate>
#include <QWidget>

#include <optional>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class BirthDataPage : public QWidget
{
    Q_OBJECT
public:
    explicit BirthDataPage(QWidget *parent = nullptr);

    // Start-up step: fills the five lists; the year list runs from today's year down to 1880.
    void fillLists(QDate today);

    // The reckoning: run by b1, by Enter anywhere on the tab and by a click in m1.
    void b1Click();

    // The reading the tab shows: the five texts it was reckoned from and its two results. None
    // before the first reading, and none while l1 shows the prompt instead of a weight line.
    struct ShownReading
    {
        BirthTexts picked;
        Reading reading;
    };
    const std::optional<ShownReading> &shownReading() const { return m_shown; }

signals:
    // After every reckoning that ended normally, with a reading or with the prompt.
    void reckoned();

public:
    QFrame *Panel11 = nullptr;
    QLabel *l1 = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QComboBox *cy = nullptr;
    QComboBox *cm = nullptr;
    QComboBox *cd = nullptr;
    QComboBox *ch = nullptr;
    QLabel *sdian = nullptr;
    QComboBox *cf = nullptr;
    QPushButton *b1 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QPlainTextEdit *m1 = nullptr;
    QFrame *Panel12 = nullptr;
    QLabel *Image218 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void runReckoning();
    void showWeightLine(const QString &line);

    std::optional<ShownReading> m_shown;
};
