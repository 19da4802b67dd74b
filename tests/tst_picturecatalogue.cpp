#include "catalogue/picturecatalogue.h"

#include <QTest>

#include <map>
#include <set>

// Records what the catalogue changes, in order, and keeps the picture of the screen that the
// changes add up to.
class RecordingView : public CatalogueView
{
public:
    QStringList log;
    std::set<int> shown;
    std::map<int, int> slotOf;
    bool previousEnabled = true; // the opposite of the start state, so ShowPageState must set it
    bool nextEnabled = false;
    QString indicator;
    QString memo;

    void showPicture(int item, int slot) override
    {
        log << QStringLiteral("show %1@%2").arg(item + 1).arg(slot);
        shown.insert(item);
        slotOf[item] = slot;
    }
    void hidePicture(int item) override
    {
        log << QStringLiteral("hide %1").arg(item + 1);
        shown.erase(item);
    }
    void setPreviousEnabled(bool enabled) override
    {
        log << (enabled ? QStringLiteral("previous on") : QStringLiteral("previous off"));
        previousEnabled = enabled;
    }
    void setNextEnabled(bool enabled) override
    {
        log << (enabled ? QStringLiteral("next on") : QStringLiteral("next off"));
        nextEnabled = enabled;
    }
    void setIndicator(const QString &text) override
    {
        log << QStringLiteral("indicator ") + text;
        indicator = text;
    }
    void setMemoText(const QString &text) override
    {
        log << QStringLiteral("memo [%1]").arg(text);
        memo = text;
    }
    void beforeAnalysis(const CatalogueItem &item) override { log << "before " + item.Key; }
    void beforeReset() override { log << QStringLiteral("before reset"); }
    void afterReset() override { log << QStringLiteral("after reset"); }
};

// Items "1" ... "count", each with the analysis "text of N".
static PictureCatalogue makeCatalogue(int count, int pageSize, int indent = 4)
{
    CatalogueSetup setup;
    for (int n = 1; n <= count; ++n)
        setup.Items << CatalogueItem{
            QString::number(n), {}, QStringLiteral("text of %1").arg(n), {}};
    for (int s = 0; s < pageSize; ++s)
        setup.Slots << QRect(s * 10, 0, 10, 10);
    setup.Indent = indent;
    setup.StartText = QStringLiteral("start");
    setup.ResetText = QStringLiteral("reset");
    return PictureCatalogue(setup);
}

// "9-16" -> log lines "<verb> 9" ... "<verb> 16"; slots counted from the first.
static QStringList expectedPictures(const QString &verb, const QString &range)
{
    QStringList lines;
    if (range.isEmpty())
        return lines;
    const QStringList ends = range.split(u'-');
    const int first = ends.front().toInt();
    const int last = ends.back().toInt();
    for (int n = first; n <= last; ++n)
        lines << (verb == u"show" ? QStringLiteral("show %1@%2").arg(n).arg(n - first)
                                  : QStringLiteral("hide %1").arg(n));
    return lines;
}

class TestPictureCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void walkToTheEndAndBack_data();
    void walkToTheEndAndBack();
    void turnPage_data();
    void turnPage();
    void endPagesChangeNothing_data();
    void endPagesChangeNothing();
    void selectAndReset_data();
    void selectAndReset();
};

void TestPictureCatalogue::walkToTheEndAndBack_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<int>("lastPageItems");
    QTest::newRow("six pages, career") << 45 << 8 << 6 << 5;
    QTest::newRow("two pages, wealth") << 10 << 8 << 2 << 2;
    QTest::newRow("four pages, love") << 30 << 8 << 4 << 6;
    QTest::newRow("seven pages, family") << 55 << 8 << 7 << 7;
    QTest::newRow("eight pages, wisdom") << 60 << 8 << 8 << 4;
    QTest::newRow("three pages, one item last") << 17 << 8 << 3 << 1;
    QTest::newRow("face moles, fifteen a page") << 86 << 15 << 6 << 11;
    QTest::newRow("body moles, all pages full") << 18 << 6 << 3 << 6;
}

// At every step the screen shows exactly the current page on its first slots, the buttons
// are on exactly when there is a page to go to, and the indicator reads "p/N页".
void TestPictureCatalogue::walkToTheEndAndBack()
{
    QFETCH(int, items);
    QFETCH(int, pageSize);
    QFETCH(int, pageCount);
    QFETCH(int, lastPageItems);

    PictureCatalogue catalogue = makeCatalogue(items, pageSize);
    RecordingView view;
    catalogue.SetView(&view);
    catalogue.ShowPageState();
    QCOMPARE(catalogue.PageCount(), pageCount);
    QCOMPARE(catalogue.ItemCountOf(pageCount), lastPageItems);

    auto check = [&](int page) {
        QCOMPARE(catalogue.CurrentPage(), page);
        QCOMPARE(view.indicator, QStringLiteral("%1/%2页").arg(page).arg(pageCount));
        QCOMPARE(view.previousEnabled, page > 1);
        QCOMPARE(view.nextEnabled, page < pageCount);
        const int first = (page - 1) * pageSize;
        const int count = page == pageCount ? lastPageItems : pageSize;
        QCOMPARE(int(view.shown.size()), count);
        for (int i = first; i < first + count; ++i) {
            QVERIFY2(view.shown.count(i), qPrintable(QStringLiteral("item %1").arg(i + 1)));
            QCOMPARE(view.slotOf[i], i - first);
        }
    };

    check(1);
    for (int page = 2; page <= pageCount; ++page) {
        catalogue.NextPage();
        check(page);
    }
    for (int page = pageCount - 1; page >= 1; --page) {
        catalogue.PreviousPage();
        check(page);
    }
}

void TestPictureCatalogue::turnPage_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<QString>("hidden");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QString>("indicator");

    QTest::newRow("six pages, leaving page 1") << 45 << 8 << 1 << true << "1-8"
                                               << "9-16" << QStringList{"previous on"} << "2/6页";
    QTest::newRow("six pages, in the middle") << 45 << 8 << 3 << true << "17-24"
                                              << "25-32" << QStringList{} << "4/6页";
    QTest::newRow("six pages, reaching the last") << 45 << 8 << 5 << true << "33-40"
                                                  << "41-45" << QStringList{"next off"} << "6/6页";
    QTest::newRow("six pages, leaving the last") << 45 << 8 << 6 << false << "41-45"
                                                 << "33-40" << QStringList{"next on"} << "5/6页";
    QTest::newRow("six pages, back in the middle") << 45 << 8 << 4 << false << "25-32"
                                                   << "17-24" << QStringList{} << "3/6页";
    QTest::newRow("six pages, reaching page 1") << 45 << 8 << 2 << false << "9-16"
                                                << "1-8" << QStringList{"previous off"} << "1/6页";
    // Both buttons change on one click: the one going off first.
    QTest::newRow("two pages, forward")
        << 10 << 8 << 1 << true << "1-8"
        << "9-10" << QStringList{"next off", "previous on"} << "2/2页";
    QTest::newRow("two pages, back") << 10 << 8 << 2 << false << "9-10"
                                     << "1-8" << QStringList{"previous off", "next on"} << "1/2页";
    QTest::newRow("three pages, to the lone item") << 17 << 8 << 2 << true << "9-16"
                                                   << "17" << QStringList{"next off"} << "3/3页";
    QTest::newRow("three pages, from the lone item") << 17 << 8 << 3 << false << "17"
                                                     << "9-16" << QStringList{"next on"} << "2/3页";
    QTest::newRow("face moles, to page 6") << 86 << 15 << 5 << true << "61-75"
                                           << "76-86" << QStringList{"next off"} << "6/6页";
    QTest::newRow("body moles, to page 2") << 18 << 6 << 1 << true << "1-6"
                                           << "7-12" << QStringList{"previous on"} << "2/3页";
}

// One page turn, change by change: pictures left in item order, pictures reached in item
// order, the button changes, the indicator last.
void TestPictureCatalogue::turnPage()
{
    QFETCH(int, items);
    QFETCH(int, pageSize);
    QFETCH(int, from);
    QFETCH(bool, forward);
    QFETCH(QString, hidden);
    QFETCH(QString, shown);
    QFETCH(QStringList, buttons);
    QFETCH(QString, indicator);

    PictureCatalogue catalogue = makeCatalogue(items, pageSize);
    RecordingView view;
    catalogue.SetView(&view);
    catalogue.ShowPageState();
    while (catalogue.CurrentPage() < from)
        catalogue.NextPage();
    view.log.clear();

    forward ? catalogue.NextPage() : catalogue.PreviousPage();

    const QStringList expected = expectedPictures("hide", hidden) + expectedPictures("show", shown)
                                 + buttons + QStringList{"indicator " + indicator};
    QCOMPARE(view.log, expected);
}

void TestPictureCatalogue::endPagesChangeNothing_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("pageSize");
    QTest::newRow("six pages") << 45 << 8;
    QTest::newRow("two pages") << 10 << 8;
    QTest::newRow("three pages") << 17 << 8;
}

void TestPictureCatalogue::endPagesChangeNothing()
{
    QFETCH(int, items);
    QFETCH(int, pageSize);
    PictureCatalogue catalogue = makeCatalogue(items, pageSize);
    RecordingView view;
    catalogue.SetView(&view);
    catalogue.ShowPageState();
    view.log.clear();

    catalogue.PreviousPage();
    QCOMPARE(catalogue.CurrentPage(), 1);
    QCOMPARE(view.log, QStringList());

    while (catalogue.NextEnabled())
        catalogue.NextPage();
    const int last = catalogue.CurrentPage();
    QCOMPARE(last, catalogue.PageCount());
    view.log.clear();
    catalogue.NextPage();
    QCOMPARE(catalogue.CurrentPage(), last);
    QCOMPARE(view.log, QStringList());
}

void TestPictureCatalogue::selectAndReset_data()
{
    QTest::addColumn<int>("indent");
    QTest::addColumn<int>("item");
    QTest::newRow("palm indent, first item") << 4 << 0;
    QTest::newRow("palm indent, item on a later page") << 4 << 16;
    QTest::newRow("face-mole indent") << 44 << 5;
    QTest::newRow("body-mole indent") << 20 << 16;
}

// A click writes the indent and the analysis, a reset the reset text, each between the hooks
// the mole catalogues use; neither touches page, buttons or indicator.
void TestPictureCatalogue::selectAndReset()
{
    QFETCH(int, indent);
    QFETCH(int, item);
    PictureCatalogue catalogue = makeCatalogue(17, 8, indent);
    RecordingView view;
    catalogue.SetView(&view);
    catalogue.ShowPageState();
    catalogue.NextPage();
    catalogue.ShowStartText();
    QCOMPARE(view.memo, QStringLiteral("start"));
    view.log.clear();

    const QString text = QString(indent, u' ') + QStringLiteral("text of %1").arg(item + 1);
    catalogue.SelectItem(item);
    catalogue.SelectItem(item);
    const QStringList once = {QStringLiteral("before %1").arg(item + 1), "memo [" + text + "]"};
    QCOMPARE(view.log, once + once);
    QCOMPARE(view.memo, text);

    view.log.clear();
    catalogue.ResetAnalysis();
    catalogue.ResetAnalysis();
    const QStringList reset = {"before reset", "memo [reset]", "after reset"};
    QCOMPARE(view.log, reset + reset);
    QCOMPARE(catalogue.CurrentPage(), 2);
    QCOMPARE(view.indicator, QStringLiteral("2/3页"));
}

QTEST_GUILESS_MAIN(TestPictureCatalogue)
#include "tst_picturecatalogue.moc"
