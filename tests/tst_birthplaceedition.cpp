// The birthplace each edition starts on, and what a 公历 reading there reads, through the real
// window. CTest runs it under a Simplified, a Taiwan and a Hong Kong desktop (boneweight.cmake).
#include "app/form1.h"
#include "app/program.h"
#include "boneweight/birthdatapage.h"
#include "edition/edition.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTest>

class TestBirthplaceEdition : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void readsTheEditionsClock_data();
    void readsTheEditionsClock();
};

void TestBirthplaceEdition::initTestCase()
{
    setUpApplication();
    const QByteArray expected = qgetenv("LORVEX_EXPECTED_EDITION");
    const text::Edition edition = edition::current();
    QCOMPARE(QByteArray(edition == text::Edition::Taiwan     ? "tw"
                        : edition == text::Edition::HongKong ? "hk"
                                                             : "zh-Hans"),
             expected);
}

void TestBirthplaceEdition::readsTheEditionsClock_data()
{
    // Summer time as zdump -v lists Asia/Shanghai, Asia/Taipei and Asia/Hong_Kong.
    QTest::addColumn<QStringList>("choice");
    QTest::addColumn<QList<bool>>("takenBack"); // Simplified (Beijing), Taiwan, Hong Kong
    QTest::newRow("1988-07-01, Beijing only")
        << QStringList{"1988年", "7月", "1日", "12", "30"} << QList<bool>{true, false, false};
    QTest::newRow("1965-07-15, Hong Kong only")
        << QStringList{"1965年", "7月", "15日", "12", "30"} << QList<bool>{false, false, true};
    QTest::newRow("1952-03-15, Taipei only")
        << QStringList{"1952年", "3月", "15日", "12", "30"} << QList<bool>{false, true, false};
    QTest::newRow("2027-07-01, none")
        << QStringList{"2027年", "7月", "1日", "12", "30"} << QList<bool>{false, false, false};
}

void TestBirthplaceEdition::readsTheEditionsClock()
{
    QFETCH(QStringList, choice);
    QFETCH(QList<bool>, takenBack);
    TForm1 form;
    form.FormCreate();
    BirthDataPage *page = form.TabSheet1;
    const text::Edition edition = edition::current();
    const char *home = edition == text::Edition::Taiwan     ? "台北"
                       : edition == text::Edition::HongKong ? "香港"
                                                            : nullptr;
    QCOMPARE(page->placeChoice().place,
             home ? calendar::placeNamed(QString::fromUtf8(home)) : nullptr);
    page->rbSolar->setChecked(true);
    const QList<QComboBox *> lists{page->cy, page->cm, page->cd, page->ch, page->cf};
    for (int i = 0; i < lists.size(); ++i)
        lists[i]->setEditText(choice[i]);
    page->b1Click();
    QVERIFY(page->lastReading());
    QCOMPARE(page->lastReading()->lunar.summerTime == calendar::SummerTime::TakenBack,
             takenBack[int(edition)]);
}

QTEST_MAIN(TestBirthplaceEdition)
#include "tst_birthplaceedition.moc"
