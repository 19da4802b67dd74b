#include "catalogue/picturecatalogue.h"

#include <QTest>

// Records every change the catalogue asks of its controls, in order.
class RecordingView : public CatalogueView
{
public:
    QStringList log;
    void showPicture(int item, int slot) override
    {
        log << QStringLiteral("show %1@%2").arg(item + 1).arg(slot);
    }
    void hidePicture(int item) override { log << QStringLiteral("hide %1").arg(item + 1); }
    void setPreviousEnabled(bool on) override { log << (on ? "previous on" : "previous off"); }
    void setNextEnabled(bool on) override { log << (on ? "next on" : "next off"); }
    void setIndicator(const QString &text) override { log << "indicator " + text; }
    void setMemoText(const QString &text) override { log << "memo [" + text + "]"; }
    void beforeAnalysis(const CatalogueItem &item) override { log << "before " + item.Key; }
    void beforeReset() override { log << "before reset"; }
    void afterReset() override { log << "after reset"; }
};

// Items "1" ... "count" with the analyses "text of N".
static PictureCatalogue makeCatalogue(int count, int pageSize, int indent = 4)
{
    CatalogueSetup setup{{}, {}, indent, QStringLiteral("start"), QStringLiteral("reset")};
    for (int n = 1; n <= count; ++n)
        setup.Items << CatalogueItem{
            QString::number(n), {}, QStringLiteral("text of %1").arg(n), {}};
    for (int s = 0; s < pageSize; ++s)
        setup.Slots << QRect(s * 10, 0, 10, 10);
    return PictureCatalogue(setup);
}

// "9-16" -> "hide 9" ... "hide 16", or "show 9@0" ... "show 16@7".
static QStringList pictures(const char *verb, const QString &range)
{
    QStringList lines;
    const int first = range.section(u'-', 0, 0).toInt();
    const int last = range.section(u'-', -1).toInt();
    for (int n = first; n <= last && first > 0; ++n)
        lines << (qstrcmp(verb, "show") == 0 ? QStringLiteral("show %1@%2").arg(n).arg(n - first)
                                             : QStringLiteral("hide %1").arg(n));
    return lines;
}

class TestPictureCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void startAndEndPages_data();
    void startAndEndPages();
    void turnPage_data();
    void turnPage();
    void selectAndReset_data();
    void selectAndReset();
};

void TestPictureCatalogue::startAndEndPages_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<int>("pageCount");
    QTest::newRow("six pages") << 45 << 8 << 6;
    QTest::newRow("two pages") << 10 << 8 << 2;
    QTest::newRow("three pages, one item last") << 17 << 8 << 3;
    QTest::newRow("eight pages") << 60 << 8 << 8;
    QTest::newRow("face moles") << 86 << 15 << 6;
    QTest::newRow("body moles, last page full") << 18 << 6 << 3;
}

// Page 1 at start; every "下一页" counts one page up to the last; the end pages ignore the
// button that has nowhere to go.
void TestPictureCatalogue::startAndEndPages()
{
    QFETCH(int, items);
    QFETCH(int, pageSize);
    QFETCH(int, pageCount);
    PictureCatalogue catalogue = makeCatalogue(items, pageSize);
    RecordingView view;
    catalogue.setView(&view);
    catalogue.showPageState();
    QCOMPARE(catalogue.PageCount(), pageCount);
    QCOMPARE(view.log.filter(QStringLiteral("show ")).size(), pageSize);
    QCOMPARE(view.log.mid(items), QStringList({"previous off", "next on",
                                               QStringLiteral("indicator 1/%1页").arg(pageCount)}));

    view.log.clear();
    catalogue.PreviousPage();
    QCOMPARE(view.log, QStringList());
    for (int page = 2; page <= pageCount; ++page) {
        catalogue.NextPage();
        QCOMPARE(view.log.last(), QStringLiteral("indicator %1/%2页").arg(page).arg(pageCount));
    }
    view.log.clear();
    catalogue.NextPage();
    QCOMPARE(view.log, QStringList());
    QCOMPARE(catalogue.CurrentPage(), pageCount);
}

void TestPictureCatalogue::turnPage_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("hidden");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("buttons");

    QTest::newRow("six pages, leaving page 1") << 45 << 8 << 1 << 2 << "1-8"
                                               << "9-16" << QStringList{"previous on"};
    QTest::newRow("six pages, in the middle") << 45 << 8 << 3 << 4 << "17-24"
                                              << "25-32" << QStringList{};
    QTest::newRow("six pages, reaching the last") << 45 << 8 << 5 << 6 << "33-40"
                                                  << "41-45" << QStringList{"next off"};
    QTest::newRow("six pages, leaving the last") << 45 << 8 << 6 << 5 << "41-45"
                                                 << "33-40" << QStringList{"next on"};
    QTest::newRow("six pages, reaching page 1") << 45 << 8 << 2 << 1 << "9-16"
                                                << "1-8" << QStringList{"previous off"};
    // Both buttons change on one click, the one going off first.
    QTest::newRow("two pages, forward") << 10 << 8 << 1 << 2 << "1-8"
                                        << "9-10" << QStringList{"next off", "previous on"};
    QTest::newRow("two pages, back") << 10 << 8 << 2 << 1 << "9-10"
                                     << "1-8" << QStringList{"previous off", "next on"};
    QTest::newRow("three pages, to the lone item") << 17 << 8 << 2 << 3 << "9-16"
                                                   << "17" << QStringList{"next off"};
    QTest::newRow("face moles, to page 6") << 86 << 15 << 5 << 6 << "61-75"
                                           << "76-86" << QStringList{"next off"};
}

// One page turn, change by change: the pictures left in item order, the pictures reached in
// item order on their slots, the buttons, the indicator last.
void TestPictureCatalogue::turnPage()
{
    QFETCH(int, items);
    QFETCH(int, pageSize);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, hidden);
    QFETCH(QString, shown);
    QFETCH(QStringList, buttons);

    PictureCatalogue catalogue = makeCatalogue(items, pageSize);
    RecordingView view;
    catalogue.setView(&view);
    while (catalogue.CurrentPage() < from)
        catalogue.NextPage();
    view.log.clear();
    to > from ? catalogue.NextPage() : catalogue.PreviousPage();

    const int pageCount = catalogue.PageCount();
    QCOMPARE(view.log,
             pictures("hide", hidden) + pictures("show", shown) + buttons
                 + QStringList{QStringLiteral("indicator %1/%2页").arg(to).arg(pageCount)});
    QCOMPARE(catalogue.CurrentPage(), to);
}

void TestPictureCatalogue::selectAndReset_data()
{
    QTest::addColumn<int>("indent");
    QTest::newRow("palm") << 4;
    QTest::newRow("face moles") << 44;
}

// A click writes the indent and the analysis, a reset the reset text, each between the hooks
// the mole catalogues use; neither pages.
void TestPictureCatalogue::selectAndReset()
{
    QFETCH(int, indent);
    PictureCatalogue catalogue = makeCatalogue(17, 8, indent);
    RecordingView view;
    catalogue.setView(&view);
    catalogue.NextPage();
    view.log.clear();

    catalogue.SelectItem(2); // on page 1, no longer shown: the text is written all the same
    catalogue.ResetAnalysis();
    catalogue.ResetAnalysis();
    QCOMPARE(view.log, QStringList({"before 3", "memo [" + QString(indent, u' ') + "text of 3]",
                                    "before reset", "memo [reset]", "after reset", "before reset",
                                    "memo [reset]", "after reset"}));
    QCOMPARE(catalogue.CurrentPage(), 2);
}

QTEST_GUILESS_MAIN(TestPictureCatalogue)
#include "tst_picturecatalogue.moc"
