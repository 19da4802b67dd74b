#include "app/form1.h"
#include "app/program.h"
#include "base/look.h"
#include "boneweight/birthdatapage.h"
#include "mole/molepage.h"
#include "palm/palmintropage.h"
#include "palm/palmpage.h"
#include "schemes.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

// Every text of the window read on the pixels it paints, under a light, a dark and a
// high-contrast scheme set on the whole application while the window is open, as a desktop
// switching its scheme does: each must stand at 4.5:1 or better on what is behind it.
class TestContrast : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void ratioMatchesPublishedFigures_data();
    void ratioMatchesPublishedFigures();
    void accentKeepsItsHueAndReads_data();
    void accentKeepsItsHueAndReads();
    void everyTextReads_data();
    void everyTextReads();

private:
    std::unique_ptr<TForm1> form;
};

namespace {

// A piece of text on the screen: where it is in the window and whose it is.
struct TextArea
{
    QString what;
    QRect rect; // in the window's coordinates
};

QRect inWindow(const QWidget *w, const QRect &local)
{
    return QRect(w->mapTo(w->window(), local.topLeft()), local.size());
}

// The line of a memo's last character: clear of any title lying over the memo's top.
QRect lastLine(QPlainTextEdit *memo)
{
    QTextCursor cursor(memo->document());
    cursor.movePosition(QTextCursor::End);
    const QRect caret = memo->cursorRect(cursor);
    return inWindow(memo->viewport(),
                    QRect(0, caret.top(), memo->viewport()->width(), caret.height())
                        .intersected(memo->viewport()->rect()));
}

// In the introduction: its first line of plain text below the title, and each coloured word
// in view.
QList<TextArea> introductionAreas(QTextEdit *r1)
{
    QList<TextArea> areas;
    QWidget *view = r1->viewport();
    bool plainTaken = false;
    for (QTextBlock block = r1->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCursor cursor(r1->document());
            cursor.setPosition(fragment.position());
            const QRect start = r1->cursorRect(cursor);
            if (start.top() < 30 || start.bottom() > view->height())
                continue; // under the title, or out of view
            const bool coloured = fragment.charFormat().hasProperty(QTextFormat::ForegroundBrush);
            if (!coloured && plainTaken)
                continue;
            cursor.setPosition(fragment.position() + 1);
            const QRect oneCharacter = QRect(start.topLeft(), r1->cursorRect(cursor).bottomLeft())
                                           .adjusted(0, 0, 0, 0)
                                           .normalized();
            const QRect area(start.left(), start.top(), std::max(oneCharacter.width(), 12),
                             start.height());
            areas.append({QStringLiteral("r1 \"%1\"").arg(fragment.text().left(6)),
                          inWindow(view, area.intersected(view->rect()))});
            plainTaken = plainTaken || !coloured;
        }
    }
    return areas;
}

// Every text shown in the window now: labels, memos, lists, buttons, frame titles, tabs and the
// menu's two commands. Disabled buttons are left out: a greyed control is not read.
QList<TextArea> shownTexts(QWidget *window)
{
    QList<TextArea> areas;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisible())
            continue;
        const QString name = w->objectName();
        if (auto *label = qobject_cast<QLabel *>(w)) {
            if (!label->text().trimmed().isEmpty())
                areas.append({name, inWindow(label, label->contentsRect())});
        } else if (auto *memo = qobject_cast<QPlainTextEdit *>(w)) {
            if (!memo->toPlainText().trimmed().isEmpty())
                areas.append({name, lastLine(memo)});
        } else if (auto *rich = qobject_cast<QTextEdit *>(w)) {
            areas.append(introductionAreas(rich));
        } else if (auto *list = qobject_cast<QComboBox *>(w)) {
            areas.append({name, inWindow(list->lineEdit(), list->lineEdit()->rect())});
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            if (button->isEnabled())
                areas.append({name, inWindow(button, button->rect().adjusted(4, 4, -4, -4))});
        } else if (auto *box = qobject_cast<QGroupBox *>(w)) {
            QStyleOptionGroupBox option;
            option.initFrom(box);
            option.text = box->title();
            option.subControls = QStyle::SC_GroupBoxLabel;
            const QRect title = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                             QStyle::SC_GroupBoxLabel, box);
            if (!box->title().trimmed().isEmpty())
                areas.append({name, inWindow(box, title)});
        } else if (auto *bar = qobject_cast<QTabBar *>(w)) {
            for (int i = 0; i < bar->count(); ++i)
                areas.append({QStringLiteral("tab \"%1\"").arg(bar->tabText(i).trimmed()),
                              inWindow(bar, bar->tabRect(i).adjusted(4, 4, -4, -4))});
        } else if (auto *menu = qobject_cast<QMenuBar *>(w)) {
            for (QAction *action : menu->actions())
                if (!action->text().trimmed().isEmpty())
                    areas.append(
                        {action->objectName(),
                         inWindow(menu, menu->actionGeometry(action).adjusted(2, 2, -2, -2))});
        }
    }
    return areas;
}

// The contrast of a text with its background on the pixels: the background is the colour most
// of the area has, the text the pixel that stands out from it most (a glyph's stem, painted in
// full).
double measuredContrast(const QImage &shot, const QRect &area)
{
    QHash<QRgb, int> counts;
    const QRect inside = area.intersected(shot.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[shot.pixel(x, y)];
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, base::contrastRatio(QColor(it.key()), QColor(background)));
    return best;
}

} // namespace

void TestContrast::initTestCase()
{
    setUpApplication();
    QApplication::setPalette(schemes::light());
    form = std::make_unique<TForm1>();
    form->FormCreate();
    form->showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    // A reading, so that the weight line and the verse show.
    BirthDataPage *page = form->TabSheet1;
    page->cy->setEditText(QStringLiteral("1990年"));
    page->cm->setEditText(QStringLiteral("5月"));
    page->cd->setEditText(QStringLiteral("12日"));
    page->ch->setEditText(QStringLiteral("8"));
    page->cf->setEditText(QStringLiteral("30"));
    page->b1Click();
    QVERIFY(!page->l1->text().isEmpty());
}

void TestContrast::cleanupTestCase()
{
    form.reset();
    QApplication::setPalette(schemes::light());
}

void TestContrast::ratioMatchesPublishedFigures_data()
{
    // Figures as contrast checkers (WebAIM's) give them, to two places.
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("#767676 on white") << QColor(0x767676) << QColor(Qt::white) << 4.54;
    QTest::newRow("#777777 on white") << QColor(0x777777) << QColor(Qt::white) << 4.48;
    QTest::newRow("blue on white") << QColor(Qt::blue) << QColor(Qt::white) << 8.59;
    QTest::newRow("white on #808080") << QColor(Qt::white) << QColor(0x808080) << 3.95;
    QTest::newRow("same colour") << QColor(0x3daee9) << QColor(0x3daee9) << 1.0;
}

void TestContrast::ratioMatchesPublishedFigures()
{
    QFETCH(QColor, text);
    QFETCH(QColor, background);
    QFETCH(double, ratio);
    QVERIFY2(std::abs(base::contrastRatio(text, background) - ratio) < 0.006,
             qPrintable(QString::number(base::contrastRatio(text, background))));
}

void TestContrast::accentKeepsItsHueAndReads_data()
{
    QTest::addColumn<QColor>("accent");
    QTest::addColumn<QColor>("face");
    QTest::addColumn<bool>("kept");
    QTest::newRow("navy on the light face") << base::Navy << QColor(0xefefef) << true;
    QTest::newRow("navy on Windows' grey") << base::Navy << QColor(0xd4d0c8) << true;
    QTest::newRow("navy on the dark face") << base::Navy << QColor(0x2a2e32) << false;
    QTest::newRow("navy on black") << base::Navy << QColor(Qt::black) << false;
    QTest::newRow("light highlight on the light face")
        << QColor(0x308cc6) << QColor(0xefefef) << false;
    QTest::newRow("maroon on the dark face") << QColor(128, 0, 0) << QColor(0x31363b) << false;
    QTest::newRow("yellow on black") << QColor(Qt::yellow) << QColor(Qt::black) << true;
}

void TestContrast::accentKeepsItsHueAndReads()
{
    QFETCH(QColor, accent);
    QFETCH(QColor, face);
    QFETCH(bool, kept);
    const QColor shown = base::accentOn(accent, face);
    QCOMPARE(shown == accent, kept);
    QVERIFY2(base::contrastRatio(shown, face) >= 4.5,
             qPrintable(QString::number(base::contrastRatio(shown, face))));
    QVERIFY(std::abs(shown.toHsl().hslHue() - accent.toHsl().hslHue()) <= 2);
}

void TestContrast::everyTextReads_data()
{
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("subTab");
    const struct
    {
        const char *name;
        int tab, subTab;
    } pages[] = {
        {"bone weight", 0, -1}, {"palm introduction", 1, 0},
        {"palm career", 1, 1},  {"palm women's health", 1, 6},
        {"face moles", 2, 0},   {"body moles", 2, 1},
        {"almanac", 3, -1},
    };
    // Dark first: the window was built under the light scheme, so the switch is followed.
    for (const char *scheme : {"dark", "high-contrast", "light"})
        for (const auto &page : pages)
            QTest::addRow("%s, %s", scheme, page.name)
                << QString::fromLatin1(scheme) << page.tab << page.subTab;
}

void TestContrast::everyTextReads()
{
    QFETCH(QString, scheme);
    QFETCH(int, tab);
    QFETCH(int, subTab);
    QApplication::setPalette(schemes::byName(scheme));
    form->PageControl1->setCurrentIndex(tab);
    QTabWidget *set
        = subTab < 0 ? nullptr : form->PageControl1->currentWidget()->findChild<QTabWidget *>();
    if (set)
        set->setCurrentIndex(subTab);

    // Once at rest and once with an analysis open: its first picture clicked.
    QStringList failures, figures;
    double least = 21;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) {
            if (!set || (subTab == 0 && tab == 1))
                break;
            QWidget *page = set->currentWidget();
            QGroupBox *frame = page->findChild<QGroupBox *>();
            QLabel *first = nullptr;
            for (QLabel *label : frame->findChildren<QLabel *>())
                if (label->isVisible() && !label->pixmap().isNull()) {
                    first = label;
                    break;
                }
            QVERIFY(first);
            QTest::mouseClick(first, Qt::LeftButton);
        }
        QCoreApplication::processEvents();
        const QImage shot = form->grab().toImage();
        const QList<TextArea> areas = shownTexts(form.get());
        QVERIFY(areas.size() > 5);
        for (const TextArea &area : areas) {
            const double ratio = measuredContrast(shot, area.rect);
            least = std::min(least, ratio);
            figures << QStringLiteral("%1 %2").arg(area.what).arg(ratio, 0, 'f', 2);
            if (ratio < base::LeastContrast)
                failures << QStringLiteral("%1 at %2:1").arg(area.what).arg(ratio, 0, 'f', 2);
        }
    }
    qInfo("least %.2f:1 of %s", least, qPrintable(figures.join(QStringLiteral(", "))));
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestContrast)
#include "tst_contrast.moc"
