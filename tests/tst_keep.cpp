#include "app/form1.h"
#include "app/program.h"
#include "app/readinginfront.h"
#include "boneweight/birthdatapage.h"
#include "keep/cardfiles.h"
#include "keep/keepmenu.h"
#include "keep/printdialog.h"
#include "mole/molepage.h"
#include "palm/palmpage.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLibrary>
#include <QMimeData>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

// Keeping a reading through the real window: what is kept from each tab, the card, the files.
class TestKeep : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void keptFromEachTab_data();
    void keptFromEachTab();
    void nothingToKeep();
    void pdfCarriesTheText();
    void printedPageCarriesTheText();
    void clipboardHoldsTextAndPicture();
    void failedWriteLeavesNothing();

private:
    void reckon(const QStringList &texts);
    QString pdfText(const QString &path);
    std::unique_ptr<TForm1> form;
    QStringList told;
};

void TestKeep::init()
{
    setUpApplication();
    form = std::make_unique<TForm1>();
    form->FormCreate();
    form->showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    told.clear();
    form->keepMenu->tell = [this](const QString &message) {
        told << message;
    };
}

void TestKeep::cleanup()
{
    form.reset();
}

void TestKeep::reckon(const QStringList &texts)
{
    BirthDataPage *page = form->TabSheet1;
    const QList<QComboBox *> lists{page->cy, page->cm, page->cd, page->ch, page->cf};
    for (int i = 0; i < lists.size(); ++i)
        lists[i]->setEditText(texts[i]);
    QTest::mouseClick(page->b1, Qt::LeftButton);
}

void TestKeep::keptFromEachTab_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("subTab");
    QTest::addColumn<QString>("picture"); // clicked; empty: a reckoning on the first tab
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("textStart");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("bone weight") << 0 << 0 << QString() << QString() << "富贵聪明有福寿之人"
                                 << "称骨_1990年1月1日.png";
    QTest::newRow("palm") << 1 << 1 << "Image1"
                          << "事业纹直上离宫之人"
                          << "事业纹直上离宫"
                          << "手相_事业纹直上离宫之人.png";
    QTest::newRow("face mole") << 2 << 0 << "g01"
                               << "满天星痣"
                               << "生在发际及眉毛之上"
                               << "痣相_满天星痣.png";
    QTest::newRow("body mole") << 2 << 1 << "k01"
                               << ""
                               << ""
                               << "";
}

void TestKeep::keptFromEachTab()
{
    QFETCH(int, tab);
    QFETCH(int, subTab);
    QFETCH(QString, picture);
    QFETCH(QString, subject);
    QFETCH(QString, textStart);
    QFETCH(QString, fileName);

    form->PageControl1->setCurrentIndex(tab);
    if (tab == 1)
        form->TabSheet2->PageControl2->setCurrentIndex(subTab);
    if (tab == 2)
        form->TabSheet10->PageControl3->setCurrentIndex(subTab);
    QVERIFY(!form->keepMenu->pictureAction->isEnabled());
    if (picture.isEmpty()) {
        reckon({"1990年", "1月", "1日", "0", "00"});
    } else {
        auto *label = form->findChild<QLabel *>(picture);
        QVERIFY(label);
        QTest::mouseClick(label, Qt::LeftButton);
    }
    for (QAction *action : {form->keepMenu->copyAction, form->keepMenu->pictureAction,
                            form->keepMenu->pdfAction, form->keepMenu->printAction})
        QVERIFY2(action->isEnabled(), qPrintable(action->objectName()));

    const ReadingInFront front = readingInFront(*form);
    QVERIFY(front.reading);
    const KeptReading &kept = *front.reading;
    QVERIFY(!kept.picture.isEmpty());
    QVERIFY(!kept.text.isEmpty());
    if (!subject.isEmpty())
        QCOMPARE(kept.subject, subject);
    else if (tab == 2)
        QVERIFY(!kept.subject.isEmpty()); // the body mole's place
    if (!textStart.isEmpty())
        QVERIFY2(kept.text.startsWith(textStart), qPrintable(kept.text));
    if (!fileName.isEmpty())
        QCOMPARE(defaultFileName(kept, QStringLiteral("png")), fileName);
    if (tab == 0) {
        QCOMPARE(kept.weightLine, QStringLiteral("你的命重： 3两7钱"));
        QVERIFY2(kept.facts.join('\n').contains(QStringLiteral("出生：农历1990年1月1日 0:00")),
                 qPrintable(kept.facts.join('\n')));
    }

    // The card: 540 of our pixels wide, twice that for a share, every part of it in its text.
    const QDate day(2026, 12, 9);
    const QImage one = cardImage(kept, day, 1);
    const QImage two = cardImage(kept, day, 2);
    QCOMPARE(one.width(), 540);
    QCOMPARE(two.width(), 1080);
    QVERIFY(qAbs(two.height() - 2 * one.height()) <= 2);
    QVERIFY(one.height() > 200);
    const QString text = cardText(kept, day);
    for (const QString &part : QStringList{kept.title, kept.subject, kept.weightLine, kept.text,
                                           QStringLiteral("2026年12月9日")})
        QVERIFY2(text.contains(part), qPrintable(part));

    // Saved as a picture where the user chose, at the share size.
    QTemporaryDir dir;
    form->keepMenu->askPath = [&](const QString &suggested, const QString &) {
        if (!fileName.isEmpty())
            [&] {
                QCOMPARE(QFileInfo(suggested).fileName(), fileName);
            }();
        return dir.filePath(QStringLiteral("card")); // no suffix: the menu adds it
    };
    form->keepMenu->pictureAction->trigger();
    QVERIFY(told.isEmpty());
    const QImage saved(dir.filePath(QStringLiteral("card.png")));
    QCOMPARE(saved.width(), 1080);
}

void TestKeep::nothingToKeep()
{
    KeepMenu &menu = *form->keepMenu;
    auto offWithReason = [&] {
        for (QAction *action :
             {menu.copyAction, menu.pictureAction, menu.pdfAction, menu.printAction}) {
            if (action->isEnabled() || action->toolTip().isEmpty())
                return false;
        }
        return true;
    };
    QVERIFY(offWithReason()); // first tab, nothing reckoned
    reckon({"1990年", "1月", "1日", "0", "00"});
    QVERIFY(!offWithReason());
    reckon({"1990年", "月份", "1日", "0", "00"}); // the prompt takes the reading away
    QVERIFY(offWithReason());
    QVERIFY(menu.quitAction->isEnabled());

    form->PageControl1->setCurrentIndex(1); // the introduction
    QVERIFY(offWithReason());
    form->TabSheet2->PageControl2->setCurrentIndex(1);
    QTest::mouseClick(form->TabSheet2->image(1), Qt::LeftButton);
    QVERIFY(!offWithReason());
    form->TabSheet2->PageControl2->setCurrentIndex(2); // a change of sub-tab resets the memos
    form->TabSheet2->PageControl2->setCurrentIndex(1);
    QVERIFY(offWithReason());
}

// The PDF's text as pdftotext reads it, without white space.
QString TestKeep::pdfText(const QString &path)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        qFatal("pdftotext (poppler-utils) is needed to read the PDF back");
    QProcess reader;
    reader.start(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, "-"});
    reader.waitForFinished();
    return QString::fromUtf8(reader.readAllStandardOutput()).remove(QRegularExpression("\\s"));
}

void TestKeep::pdfCarriesTheText()
{
    reckon({"1999年", "3月", "26日", "23", "59"});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("card.pdf"));
    form->keepMenu->askPath = [&](const QString &, const QString &) {
        return path;
    };
    form->keepMenu->pdfAction->trigger();
    QVERIFY(told.isEmpty());

    const QString text = pdfText(path);
    for (const QString &part :
         {QStringLiteral("你的命重：7两1钱"), QStringLiteral("大志大业势如破竹之命"),
          QStringLiteral("富贵荣华海品隆"), QStringLiteral("Lorvex2004")})
        QVERIFY2(text.contains(part), qPrintable(part + QStringLiteral(" in ") + text));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"card.pdf"});
}

// The printer's side lives in its module, loaded from the program's folder; the page is ours,
// put here on a PDF writer as it is put on the printer the user chose.
void TestKeep::printedPageCarriesTheText()
{
    QLibrary module(QStringLiteral(LORVEX_PRINT_MODULE));
    QVERIFY2(module.resolve(kPrintWithDialog), qPrintable(module.errorString()));
    QCOMPARE(QFileInfo(module.fileName()).completeBaseName(), QLatin1String(kPrintModule));

    reckon({"1999年", "3月", "26日", "23", "59"});
    const std::optional<KeptReading> reading = readingInFront(*form).reading;
    QVERIFY(reading);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("printed.pdf"));
    {
        QPdfWriter printer(path);
        printer.setResolution(600);
        QVERIFY(printCard(*reading, QDate(2027, 1, 1), printer, QString(), 600).ok);
    }
    const QString text = pdfText(path);
    for (const QString &part : {QStringLiteral("你的命重：7两1钱"), QStringLiteral("2027")})
        QVERIFY2(text.contains(part), qPrintable(part + QStringLiteral(" in ") + text));
}

void TestKeep::clipboardHoldsTextAndPicture()
{
    form->PageControl1->setCurrentIndex(2);
    QTest::mouseClick(form->findChild<QLabel *>(QStringLiteral("g01")), Qt::LeftButton);
    form->keepMenu->copyAction->trigger();
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    QVERIFY2(data->text().contains(QStringLiteral("满天星痣")), qPrintable(data->text()));
    QCOMPARE(qvariant_cast<QImage>(data->imageData()).width(), 1080);
}

void TestKeep::failedWriteLeavesNothing()
{
    reckon({"1990年", "1月", "1日", "0", "00"});
    QTemporaryDir dir;
    // A folder that went away between the dialog and the write, and a name taken by a folder.
    const QString gone = dir.filePath(QStringLiteral("gone/card.png"));
    QDir(dir.path()).mkdir(QStringLiteral("taken.png"));
    const QString taken = dir.filePath(QStringLiteral("taken.png"));
    for (const QString &path : {gone, taken}) {
        told.clear();
        form->keepMenu->askPath = [&](const QString &, const QString &) {
            return path;
        };
        form->keepMenu->pictureAction->trigger();
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].contains(QDir::toNativeSeparators(path)), qPrintable(told[0]));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_MAIN(TestKeep)
#include "tst_keep.moc"
