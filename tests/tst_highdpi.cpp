#include "app/form1.h"
#include "base/look.h"
#include "base/today.h"
#include "boneweight/birthdatapage.h"
#include "boneweight/gregorianbirth.h"
#include "boneweight/verses.h"
#include "catalogue/picturecatalogue.h"
#include "edition/edition.h"
#include "mole/molepage.h"
#include "palm/palmintropage.h"
#include "palm/palmpage.h"
#include "palm/palmtopictab.h"
#include "picture/jpeg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

#include <algorithm>
#include <functional>

using namespace Qt::Literals::StringLiterals;

// The window as it looks on a finer screen. The suite is run once at each of the scales in
// tests/spine.cmake (QT_SCALE_FACTOR): at every one, no text may be cut off by its control or run
// into another's, and every picture must be shown from its finer drawing.
class TestHighDpi : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyPictureHasAFinerDrawing();
    void finerDrawingCoversThePicturesPlace_data();
    void finerDrawingCoversThePicturesPlace();
    void textFitsAndStaysApart();
    void convertedBirthFitsAndStaysApart();
    void birthplaceFitsAndClearsTheDisc_data();
    void birthplaceFitsAndClearsTheDisc();
    void everyMoleTitleStaysOnItsMemo();
    void everyReadingFitsItsMemo();
    void picturesAreShownFine();
    void linePitchIsTheFontMetrics();
};

namespace {

QStringList builtInPictures()
{
    QStringList paths;
    QDirIterator it(QStringLiteral(":/pictures"), {QStringLiteral("*.jpg")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.endsWith(QLatin1String("@2x.jpg")))
            paths.append(path);
    }
    return paths;
}

// Where a piece of text stands, in the window's coordinates, and whose it is.
struct TextPlace
{
    QRect rect;
    const QWidget *owner;
    QString what;
};

QString describe(const QWidget *w, const QString &text)
{
    return QStringLiteral("%1 \"%2\"").arg(w->objectName(), text);
}

// The text of every shown control below `root`; whatever does not fit its control is reported in
// `cut`.
QList<TextPlace> shownTexts(QWidget *root, QStringList &cut)
{
    QList<TextPlace> texts;
    const auto add = [&](const QWidget *w, const QRect &local, const QString &text) {
        texts.append({QRect(w->mapTo(root, local.topLeft()), local.size()), w, describe(w, text)});
    };
    const auto fits = [&](const QWidget *w, const QRect &room, int width, const QString &text) {
        if (width > room.width() || w->fontMetrics().height() > room.height() + 2)
            cut << QStringLiteral("%1 needs %2 × %3, has %4 × %5")
                       .arg(describe(w, text))
                       .arg(width)
                       .arg(w->fontMetrics().height())
                       .arg(room.width())
                       .arg(room.height());
    };
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (!w->isVisible())
            continue;
        if (auto *label = qobject_cast<QLabel *>(w);
            label && !label->text().isEmpty() && !label->wordWrap()) {
            const QString text = label->text().remove(QLatin1Char('&'));
            const QFontMetrics metrics = label->fontMetrics();
            const int width = metrics.horizontalAdvance(text);
            fits(label, label->contentsRect(), width, text);
            // A label may stand close beside another control, as the colon between the hour and
            // the minute does: only its ink counts.
            const QRect line
                = QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                                      QSize(width, metrics.height()), label->contentsRect());
            const QRect ink = metrics.boundingRect(text);
            add(label, QRect(line.left() + ink.left(), line.top(), ink.width(), line.height()),
                text);
        } else if (label && !label->text().isEmpty()) {
            // A wrapping label must hold all its lines.
            const QRect room = label->contentsRect();
            if (label->heightForWidth(room.width()) > room.height() + 2)
                cut << QStringLiteral("%1 needs %2 lines' height, has %3")
                           .arg(describe(label, label->text()))
                           .arg(label->heightForWidth(room.width()))
                           .arg(room.height());
            add(label, room, label->text());
        } else if (auto *radio = qobject_cast<QAbstractButton *>(w);
                   radio && (qobject_cast<QRadioButton *>(w) || qobject_cast<QCheckBox *>(w))) {
            const QSize needs = radio->sizeHint();
            if (needs.width() > radio->width() || needs.height() > radio->height() + 2)
                cut << QStringLiteral("%1 needs %2 × %3, has %4 × %5")
                           .arg(describe(radio, radio->text()))
                           .arg(needs.width())
                           .arg(needs.height())
                           .arg(radio->width())
                           .arg(radio->height());
            add(radio, radio->rect(), radio->text());
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            const QString text = button->text().remove(QLatin1Char('&'));
            fits(button, button->rect().adjusted(2, 2, -2, -2),
                 button->fontMetrics().horizontalAdvance(text), text);
            add(button, button->rect(), text);
        } else if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->lineEdit()) {
            const QLineEdit *edit = combo->lineEdit();
            const QString text = edit->text().isEmpty() ? edit->placeholderText() : edit->text();
            fits(combo, edit->geometry(), edit->fontMetrics().horizontalAdvance(text), text);
            add(combo, combo->rect(), text);
        } else if (auto *box = qobject_cast<QGroupBox *>(w); box && !box->title().isEmpty()) {
            QStyleOptionGroupBox option;
            option.initFrom(box);
            option.text = box->title();
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const QRect title = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                             QStyle::SC_GroupBoxLabel, box);
            fits(box, box->rect().intersected(title), title.width(), box->title());
            add(box, title, box->title());
        } else if (auto *bar = qobject_cast<QTabBar *>(w)) {
            for (int i = 0; i < bar->count(); ++i) {
                const QString text = bar->tabText(i).remove(QLatin1Char('&'));
                const QRect tab = bar->tabRect(i);
                fits(bar, bar->rect().intersected(tab).adjusted(2, 0, -2, 0),
                     bar->fontMetrics().horizontalAdvance(text), text);
                add(bar, tab, text);
            }
        }
    }
    return texts;
}

// Calls `check` with each combination of shown tabs, named by their captions.
void eachView(QTabWidget *tabs, const QString &where, const std::function<void(QString)> &check)
{
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        const QString here = where + QLatin1Char('/') + tabs->tabText(i).trimmed();
        QTabWidget *inner = nullptr;
        for (QTabWidget *t : tabs->currentWidget()->findChildren<QTabWidget *>())
            if (t->isVisible())
                inner = t;
        if (inner)
            eachView(inner, here, check);
        else
            check(here);
    }
}

} // namespace

// The edition of the desktop, as the program starts it (spine.cmake runs this in 繁體 too).
void TestHighDpi::initTestCase()
{
    edition::setEdition(text::systemEdition());
}

void TestHighDpi::everyPictureHasAFinerDrawing()
{
    const QStringList pictures = builtInPictures();
    QVERIFY(pictures.size() >= 324); // 217 palms, 104 moles, two charts, the steelyard
    for (const QString &path : pictures) {
        const QImage picture = builtInPicture(path);
        QString finerPath = path;
        finerPath.insert(path.size() - 4, QStringLiteral("@2x"));
        QFile finer(finerPath);
        QVERIFY2(finer.open(QIODevice::ReadOnly), qPrintable(finerPath));
        QCOMPARE(decodeJpeg(finer.readAll()).size(), picture.size() * 2);
    }
}

void TestHighDpi::finerDrawingCoversThePicturesPlace_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<qreal>("pixels"); // device pixels to one of ours
    QTest::newRow("1") << qreal(1) << qreal(1);
    QTest::newRow("1.25") << qreal(1.25) << qreal(1.25);
    QTest::newRow("1.5") << qreal(1.5) << qreal(1.5);
    QTest::newRow("2") << qreal(2) << qreal(2);
    QTest::newRow("3") << qreal(3) << qreal(3);
    QTest::newRow("below 1") << qreal(0.5) << qreal(1);
}

void TestHighDpi::finerDrawingCoversThePicturesPlace()
{
    QFETCH(qreal, ratio);
    QFETCH(qreal, pixels);
    for (const QString &path :
         {QStringLiteral(":/pictures/palm/Image137.jpg"), QStringLiteral(":/pictures/mole/k18.jpg"),
          QStringLiteral(":/pictures/Image218.jpg")}) {
        const QImage plain = builtInPicture(path);
        const QImage shown = builtInPicture(path, ratio);
        QCOMPARE(shown.devicePixelRatio(), pixels);
        QCOMPARE(shown.width(), qRound(plain.width() * pixels));
        QCOMPARE(shown.height(), qRound(plain.height() * pixels));
    }
    // A picture without a finer drawing is shown as it is.
    QCOMPARE(builtInPicture(QStringLiteral(":/pictures/none.jpg"), ratio), QImage());
}

namespace {

// Texts cut off by their control, and texts of different controls that run into each other.
void collectFaults(QWidget *root, const QString &view, QStringList &faults)
{
    QStringList cut;
    const QList<TextPlace> texts = shownTexts(root, cut);
    for (const QString &c : cut)
        faults << view + QStringLiteral(": ") + c;
    for (qsizetype i = 0; i < texts.size(); ++i)
        for (qsizetype j = i + 1; j < texts.size(); ++j)
            if (texts[i].rect.intersects(texts[j].rect) && texts[i].owner != texts[j].owner)
                faults << QStringLiteral("%1: %2 runs into %3")
                              .arg(view, texts[i].what, texts[j].what);
}

} // namespace

void TestHighDpi::textFitsAndStaysApart()
{
    TForm1 form;
    form.showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QStringList faults;
    eachView(form.PageControl1, QString(),
             [&](const QString &view) { collectFaults(&form, view, faults); });
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TestHighDpi::convertedBirthFitsAndStaysApart()
{
    // The longest lines a Gregorian pick brings: a 十二月 with summer time taken back, and
    // the refusal of a date before the range, which breaks onto a second line.
    TForm1 form;
    form.FormCreate();
    form.showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.findChild<QRadioButton *>(QStringLiteral("rbSolar"))->setChecked(true);
    form.TabSheet1->cbPlace->setCurrentIndex(0); // Beijing time in every edition
    const auto pick = [&](const QStringList &texts) {
        const char *names[] = {"cy", "cm", "cd", "ch", "cf"};
        for (int i = 0; i < 5; ++i)
            form.findChild<QComboBox *>(QString::fromLatin1(names[i]))->setEditText(texts[i]);
        form.findChild<QPushButton *>(QStringLiteral("b1"))->click();
    };
    const auto *panel = form.findChild<QWidget *>(QStringLiteral("Panel11"));
    const auto *lConverted = form.findChild<QLabel *>(QStringLiteral("lConverted"));
    const auto *l1 = form.findChild<QLabel *>(QStringLiteral("l1"));
    QStringList faults;

    pick({"1943年", "1月", "30日", "1", "00"}); // 农历1942年十二月廿五 子时, in summer time
    QVERIFY2(lConverted->text().endsWith(
                 QCoreApplication::translate("GregorianBirth", " · 已按夏令时减一小时")),
             qPrintable(lConverted->text()));
    collectFaults(&form, lConverted->text(), faults);
    QVERIFY(panel->rect().contains(lConverted->geometry()));

    pick({"1901年", "2月", "18日", "23", "00"});
    QCOMPARE(l1->text(), QCoreApplication::translate("GregorianBirth", OutOfRangePrompt));
    collectFaults(&form, l1->text(), faults);
    QVERIFY(panel->rect().contains(l1->geometry()));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TestHighDpi::birthplaceFitsAndClearsTheDisc_data()
{
    // The longest lines a birthplace brings: a five-character place with summer time taken back;
    // true solar time, the note on 1949's clocks and the 子时 counted whole, each on its line; a
    // typed longitude far from 120°E and the next birthday of a 闰五月三十 (1952-07-21) in a
    // year with neither.
    QTest::addColumn<QString>("place"); // empty: 农历
    QTest::addColumn<QStringList>("choice");
    QTest::newRow("农历") << QString() << QStringList{"1990年", "12月", "30日", "23", "30"};
    QTest::newRow("five characters, 1943")
        << u"巴音郭楞州"_s << QStringList{"1943年", "1月", "31日", "0", "30"};
    QTest::newRow("four lines, 1943")
        << u"上海"_s << QStringList{"1943年", "1月", "31日", "0", "30"};
    QTest::newRow("typed longitude, 闰五月三十")
        << u"西经157°51′30″"_s << QStringList{"1952年", "7月", "21日", "12", "00"};
}

void TestHighDpi::birthplaceFitsAndClearsTheDisc()
{
    QFETCH(QString, place);
    QFETCH(QStringList, choice);
    base::setToday([] { return QDate(2029, 1, 1); });
    TForm1 form;
    form.FormCreate();
    form.showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    BirthDataPage *page = form.TabSheet1;
    // Each edition starts on its own region's clock.
    const char *home = edition::current() == text::Edition::Taiwan     ? "台北"
                       : edition::current() == text::Edition::HongKong ? "香港"
                                                                       : nullptr;
    QCOMPARE(page->placeChoice().place,
             home ? calendar::placeNamed(QString::fromUtf8(home)) : nullptr);
    page->rbSolar->setChecked(!place.isEmpty());
    if (const calendar::Place *listed = calendar::placeNamed(place)) {
        page->cbPlace->setCurrentIndex(
            page->cbPlace->findData(int(listed - calendar::places().data())));
    } else if (!place.isEmpty()) { // typed, as a user would
        page->cbPlace->lineEdit()->clear();
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, place);
        QApplication::sendEvent(page->cbPlace->lineEdit(), &typed);
    }
    page->cbSolarTime->setChecked(!place.startsWith(u"巴"));
    page->cbZiNextDay->setChecked(true);
    const QList<QComboBox *> lists{page->cy, page->cm, page->cd, page->ch, page->cf};
    for (int i = 0; i < lists.size(); ++i)
        lists[i]->setEditText(choice[i]);
    page->b1Click();
    base::setToday({});
    QVERIFY2(page->lNextBirthday->isVisible() && page->lCorrections->isVisible(),
             qPrintable(page->l1->text()));

    QStringList faults;
    collectFaults(&form, QString::fromUtf8(QTest::currentDataTag()), faults);
    // The disc the movie draws, measured on its frames: centre and radius in the tab's pixels.
    const QPointF centre(421, 264);
    for (const QWidget *w : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const QRectF r = w->geometry();
        const QPointF nearest(std::clamp(centre.x(), r.left(), r.right()),
                              std::clamp(centre.y(), r.top(), r.bottom()));
        if (w->isVisible() && w->objectName() != u"fla"
            && (QLineF(centre, nearest).length() < 134 || !page->rect().contains(w->geometry())))
            faults << w->objectName() + u" on the disc or off the tab"_s;
    }
    QVERIFY(page->Panel11->rect().contains(page->lConverted->geometry()));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TestHighDpi::everyMoleTitleStaysOnItsMemo()
{
    // The title sizes itself to each mole's name, so it is the one text that grows with the font.
    TForm1 form;
    form.showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.PageControl1->setCurrentWidget(form.TabSheet10);
    const auto *title = form.findChild<QLabel *>(QStringLiteral("s7"));
    const auto *memo = form.findChild<QWidget *>(QStringLiteral("m8"));
    QVERIFY(title && memo);
    PictureCatalogue &faces = form.TabSheet10->faceCatalogue();
    for (int item = 0; item < 86; ++item) {
        faces.SelectItem(item);
        QVERIFY2(memo->geometry().contains(title->geometry()), qPrintable(title->text()));
    }
}

namespace {

// The memos and the introduction have no scroll bars: a line past the foot would be lost.
template<typename Memo>
bool lastLineShows(const Memo *memo)
{
    QTextCursor end(memo->document());
    end.movePosition(QTextCursor::End);
    return memo->cursorRect(end).bottom() <= memo->viewport()->height();
}

} // namespace

void TestHighDpi::everyReadingFitsItsMemo()
{
    TForm1 form;
    form.showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QStringList lost;

    auto *m1 = form.findChild<QPlainTextEdit *>(QStringLiteral("m1"));
    QVERIFY(m1);
    m1->setPlainText(VerseText(21).repeated(4)); // longer than any: must be seen lost
    QVERIFY(!lastLineShows(m1));
    for (int total = 21; total <= 71; ++total) {
        m1->setPlainText(VerseText(total)); // as a reckoning shows it
        if (!lastLineShows(m1))
            lost << QStringLiteral("m1: the verse of %1").arg(total);
    }

    form.PageControl1->setCurrentWidget(form.TabSheet2);
    PalmPage *palm = form.TabSheet2;
    palm->PageControl2->setCurrentWidget(palm->TabSheet9);
    palm->TabSheet9->loadIntroduction(PalmIntroPage::introductionPath());
    const auto *r1 = palm->TabSheet9->findChild<QTextEdit *>(QStringLiteral("r1"));
    QVERIFY(r1 && !r1->document()->isEmpty());
    if (!lastLineShows(r1))
        lost << QStringLiteral("r1: the introduction");

    const auto readAll = [&](QWidget *tab, PictureCatalogue &catalogue) {
        auto *tabs = qobject_cast<QTabWidget *>(tab->parentWidget()->parentWidget());
        tabs->setCurrentWidget(tab);
        const auto *memo = tab->findChild<QPlainTextEdit *>();
        for (int item = 0; item < catalogue.Items().size(); ++item) {
            catalogue.SelectItem(item);
            if (!lastLineShows(memo))
                lost << QStringLiteral("%1: %2").arg(memo->objectName(),
                                                     catalogue.Items().at(item).Key);
        }
    };
    for (PalmTopicTab *topic : {palm->TabSheet3, palm->TabSheet4, palm->TabSheet5, palm->TabSheet6,
                                palm->TabSheet7, palm->TabSheet8})
        readAll(topic, topic->catalogue());
    form.PageControl1->setCurrentWidget(form.TabSheet10);
    readAll(form.TabSheet10->TabSheet12, form.TabSheet10->faceCatalogue());
    readAll(form.TabSheet10->TabSheet11, form.TabSheet10->bodyCatalogue());
    QVERIFY2(lost.isEmpty(), qPrintable(lost.join(QLatin1Char('\n'))));
}

void TestHighDpi::picturesAreShownFine()
{
    TForm1 form;
    form.showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const qreal ratio = form.devicePixelRatioF();
    int seen = 0;
    eachView(form.PageControl1, QString(), [&](const QString &view) {
        for (const QLabel *label : form.findChildren<QLabel *>()) {
            if (!label->isVisible() || label->pixmap().isNull())
                continue;
            ++seen;
            QVERIFY2(qFuzzyCompare(label->pixmap().devicePixelRatio(), ratio),
                     qPrintable(view + QLatin1Char(' ') + label->objectName()));
        }
    });
    QVERIFY(seen > 20);
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestHighDpi test;
    return QTest::qExec(&test, argc, argv);
}

// The Song face is fitted to its room by trying sizes on one raw face; the result must be what
// QFontMetrics says of a font at that size, in every face the editions use, at this scale.
void TestHighDpi::linePitchIsTheFontMetrics()
{
    for (const char *family : {"cwTeXMing", "AR PL UMing HK", "AR PL SungtiL GB"}) {
        for (const QFont::Weight weight : {QFont::Normal, QFont::Bold}) {
            QFont font(QString::fromLatin1(family));
            font.setWeight(weight);
            font.setPixelSize(40);
            QRawFont face = QRawFont::fromFont(font);
            QVERIFY(face.isValid());
            for (int size = 8; size <= 40; ++size) {
                font.setPixelSize(size);
                const QFontMetrics metrics(font);
                QCOMPARE(base::linePitch(face, size),
                         std::max(metrics.lineSpacing(), metrics.height()));
            }
        }
    }
}

#include "tst_highdpi.moc"
