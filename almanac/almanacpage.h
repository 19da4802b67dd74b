#pragma once

// The fourth tab, today's almanac: one day's card in a cream text control, with buttons for the
// day before, the day after and today, and a date picker. The card is made when the tab is first
// shown, not at start-up, and follows the day when midnight passes while it shows today.

#include "almanac/almanaccard.h"
#include "keep/readingcard.h"

#include <QTime>
#include <QWidget>

#include <functional>
#include <optional>

class QDateEdit;
class QPushButton;
class QTextEdit;
class QTimer;

class AlmanacPage : public QWidget
{
    Q_OBJECT
public:
    explicit AlmanacPage(QWidget *parent = nullptr);

    // The card in front, as the File menu keeps it.
    ReadingInFront keptReading() const;

    // The day the card shows; invalid until the tab has first been shown.
    QDate shownDay() const { return m_card ? m_card->date : QDate(); }
    // Turns the card to a day, kept within the almanac's days.
    void showDay(QDate day);

    // Puts a clock of the time of day in place of the system's, for the wait to midnight (the date
    // itself is base::today()'s).
    void setClock(std::function<QTime()> clock);

    QPushButton *almanacPrevious = nullptr;
    QDateEdit *almanacDate = nullptr;
    QPushButton *almanacNext = nullptr;
    QPushButton *almanacToday = nullptr;
    QTextEdit *almanac = nullptr;
    QTimer *midnight = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void dayTurned();
    void waitForMidnight();
    void enableButtons();

    std::optional<almanac::AlmanacCard> m_card;
    QDate m_today; // the day the program believed it was when the card was last turned
    std::function<QTime()> m_clock;
};
