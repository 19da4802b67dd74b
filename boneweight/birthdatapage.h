#pragma once

// The first tab, " 我有几两命？ ": five lists for the birth data, the button "算一卦", the weight
// line l1 and the verse memo m1. The page reads the lists, hands them to the reckoning and
// writes the two results; the lowest place in its stacking order is kept for the animation.
// Two radio buttons on the frame of the lists say whether the picked date is lunar (as the
// tables are meant, and the default) or Gregorian, which is converted to lunar first and shown
// in lConverted. A Gregorian birth may be given a birthplace, whose clock history and, on request,
// true solar time decide the hour; a box counts 子时 whole for either calendar; after a reading
// the next day the lunar birthday falls on is shown below the form.

#include "boneweight/gregorianbirth.h"
#include "boneweight/reckoning.h"
#include "keep/readingcard.h"

#include <QDate>
#include <QHash>
#include <QWidget>

#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStringListModel;

enum class BirthCalendar { Lunar, Gregorian };

// A reading as the page showed it, with the numbers the reckoning read.
struct ShownReading
{
    BirthData data;         // year, month, day and hour as picked or typed
    QString minute;         // the minute's text as picked or typed
    BirthCalendar calendar; // what the picked date was read as
    QString converted; // lConverted's line: what was weighed; empty for a lunar pick as it stands
    QStringList placeNotes; // lCorrections's lines
    QString weightLine;     // l1
    QString verse;          // m1
    QString plainWords;     // what the verse says, in plain modern words
    int total = 0;          // the weight in qian
    LunarBirth lunar;       // the lunar date and hour weighed (a lunar pick: as picked, or moved)
    // The birthplace of a Gregorian pick: a listed place, or nothing for 未指定 or a longitude
    // typed by hand; `longitude` is the one read, nothing without a place.
    const calendar::Place *place = nullptr;
    std::optional<double> longitude{};
    HourBy hourBy = HourBy::Clock;
    calendar::ZiHour ziHour = calendar::ZiHour::SameDay;
    std::optional<calendar::NextBirthday> nextBirthday{}; // from base::today() on
};

// What the birthplace list stands at: 未指定, a listed place, a longitude typed by hand, or a
// typed text that is neither.
struct PlaceChoice
{
    enum Kind { Unspecified, Listed, Longitude, Unknown } kind = Unspecified;
    const calendar::Place *place = nullptr; // Listed
    double longitude = 0.0;                 // Listed and Longitude
};

class BirthDataPage : public QWidget
{
    Q_OBJECT
public:
    enum class Unseen {
        Now,  // everything prepared by the constructor
        Later // what the first frame does not show waits for prepareUnseen()
    };

    explicit BirthDataPage(QWidget *parent = nullptr, Unseen unseen = Unseen::Now);

    // Fills the place list and sizes its label, which show with 公历 only, and gives the
    // empty memo m1 its large face, which nothing drawn uses before the first verse. Choosing
    // 公历 or showing a verse before it does their part of it themselves.
    void prepareUnseen();

    // Start-up step: fills the five lists; the year list runs from today's year down to 1880.
    void fillLists(QDate today);

    // The reckoning: run by b1, by Enter anywhere on the tab and by a click in m1.
    void b1Click();

    // The last reading that ended in a weight and a verse; nothing before the first. A later
    // prompt, refusal or failure leaves it as it was, as it leaves the verse in m1.
    const std::optional<ShownReading> &lastReading() const { return m_lastReading; }

    // What the File menu keeps of this tab: the last reading while l1 still shows its weight
    // line (a later prompt or refusal takes its place there, though the verse stays in m1).
    ReadingInFront keptReading() const;

    // The texts the reckoning reads: a list still showing its placeholder gives the placeholder
    // as written in the source, whatever the edition shows; any other list what it shows.
    BirthTexts birthTexts() const;

    // The birthplace as cbPlace stands now (read whether or not 公历 is chosen).
    PlaceChoice placeChoice() const;

signals:
    // After every press of "算一卦", whatever it ended in: a reading, a prompt, a refusal, an
    // error.
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
    QRadioButton *rbLunar = nullptr;
    QRadioButton *rbSolar = nullptr;
    QLabel *lConverted = nullptr;
    QPushButton *b1 = nullptr;
    // Ours: the birthplace (with 公历) and the 子时 rule, in the free room below the form.
    QLabel *lPlace = nullptr;
    QComboBox *cbPlace = nullptr;
    QCheckBox *cbSolarTime = nullptr;
    QCheckBox *cbZiNextDay = nullptr;
    QLabel *lCorrections = nullptr; // what was done beyond the lunar line, one a line
    QLabel *lNextBirthday = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QPlainTextEdit *m1 = nullptr;
    QPushButton *bPlain = nullptr; // switches m1 between the verse and its plain words
    QFrame *Panel12 = nullptr;
    QLabel *Image218 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void runReckoning();
    void showWeightLine(const QString &line);
    void showReading(const ConvertedReading &reading, BirthCalendar calendar,
                     const QString &minute);
    // m1 shows the last reading's verse, or with `plain` its plain words.
    void showVerse(bool plain);
    void showConverted(const QStringList &lines);
    void showNextBirthday();

    // The place controls show with 公历 only; true solar time needs a place.
    void updatePlaceControls();
    void offerPlaces(const QString &typed);

    void showPlaceholder(QComboBox *list, const char *placeholder);
    void preparePlaces();
    void fillPlaces();

    std::optional<ShownReading> m_lastReading;
    bool m_readingShown = false; // l1 shows m_lastReading's weight line
    // The placeholder each list shows until it is picked from or typed in, as written.
    QHash<const QComboBox *, const char *> m_placeholders;
    bool m_placeTyped = false; // cbPlace shows a typed text rather than its current item
    bool m_placesReady = false;
    QStringListModel *m_placeMatches = nullptr; // what the typed text finds, for the completer
};
