#include "boneweight/birthdatapage.h"

#include "base/announce.h"
#include "base/errorreport.h"
#include "base/look.h"
#include "base/picturelabel.h"
#include "base/today.h"
#include "boneweight/plainwords.h"
#include "calendar/lunar.h"
#include "edition/edition.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSignalBlocker>
#include <QStringListModel>

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Where everything stands, as the window description has it (pixels, relative to the parent).
constexpr QRect kPanel11{0, 0, 625, 115};
constexpr QPoint kL1{273, 82};
constexpr QRect kGroupBox2{254, 8, 337, 59};
constexpr QRect kCy{16, 24, 80, 21};
constexpr QRect kCm{102, 24, 55, 21};
constexpr QRect kCd{163, 24, 55, 21};
constexpr QRect kCh{226, 24, 45, 21};
constexpr QRect kSdian{270, 25, 12, 20};
constexpr QRect kCf{277, 24, 45, 21};
constexpr QRect kB1{504, 78, 75, 25};
constexpr QRect kGroupBox1{0, 8, 213, 279};
constexpr QRect kM1{3, 16, 204, 257};
constexpr QRect kPanel12{0, 287, 65, 127};
constexpr QRect kImage218{2, 41, 60, 80};
// Ours, around those: the calendar choice on the top edge of GroupBox2, right of its caption; the
// converted line along the foot of Panel11, under l1 and b1, as wide as the panel's free width.
constexpr QRect kRbLunar{214, 0, 55, 17};
constexpr QRect kRbSolar{272, 0, 55, 17};
// The plain-words switch on the top edge of GroupBox1, right of its caption, above the verse.
constexpr QRect kBPlain{150, 0, 56, 17};
constexpr QPoint kLConverted{215, 103};
// The birthplace and the 子时 rule in the free room right of Panel12 and left of the 太极 disc,
// which the movie draws centred at (421, 264) of the tab with a radius of 134 (measured on its
// frames); each row ends before the disc's edge at its height.
constexpr QRect kLPlace{68, 290, 40, 21};
constexpr QRect kCbPlace{110, 290, 148, 21};
constexpr QRect kCbZiNextDay{68, 314, 84, 20};
constexpr QRect kCbSolarTime{156, 314, 80, 20};
// What was done beyond the lunar line (true solar time, the clocks of 1949, the 子时 rule), one
// a line, and below the disc the next lunar birthday.
constexpr QRect kLCorrections{68, 336, 236, 62};
constexpr QRect kLNextBirthday{68, 398, 550, 16};
// A text in l1 wider than the room before b1 breaks onto a second line (Panel11 holds two).
constexpr int kL1Room = 504 - 4 - 273;

constexpr int kFirstYear = 1880;

QFrame *borderlessPanel(const char *name, QWidget *parent, const QRect &geometry)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::NoFrame);
    panel->setAutoFillBackground(true);
    panel->setGeometry(geometry);
    return panel;
}

QGroupBox *frame(const char *name, const QString &caption, QWidget *parent, const QRect &geometry)
{
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setFont(base::songFont(13));
    box->setGeometry(geometry);
    return box;
}

QComboBox *birthList(const char *name, const QString &accessibleName, QWidget *parent,
                     const QRect &geometry)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setAccessibleName(accessibleName);
    list->setEditable(true);
    // The editor holds the focus and the drop-down shows the items: both say which list they are.
    list->lineEdit()->setAccessibleName(accessibleName);
    list->view()->setAccessibleName(accessibleName);
    // Typed text is read as it stands; Enter never turns it into a new item.
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    list->setFont(base::songFont(13));
    base::setCreamBase(list);
    base::setCreamBase(list->lineEdit());
    list->setMaxVisibleItems(20);
    list->setGeometry(geometry);
    return list;
}

// A radio button on the top edge of the frame, its background hiding the edge's line behind it.
QRadioButton *calendarChoice(const char *name, const QString &text, const QString &accessibleName,
                             QWidget *parent, const QRect &geometry)
{
    auto *choice = new QRadioButton(text, parent);
    choice->setObjectName(QString::fromLatin1(name));
    choice->setAccessibleName(accessibleName);
    choice->setFont(base::songFont(13));
    choice->setAutoFillBackground(true);
    choice->setGeometry(geometry);
    return choice;
}

// A check box on the movie: cream behind its text, as the readings have, so it reads on the
// movie and, should the movie be missing, on the scheme's window colour alike. The cream hugs
// the text.
QCheckBox *option(const char *name, const QString &text, const QString &accessibleName,
                  QWidget *parent, const QRect &geometry)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(accessibleName);
    box->setFont(base::songFont(12));
    base::setCreamWindow(box);
    box->setGeometry(
        geometry.adjusted(0, 0, std::min(box->sizeHint().width() - geometry.width(), 0), 0));
    return box;
}

// A label on the movie, on cream as the check boxes are; it wraps unless told otherwise.
QLabel *creamLabel(const char *name, const QString &accessibleName, QWidget *parent,
                   const QRect &geometry)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAccessibleName(accessibleName);
    label->setFont(base::songFont(12));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    base::setCreamWindow(label);
    label->setGeometry(geometry);
    return label;
}

// The item data of 未指定 in cbPlace; a place's is its row in calendar::places().
constexpr int kUnspecified = -1;

// "东经104.07°", "西经73.94°"
QString longitudeText(double longitude)
{
    return longitude < 0
               ? QCoreApplication::translate("BirthDataPage", "西经%1°").arg(-longitude, 0, 'f', 2)
               : QCoreApplication::translate("BirthDataPage", "东经%1°").arg(longitude, 0, 'f', 2);
}

// What each list shows before anything is picked, as the reckoning's cut rule knows them.
constexpr const char *kYearPlaceholder = QT_TRANSLATE_NOOP("BirthDataPage", "出生年份");
constexpr const char *kMonthPlaceholder = QT_TRANSLATE_NOOP("BirthDataPage", "月份");
constexpr const char *kDayPlaceholder = QT_TRANSLATE_NOOP("BirthDataPage", "日期");
constexpr const char *kHourPlaceholder = QT_TRANSLATE_NOOP("BirthDataPage", "时");
constexpr const char *kMinutePlaceholder = QT_TRANSLATE_NOOP("BirthDataPage", "分");

// A verse as it reads on paper: the phrase on a line of its own, then the four clauses two by two.
QString verseLines(const QString &verse)
{
    const qsizetype split = verse.indexOf(QStringLiteral("  "));
    if (split < 0)
        return verse.trimmed();
    const QStringList clauses = verse.mid(split + 2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList lines{verse.left(split)};
    for (qsizetype i = 0; i < clauses.size(); i += 2)
        lines << clauses.mid(i, 2).join(QChar(0x3000)); // an ideographic space
    return lines.join(QLatin1Char('\n'));
}

} // namespace

BirthDataPage::BirthDataPage(QWidget *parent, Unseen unseen)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet1"));
    setFont(base::songFont(13));

    // Created bottom to top, so each sibling lies above the ones before it.
    Panel11 = borderlessPanel("Panel11", this, kPanel11);
    Panel11->setAccessibleName(tr("命重栏"));
    l1 = new QLabel(Panel11);
    l1->setObjectName(QStringLiteral("l1"));
    l1->setAccessibleName(tr("命重"));
    l1->setFont(base::songFont(16));
    base::followAccent(l1, base::Navy, QPalette::Window);
    l1->setAutoFillBackground(true);
    l1->setGeometry(kL1.x(), kL1.y(), 8, 16);

    GroupBox2 = frame("GroupBox2", tr(" 出生资料 "), this, kGroupBox2);
    cy = birthList("cy", tr(kYearPlaceholder), GroupBox2, kCy);
    cm = birthList("cm", tr(kMonthPlaceholder), GroupBox2, kCm);
    cd = birthList("cd", tr(kDayPlaceholder), GroupBox2, kCd);
    ch = birthList("ch", tr(kHourPlaceholder), GroupBox2, kCh);
    sdian = new QLabel(QStringLiteral(":"), GroupBox2);
    sdian->setObjectName(QStringLiteral("sdian"));
    sdian->setAccessibleName(tr("冒号"));
    sdian->setFont(base::songFont(16));
    sdian->setGeometry(kSdian);
    cf = birthList("cf", tr(kMinutePlaceholder), GroupBox2, kCf);
    // A list stops showing its placeholder at the first change of its text: a pick, a key typed.
    for (QComboBox *list : {cy, cm, cd, ch, cf})
        connect(list, &QComboBox::editTextChanged, this,
                [this, list] { m_placeholders.remove(list); });
    showPlaceholder(cy, kYearPlaceholder);
    showPlaceholder(cm, kMonthPlaceholder);
    showPlaceholder(cd, kDayPlaceholder);
    showPlaceholder(ch, kHourPlaceholder);
    showPlaceholder(cf, kMinutePlaceholder);

    rbLunar = calendarChoice("rbLunar", tr("农历"), tr("出生日期为农历"), GroupBox2, kRbLunar);
    rbSolar = calendarChoice("rbSolar", tr("公历"), tr("出生日期为公历"), GroupBox2, kRbSolar);
    rbLunar->setChecked(true);
    // One Tab stop for the two, the checked one, as a radio group has on a dialog.
    const auto tabStopOnChecked = [this] {
        rbLunar->setFocusPolicy(rbLunar->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
        rbSolar->setFocusPolicy(rbSolar->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    tabStopOnChecked();
    connect(rbLunar, &QRadioButton::toggled, this, tabStopOnChecked);
    lConverted = new QLabel(Panel11);
    lConverted->setObjectName(QStringLiteral("lConverted"));
    lConverted->setAccessibleName(tr("换算所得农历"));
    lConverted->setFont(base::songFont(12));
    lConverted->move(kLConverted);

    b1 = new QPushButton(tr("算一卦"), this);
    b1->setObjectName(QStringLiteral("b1"));
    b1->setFont(base::songFont(13));
    b1->setGeometry(kB1);
    b1->setDefault(true);
    connect(b1, &QPushButton::clicked, this, &BirthDataPage::runReckoning);

    lPlace = creamLabel("lPlace", tr("出生地"), this, kLPlace);
    lPlace->setText(tr("出生地"));
    lPlace->setWordWrap(false);
    lPlace->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    cbPlace = birthList("cbPlace", tr("出生地"), this, kCbPlace);
    lPlace->setBuddy(cbPlace);
    cbPlace->setToolTip(tr("选出生的城市，或输入经度，如“东经104.1”"));
    // Typing searches the places by name and province, names that begin with the text first.
    m_placeMatches = new QStringListModel(this);
    auto *completer = new QCompleter(m_placeMatches, cbPlace);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer->setMaxVisibleItems(12);
    cbPlace->setCompleter(completer);

    cbZiNextDay = option("cbZiNextDay", tr("23点换日"), tr("23点后出生算次日"), this, kCbZiNextDay);
    cbZiNextDay->setToolTip(tr("子时从23点起算，23点以后出生的按第二天算"));
    cbSolarTime
        = option("cbSolarTime", tr("真太阳时"), tr("按出生地真太阳时定时辰"), this, kCbSolarTime);
    cbSolarTime->setToolTip(tr("按出生地的经度和均时差，把钟点换成当地太阳的时刻"));
    lCorrections = creamLabel("lCorrections", tr("换算说明"), this, kLCorrections);
    lNextBirthday = creamLabel("lNextBirthday", tr("下一个农历生日"), this, kLNextBirthday);
    lNextBirthday->setWordWrap(false);
    lCorrections->hide();
    lNextBirthday->hide();
    if (unseen == Unseen::Now)
        preparePlaces();
    connect(cbPlace->lineEdit(), &QLineEdit::textEdited, this, &BirthDataPage::offerPlaces);
    connect(cbPlace, &QComboBox::currentIndexChanged, this, [this] {
        m_placeTyped = false;
        updatePlaceControls();
    });
    connect(rbSolar, &QRadioButton::toggled, this, &BirthDataPage::updatePlaceControls);
    updatePlaceControls();

    GroupBox1 = frame("GroupBox1", tr(" 神算评命 "), this, kGroupBox1);
    m1 = new QPlainTextEdit(GroupBox1);
    m1->setObjectName(QStringLiteral("m1"));
    m1->setAccessibleName(tr("评命"));
    m1->setReadOnly(true);
    m1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (unseen == Unseen::Now)
        m1->setFont(base::songFont(27));
    base::setCreamBase(m1);
    m1->setGeometry(kM1);
    m1->viewport()->installEventFilter(this);

    // The verse is terse classical writing: a press shows what it says in plain words, another
    // the verse again. Each reckoning shows the verse first.
    bPlain = new QPushButton(tr("白话"), GroupBox1);
    bPlain->setObjectName(QStringLiteral("bPlain"));
    bPlain->setAccessibleName(tr("白话解释"));
    bPlain->setToolTip(tr("用现代白话说说这首诗的意思"));
    bPlain->setCheckable(true);
    bPlain->setEnabled(false);
    bPlain->setFont(base::songFont(12));
    bPlain->setGeometry(kBPlain);
    connect(bPlain, &QPushButton::toggled, this, [this](bool plain) { showVerse(plain); });

    Panel12 = borderlessPanel("Panel12", this, kPanel12);
    Panel12->setAccessibleName(tr("称骨图栏"));
    auto *steelyard = new BuiltInPictureLabel(Panel12);
    steelyard->setPicture(QStringLiteral(":/pictures/Image218.jpg"));
    Image218 = steelyard;
    Image218->setObjectName(QStringLiteral("Image218"));
    Image218->setAccessibleName(tr("称骨图"));
    Image218->setGeometry(kImage218);

    // Enter on any control of the tab runs the reckoning, as on a dialog with a default button.
    for (QWidget *w : QList<QWidget *>{cy, cm, cd, ch, cf, rbLunar, rbSolar, cbPlace, cbZiNextDay,
                                       cbSolarTime, b1, m1})
        w->installEventFilter(this);

    // The calendar choice comes first: it says how the date that follows is read. The arrow
    // keys move between its two buttons.
    setTabOrder(rbLunar, rbSolar);
    // Then the lists in the order they are read, year to minute: a keyboard user meets them as the
    // eye does, not in the order of the old form's description (minute, year, hour, day, month).
    setTabOrder(rbSolar, cy);
    setTabOrder(cy, cm);
    setTabOrder(cm, cd);
    setTabOrder(cd, ch);
    setTabOrder(ch, cf);
    // Then where and how the time is read, as the eye meets them below the form.
    setTabOrder(cf, cbPlace);
    setTabOrder(cbPlace, cbZiNextDay);
    setTabOrder(cbZiNextDay, cbSolarTime);
    setTabOrder(cbSolarTime, b1);
    setTabOrder(b1, bPlain);
    setTabOrder(bPlain, m1);
}

void BirthDataPage::fillLists(QDate today)
{
    QStringList years;
    for (int year = today.year(); year >= kFirstYear; --year)
        years << tr("%1年").arg(year);
    QStringList months, days, hours, minutes;
    for (int n = 1; n <= 12; ++n)
        months << tr("%1月").arg(n);
    for (int n = 1; n <= 31; ++n)
        days << tr("%1日").arg(n);
    for (int n = 0; n <= 23; ++n)
        hours << QString::number(n);
    for (int n = 0; n <= 59; ++n)
        minutes << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));

    // Items replace whatever was there; the placeholder stays as the list's text, not an item.
    const auto fill = [this](QComboBox *list, const QStringList &items, const char *placeholder) {
        list->clear();
        list->addItems(items);
        list->setCurrentIndex(-1);
        showPlaceholder(list, placeholder);
    };
    fill(cy, years, kYearPlaceholder);
    fill(cm, months, kMonthPlaceholder);
    fill(cd, days, kDayPlaceholder);
    fill(ch, hours, kHourPlaceholder);
    fill(cf, minutes, kMinutePlaceholder);
}

void BirthDataPage::showPlaceholder(QComboBox *list, const char *placeholder)
{
    list->setEditText(tr(placeholder));
    m_placeholders.insert(list, placeholder);
}

BirthTexts BirthDataPage::birthTexts() const
{
    const auto text = [this](const QComboBox *list) {
        const auto placeholder = m_placeholders.constFind(list);
        return placeholder != m_placeholders.cend() ? QString::fromUtf8(*placeholder)
                                                    : list->currentText();
    };
    return {text(cy), text(cm), text(cd), text(ch), text(cf)};
}

void BirthDataPage::b1Click()
{
    const BirthTexts texts = birthTexts();
    const bool gregorian = rbSolar->isChecked();
    BirthClock clock;
    clock.ziHour = cbZiNextDay->isChecked() ? calendar::ZiHour::NextDay : calendar::ZiHour::SameDay;
    const PlaceChoice place = gregorian ? placeChoice() : PlaceChoice{};
    if (place.kind == PlaceChoice::Listed)
        clock.place = *place.place;
    else if (place.kind == PlaceChoice::Longitude)
        // A longitude typed for a place the list lacks keeps Beijing time's history, as a birth
        // without a place does: most such places are the mainland's counties.
        clock.place = calendar::Place{"", "", "CN", "Asia/Shanghai", place.longitude, 0.0};
    if (clock.place && cbSolarTime->isChecked())
        clock.hourBy = HourBy::TrueSolarTime;

    // May raise, as the lunar reckoning does: nothing written yet.
    auto outcome = gregorian ? reckonGregorian(texts, clock) : reckonLunar(texts, clock.ziHour);
    if (outcome && place.kind == PlaceChoice::Unknown)
        outcome = Refusal{
            tr("出生地“%1”不在表中，也不是经度").arg(cbPlace->currentText().trimmed().left(8))};
    showConverted({});
    if (!outcome) {
        showWeightLine(tr(IncompletePrompt));
    } else if (const auto *refusal = std::get_if<Refusal>(&*outcome)) {
        showWeightLine(refusal->message);
    } else {
        const auto &converted = std::get<ConvertedReading>(*outcome);
        showReading(converted, gregorian ? BirthCalendar::Gregorian : BirthCalendar::Lunar,
                    texts.minute);
        showConverted(converted.converted);
        m_lastReading->converted = converted.converted.value(0);
        m_lastReading->placeNotes = converted.converted.mid(1);
        m_lastReading->place = place.kind == PlaceChoice::Listed ? place.place : nullptr;
        if (clock.place)
            m_lastReading->longitude = clock.place->longitude;
        m_lastReading->hourBy = clock.hourBy;
        m_lastReading->ziHour = clock.ziHour;
    }
}

void BirthDataPage::showReading(const ConvertedReading &converted, BirthCalendar calendar,
                                const QString &minute)
{
    const Reading &reading = converted.reading;
    showWeightLine(reading.weightLine);
    const char *plainWords = PlainWords(reading.total);
    m_lastReading = ShownReading{reading.data,
                                 minute,
                                 calendar,
                                 {},
                                 {},
                                 reading.weightLine,
                                 reading.verse,
                                 plainWords ? QCoreApplication::translate("PlainWords", plainWords)
                                            : QString(),
                                 reading.total,
                                 converted.lunar};
    m_readingShown = true;
    bPlain->setEnabled(plainWords != nullptr);
    if (bPlain->isChecked())
        bPlain->setChecked(false); // shows the verse
    else
        showVerse(false);
    showNextBirthday();
}

void BirthDataPage::showNextBirthday()
{
    const calendar::LunarDate &birth = m_lastReading->lunar.date;
    m_lastReading->nextBirthday = calendar::nextLunarBirthday(birth, base::today());
    const std::optional<calendar::NextBirthday> &next = m_lastReading->nextBirthday;
    if (!next) { // a lunar pick the calendar lacks, or a year past its end
        lNextBirthday->clear();
        lNextBirthday->hide();
        return;
    }
    QString line = tr("农历生日：%1年%2月%3日（%4）")
                       .arg(next->date.year())
                       .arg(next->date.month())
                       .arg(next->date.day())
                       .arg(calendar::weekdayName(next->date.dayOfWeek()));
    if (next->rules.leapAsOrdinary)
        line += tr("（该年无%1，按%2过）")
                    .arg(calendar::monthName(birth.month, calendar::MonthKind::Leap),
                         calendar::monthName(birth.month, calendar::MonthKind::Ordinary));
    if (next->rules.thirtiethAsTwentyNinth)
        line += tr("（该月无三十，按廿九过）");
    lNextBirthday->setText(line);
    lNextBirthday->resize(std::min(lNextBirthday->sizeHint().width(), kLNextBirthday.width()),
                          kLNextBirthday.height());
    lNextBirthday->show();
}

void BirthDataPage::showVerse(bool plain)
{
    if (!m_lastReading)
        return;
    const QString &text = plain ? m_lastReading->plainWords : m_lastReading->verse;
    // The verse in the large type of the window description; the plain words, three to five
    // sentences, in a size that fits them whole.
    m1->setFont(base::songFont(plain ? 18 : 27));
    m1->setPlainText(text);
    base::announce(m1, text);
}

ReadingInFront BirthDataPage::keptReading() const
{
    if (!m_lastReading || !m_readingShown)
        return {std::nullopt, tr("先选好出生资料，按“算一卦”，才有可保存的结果。")};
    const ShownReading &shown = *m_lastReading;
    const QString date
        = tr("%1年%2月%3日").arg(shown.data.Year).arg(shown.data.Month).arg(shown.data.Day);
    KeptReading kept;
    kept.title = tr("我有几两命？");
    kept.facts << tr("出生：%1%2 %3:%4")
                      .arg(shown.calendar == BirthCalendar::Gregorian ? tr("公历") : tr("农历"),
                           date, QString::number(shown.data.Hour), shown.minute);
    if (shown.place)
        kept.facts << tr("出生地：%1（%2）")
                          .arg(calendar::placeName(*shown.place), longitudeText(*shown.longitude));
    else if (shown.longitude)
        kept.facts << tr("出生地：%1").arg(longitudeText(*shown.longitude));
    if (!shown.converted.isEmpty())
        kept.facts << shown.converted;
    kept.facts << shown.placeNotes;
    kept.weightLine = shown.weightLine;
    kept.text = verseLines(shown.verse);
    if (!shown.plainWords.isEmpty())
        kept.text += QStringLiteral("\n\n") + tr("白话：%1").arg(shown.plainWords);
    kept.picture = QStringLiteral(":/pictures/Image218.jpg");
    kept.fileStem = tr("称骨_%1").arg(date);
    return {kept, {}};
}

void BirthDataPage::runReckoning()
{
    base::guarded([this] { b1Click(); });
    emit reckoned();
}

void BirthDataPage::showWeightLine(const QString &line)
{
    m_readingShown = false;
    // The label sizes itself to its text, from its fixed top-left corner.
    l1->setWordWrap(false);
    l1->setText(line);
    l1->adjustSize();
    if (l1->width() > kL1Room) { // only a refusal of a Gregorian date is this long
        l1->setWordWrap(true);
        l1->resize(kL1Room, l1->heightForWidth(kL1Room));
    }
    l1->move(kL1);
    base::announce(l1, line);
}

void BirthDataPage::showConverted(const QStringList &lines)
{
    lConverted->setText(lines.value(0));
    lConverted->adjustSize();
    lConverted->move(kLConverted);
    lCorrections->setText(lines.mid(1).join(QLatin1Char('\n')));
    // The cream as wide as the longest line and as tall as the lines take.
    const QRect room(QPoint(), kLCorrections.size());
    const QSize needs = lCorrections->fontMetrics()
                            .boundingRect(room, Qt::TextWordWrap, lCorrections->text())
                            .size();
    lCorrections->resize(needs.boundedTo(room.size()) + QSize(2, 0));
    lCorrections->setVisible(lines.size() > 1);
}

void BirthDataPage::prepareUnseen()
{
    preparePlaces();
    if (!m_lastReading)
        m1->setFont(base::songFont(27));
}

void BirthDataPage::preparePlaces()
{
    if (std::exchange(m_placesReady, true))
        return;
    lPlace->resize(std::min(lPlace->sizeHint().width(), kLPlace.width()), kLPlace.height());
    fillPlaces();
}

void BirthDataPage::fillPlaces()
{
    // 未指定 first, then the municipalities, the provinces' capitals, Hong Kong, Macau and Taipei
    // (the first place of each in the table), then the rest in the table's order: the division
    // list's, each province's cities together, then Taiwan's and the cities abroad.
    const std::span<const calendar::Place> all = calendar::places();
    QList<int> capitals, rest;
    QSet<QByteArray> regions;
    for (int row = 0; row < int(all.size()); ++row) {
        const calendar::Place &place = all[row];
        const bool home = std::ranges::any_of(std::array{"CN", "HK", "MO", "TW"}, [&](auto code) {
            return qstrcmp(code, place.country) == 0;
        });
        if (home && !regions.contains(place.region)) {
            regions.insert(place.region);
            capitals << row;
        } else {
            rest << row;
        }
    }
    const QSignalBlocker quiet(cbPlace);
    cbPlace->clear();
    cbPlace->addItem(tr("未指定"), kUnspecified);
    for (int row : capitals + rest)
        cbPlace->addItem(calendar::placeName(all[row]), row);
    // Each edition starts on its own region's clock; the Simplified one on Beijing time.
    const char *home = nullptr;
    if (edition::current() == text::Edition::Taiwan)
        home = "台北";
    else if (edition::current() == text::Edition::HongKong)
        home = "香港";
    const calendar::Place *start = home ? calendar::placeNamed(QString::fromUtf8(home)) : nullptr;
    cbPlace->setCurrentIndex(start ? cbPlace->findData(int(start - all.data())) : 0);
    m_placeTyped = false;
    updatePlaceControls();
}

void BirthDataPage::offerPlaces(const QString &typed)
{
    m_placeTyped = true;
    QStringList names;
    for (const calendar::Place *place : calendar::findPlaces(typed))
        names << calendar::placeName(*place);
    m_placeMatches->setStringList(names);
    if (!names.isEmpty() && cbPlace->lineEdit()->hasFocus())
        cbPlace->completer()->complete();
    updatePlaceControls();
}

PlaceChoice BirthDataPage::placeChoice() const
{
    const std::span<const calendar::Place> all = calendar::places();
    if (!m_placeTyped) {
        const int row = cbPlace->currentIndex() < 0 ? kUnspecified : cbPlace->currentData().toInt();
        if (row == kUnspecified)
            return {};
        return {PlaceChoice::Listed, &all[row], all[row].longitude};
    }
    const QString typed = cbPlace->currentText().trimmed();
    if (typed.isEmpty())
        return {};
    if (const std::optional<double> longitude = calendar::parseLongitude(typed))
        return {PlaceChoice::Longitude, nullptr, *longitude};
    // A name typed whole, without a pick from the list, is the place it names.
    const QList<const calendar::Place *> found = calendar::findPlaces(typed);
    if (!found.isEmpty() && calendar::placeName(*found.first()) == typed)
        return {PlaceChoice::Listed, found.first(), found.first()->longitude};
    return {PlaceChoice::Unknown};
}

void BirthDataPage::updatePlaceControls()
{
    const bool gregorian = rbSolar->isChecked();
    if (gregorian)
        preparePlaces();
    lPlace->setVisible(gregorian);
    cbPlace->setVisible(gregorian);
    cbSolarTime->setVisible(gregorian);
    const PlaceChoice::Kind kind = placeChoice().kind;
    cbSolarTime->setEnabled(kind == PlaceChoice::Listed || kind == PlaceChoice::Longitude);
}

bool BirthDataPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m1->viewport() && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        runReckoning();
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        auto *list = qobject_cast<QComboBox *>(watched);
        const bool listOpen = list && list->view()->isVisible();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !listOpen) {
            runReckoning();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
