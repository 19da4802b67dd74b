#include "almanac/almanacpage.h"

#include "base/announce.h"
#include "base/errorreport.h"
#include "base/look.h"
#include "base/today.h"
#include "edition/edition.h"

#include <QDateEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

namespace {

// The page's controls, in the order they are read: the day's buttons and picker in a row, the
// card under them.
constexpr QRect kPrevious{14, 10, 84, 28};
constexpr QRect kDate{106, 10, 170, 28};
constexpr QRect kNext{284, 10, 84, 28};
constexpr QRect kToday{527, 10, 84, 28};
constexpr QRect kCard{14, 46, 597, 356};

constexpr int kDayMs = 24 * 3600 * 1000;
// The wait is cut into hours at most, so that a machine that slept, or a clock that was set,
// finds the new day within the hour; and it ends a little after midnight, never before.
constexpr int kLongestWaitMs = 3600 * 1000;
constexpr int kPastMidnightMs = 50;

QPushButton *dayButton(QWidget *page, const char *name, const QString &caption, QRect place)
{
    auto *button = new QPushButton(caption, page);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(caption);
    button->setGeometry(place);
    return button;
}

} // namespace

AlmanacPage::AlmanacPage(QWidget *parent)
    : QWidget(parent)
    , m_clock([] { return QTime::currentTime(); })
{
    setObjectName(QStringLiteral("TabAlmanac"));

    almanacPrevious = dayButton(this, "almanacPrevious", tr("前一天"), kPrevious);
    almanacDate = new QDateEdit(this);
    almanacDate->setObjectName(QStringLiteral("almanacDate"));
    almanacDate->setAccessibleName(tr("选择日期"));
    almanacDate->setGeometry(kDate);
    almanacDate->setCalendarPopup(true);
    // The popup's months and weekdays in the edition's Chinese, whatever the desktop's language.
    almanacDate->setLocale(
        edition::current() == text::Edition::Simplified
            ? QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China)
            : QLocale(QLocale::Chinese, QLocale::TraditionalHanScript,
                      edition::current() == text::Edition::Taiwan ? QLocale::Taiwan
                                                                  : QLocale::HongKong));
    almanacDate->setDisplayFormat(tr("yyyy年M月d日"));
    almanacDate->setDateRange(almanac::firstAlmanacDay(), almanac::lastAlmanacDay());
    almanacNext = dayButton(this, "almanacNext", tr("后一天"), kNext);
    almanacToday = dayButton(this, "almanacToday", tr("今天"), kToday);

    almanac = new QTextEdit(this);
    almanac->setObjectName(QStringLiteral("almanac"));
    almanac->setAccessibleName(tr("黄历"));
    almanac->setGeometry(kCard);
    almanac->setReadOnly(true);
    // Selectable by keyboard too, so that Tab stops on the card and a reader can walk it.
    almanac->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    almanac->setFocusPolicy(Qt::StrongFocus);
    almanac->setFont(base::songFont(17));
    almanac->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    almanac->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    almanac->document()->setDocumentMargin(14);
    base::setCreamBase(almanac);

    setTabOrder(almanacPrevious, almanacDate);
    setTabOrder(almanacDate, almanacNext);
    setTabOrder(almanacNext, almanacToday);
    setTabOrder(almanacToday, almanac);

    midnight = new QTimer(this);
    midnight->setObjectName(QStringLiteral("almanacMidnight"));
    midnight->setSingleShot(true);
    midnight->setTimerType(Qt::PreciseTimer);
    base::connectGuarded(midnight, &QTimer::timeout, this, [this] { dayTurned(); });

    base::connectGuarded(almanacPrevious, &QPushButton::clicked, this,
                         [this] { showDay(shownDay().addDays(-1)); });
    base::connectGuarded(almanacNext, &QPushButton::clicked, this,
                         [this] { showDay(shownDay().addDays(1)); });
    base::connectGuarded(almanacToday, &QPushButton::clicked, this,
                         [this] { showDay(m_today = base::today()); });
    base::connectGuarded(almanacDate, &QDateEdit::dateChanged, this,
                         [this] { showDay(almanacDate->date()); });
}

void AlmanacPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_card)
        return;
    base::guarded([this] {
        m_today = base::today();
        showDay(m_today);
        waitForMidnight();
    });
}

void AlmanacPage::showDay(QDate day)
{
    day = std::clamp(day, almanac::firstAlmanacDay(), almanac::lastAlmanacDay());
    if (m_card && m_card->date == day)
        return;
    const bool turned = m_card.has_value();
    m_card = almanac::almanacCard(day);
    if (!m_card)
        return;
    almanac->setHtml(almanac::cardHtml(*m_card));
    almanac->setAccessibleDescription(m_card->sentence);
    {
        const QSignalBlocker quiet(almanacDate);
        almanacDate->setDate(day);
    }
    enableButtons();
    // Told when the day changes, not when the tab is first opened: the tab's name says that.
    if (turned)
        base::announce(almanac, m_card->sentence);
}

// The buttons stop at the almanac's first and last days; today may lie beyond them.
void AlmanacPage::enableButtons()
{
    const QDate first = almanac::firstAlmanacDay();
    const QDate last = almanac::lastAlmanacDay();
    almanacPrevious->setEnabled(m_card && m_card->date > first);
    almanacNext->setEnabled(m_card && m_card->date < last);
    almanacToday->setEnabled(m_today >= first && m_today <= last);
}

void AlmanacPage::setClock(std::function<QTime()> clock)
{
    m_clock = std::move(clock);
    if (midnight->isActive())
        waitForMidnight();
}

void AlmanacPage::waitForMidnight()
{
    const int sinceMidnight = m_clock().msecsSinceStartOfDay();
    midnight->start(std::min(kDayMs - sinceMidnight + kPastMidnightMs, kLongestWaitMs));
}

// The timer ends at midnight or on the hour before it: a card that showed the old today turns to
// the new one; a day the user chose stays.
void AlmanacPage::dayTurned()
{
    const QDate today = base::today();
    if (today != m_today) {
        const bool showedToday = m_card && m_card->date == m_today;
        m_today = today;
        if (showedToday)
            showDay(today);
        enableButtons();
    }
    waitForMidnight();
}

ReadingInFront AlmanacPage::keptReading() const
{
    if (!m_card)
        return {std::nullopt, tr("黄历翻开后，才有可保存的一页。")};
    KeptReading kept;
    kept.title = tr("今日黄历");
    kept.subject = m_card->heading;
    kept.facts << m_card->lunar;
    for (const almanac::CardLine &line : m_card->lines)
        if (line.item != almanac::Item::Pengzu)
            kept.facts << tr("%1：%2").arg(line.label, line.value);
        else
            kept.text = tr("%1：%2").arg(line.label, line.value);
    kept.fileStem = tr("黄历_%1").arg(dayText(m_card->date));
    return {kept, {}};
}
