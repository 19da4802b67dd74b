#include "app/form1.h"
#include "app/program.h"
#include "boneweight/birthdatapage.h"
#include "catalogue/cataloguewidgets.h"
#include "mole/molepage.h"
#include "palm/palmpage.h"
#include "palm/palmtopictab.h"
#include "schemes.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

// What a screen reader meets in the real window: a name on every control, pictures named after
// their item, and the Tab key walking each page in its given order.
class TestAccessibility : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyControlHasAName();
    void picturesNameTheirItem_data();
    void picturesNameTheirItem();
    void focusOrder_data();
    void focusOrder();
    void subTabsComeAfterTheirPage_data();
    void subTabsComeAfterTheirPage();
    void everyPictureByKeyboard_data();
    void everyPictureByKeyboard();
    void pageButtonsTellThePage();

private:
    std::unique_ptr<TForm1> form;
};

namespace {

// A control is a widget of ours (it has our objectName) or one the keyboard reaches, such as a
// list's editor. Qt's own containers (a tab set's stack, a memo's viewport) and the menu bar's
// blank spacers are no controls.
bool isControl(QAccessibleInterface *iface)
{
    auto *widget = qobject_cast<QWidget *>(iface->object());
    if (!widget) // a menu item: a spacer's name is blank, a command's is its caption; a separator
        return iface->role() != QAccessible::MenuItem && iface->role() != QAccessible::Separator;
    const QString name = widget->objectName();
    const bool ours = !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
    return ours || (widget->focusPolicy() & Qt::TabFocus);
}

// Walks the whole tree below `iface`, hidden pages included; collects the widgets met and a line
// for every element without a name.
void walk(QAccessibleInterface *iface, QSet<QObject *> &met, QStringList &unnamed, int depth = 0)
{
    QVERIFY2(depth < 64, "the accessibility tree loops");
    if (QObject *object = iface->object())
        met.insert(object);
    if (iface->text(QAccessible::Name).trimmed().isEmpty() && isControl(iface)) {
        // An unnamed part is told by the control it belongs to.
        const QObject *object = iface->object();
        const QObject *owner = object;
        while (owner && owner->objectName().isEmpty())
            owner = owner->parent();
        unnamed << QStringLiteral("%1 in \"%2\" (role %3)")
                       .arg(object ? QString::fromLatin1(object->metaObject()->className())
                                   : QStringLiteral("-"),
                            owner ? owner->objectName() : QString())
                       .arg(int(iface->role()));
    }
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        QVERIFY(child);
        walk(child, met, unnamed, depth + 1);
        if (QTest::currentTestFailed())
            return;
    }
}

QWidget *named(const QWidget *root, const QString &name)
{
    return root->findChild<QWidget *>(name);
}

// The named control that holds the focus: a list's editor counts as the list.
QString focusName(const QWidget *page)
{
    if (!page->isAncestorOf(QApplication::focusWidget()))
        return {};
    for (QWidget *w = QApplication::focusWidget(); w && w != page; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            return w->objectName();
    return {};
}

} // namespace

void TestAccessibility::init()
{
    setUpApplication();
    form = std::make_unique<TForm1>();
    form->FormCreate();
    form->showCentred();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void TestAccessibility::cleanup()
{
    form.reset();
}

void TestAccessibility::everyControlHasAName()
{
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(form.get());
    QVERIFY(root);
    QSet<QObject *> met;
    QStringList unnamed;
    walk(root, met, unnamed);
    QVERIFY2(unnamed.isEmpty(), qPrintable(QStringLiteral("without a name:\n  ")
                                           + unnamed.join(QStringLiteral("\n  "))));

    // The walk reached every control of all three tabs, shown or not.
    QStringList unreached;
    for (QWidget *control : form->findChildren<QWidget *>()) {
        const QString name = control->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && !met.contains(control))
            unreached << name;
    }
    QVERIFY2(unreached.isEmpty(), qPrintable(unreached.join(u' ')));
}

void TestAccessibility::picturesNameTheirItem_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("name");
    // Palm: the analysis up to its first comma or stop.
    QTest::newRow("Image1") << "Image1"
                            << "事业纹直上离宫之人";
    QTest::newRow("Image5") << "Image5"
                            << "若事业纹起自人纹";
    QTest::newRow("Image217") << "Image217"
                              << "小指短小瘦弱且弯曲";
    // Face moles: the title without its padding.
    QTest::newRow("g01, one space") << "g01"
                                    << "满天星痣";
    QTest::newRow("g03, two spaces") << "g03"
                                     << "三星痣";
    QTest::newRow("g86, none") << "g86"
                               << "助夫致富痣";
    // Body moles: the place the analysis opens with.
    QTest::newRow("k01") << "k01"
                         << "两肘前";
    QTest::newRow("k10, 长痣") << "k10"
                               << "足心之上";
    QTest::newRow("k18") << "k18"
                         << "两肘外";
    // Charts and the first tab's picture.
    QTest::newRow("i2") << "i2"
                        << "手相图 八卦宫位";
    QTest::newRow("Image218") << "Image218"
                              << "称骨图";
}

void TestAccessibility::picturesNameTheirItem()
{
    QFETCH(QString, key);
    QFETCH(QString, name);
    QWidget *picture = named(form.get(), key);
    QVERIFY(picture);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(picture);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(picture->focusPolicy(), Qt::NoFocus);
}

void TestAccessibility::focusOrder_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("subTab");
    QTest::addColumn<int>("pagesOn");
    QTest::addColumn<QStringList>("order");
    const auto list = [](const char *names) {
        return QString::fromLatin1(names).split(u' ');
    };
    // The picture grid comes first, then what stands under it in its frame, then the memo
    // beside it; on the body moles the page buttons stand under the memo.
    QTest::newRow("bone weight") << 0 << -1 << 0 << list("cy cm cd ch cf cbZiNextDay b1 m1");
    QTest::newRow("palm introduction") << 1 << 0 << 0 << list("r1");
    QTest::newRow("career, first page") << 1 << 1 << 0 << list("GroupBox3 BitBtn3 m2");
    QTest::newRow("career, middle page") << 1 << 1 << 1 << list("GroupBox3 BitBtn2 BitBtn3 m2");
    QTest::newRow("wealth, last page") << 1 << 2 << 1 << list("GroupBox4 BitBtn1 m3");
    QTest::newRow("women's health") << 1 << 6 << 1 << list("GroupBox8 BitBtn11 BitBtn12 m7");
    QTest::newRow("face moles") << 2 << 0 << 1 << list("GroupBox9 BitBtn13 BitBtn14 m8");
    QTest::newRow("body moles, first page") << 2 << 1 << 0 << list("GroupBox10 m9 BitBtn16");
    QTest::newRow("body moles, last page") << 2 << 1 << 2 << list("GroupBox10 m9 BitBtn15");
    // The date picker takes Tab from year to month to day.
    QTest::newRow("almanac") << 3 << -1 << 0
                             << list("almanacPrevious almanacDate almanacDate almanacDate "
                                     "almanacNext almanacToday almanac");
}

void TestAccessibility::focusOrder()
{
    QFETCH(int, tab);
    QFETCH(int, subTab);
    QFETCH(int, pagesOn);
    QFETCH(QStringList, order);

    form->PageControl1->setCurrentIndex(tab);
    QWidget *page = form->PageControl1->currentWidget();
    if (subTab >= 0) {
        auto *set = page->findChild<QTabWidget *>();
        set->setCurrentIndex(subTab);
        page = set->currentWidget();
    }
    // Page on with the next-page button, as a user would.
    for (int i = 0; i < pagesOn; ++i) {
        const auto buttons = page->findChildren<QPushButton *>();
        QVERIFY(buttons.size() == 2);
        QPushButton *nextButton
            = buttons.at(0)->text() == QStringLiteral("下一页") ? buttons.at(0) : buttons.at(1);
        QTest::mouseClick(nextButton, Qt::LeftButton);
    }

    named(page, order.first())->setFocus(Qt::TabFocusReason);
    QStringList walked{focusName(page)};
    // Tab until the focus leaves the page or comes back round.
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QString name = focusName(page);
        if (name.isEmpty() || name == order.first())
            break;
        walked << name;
    }
    QCOMPARE(walked, order);
}

namespace {

// The tab sets' pages in front and the focus on the top tab bar, chosen by keyboard as a user
// does: the arrow keys on each tab bar.
QTabWidget *openByKeyboard(TForm1 *form, int tab, int subTab)
{
    QTabBar *top = form->PageControl1->tabBar();
    top->setFocus(Qt::TabFocusReason);
    for (int i = form->PageControl1->currentIndex(); i < tab; ++i)
        QTest::keyClick(top, Qt::Key_Right);
    auto *set = form->PageControl1->currentWidget()->findChild<QTabWidget *>();
    if (set && subTab >= 0) {
        set->tabBar()->setFocus(Qt::TabFocusReason);
        for (int i = set->currentIndex(); i < subTab; ++i)
            QTest::keyClick(set->tabBar(), Qt::Key_Right);
        top->setFocus(Qt::TabFocusReason);
    }
    return set;
}

// The memo's text as the catalogue wrote it: its leading no-break spaces read as spaces.
QString memoText(const QPlainTextEdit *memo)
{
    QString text = memo->toPlainText();
    text.replace(QChar::Nbsp, u' ');
    return text;
}

} // namespace

void TestAccessibility::subTabsComeAfterTheirPage_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("subTab");
    QTest::addColumn<QString>("last");
    QTest::newRow("palm introduction") << 1 << 0 << "r1";
    QTest::newRow("career") << 1 << 1 << "m2";
    QTest::newRow("face moles") << 2 << 0 << "m8";
    QTest::newRow("body moles") << 2 << 1 << "BitBtn16";
}

// The sub-tabs stand under their page: Tab reaches them after the page's last control, and
// Shift+Tab goes back to it.
void TestAccessibility::subTabsComeAfterTheirPage()
{
    QFETCH(int, tab);
    QFETCH(int, subTab);
    QFETCH(QString, last);
    QTabWidget *set = openByKeyboard(form.get(), tab, subTab);
    QVERIFY(set);
    QWidget *lastControl = named(set->currentWidget(), last);
    QVERIFY(lastControl);
    lastControl->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), set->tabBar());
    QTest::keyClick(set->tabBar(), Qt::Key_Backtab);
    QCOMPARE(focusName(set->currentWidget()), last);
}

void TestAccessibility::everyPictureByKeyboard_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("subTab");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("scheme");
    QTest::newRow("palm career") << 1 << 1 << "GroupBox3" << 8 << 4 << "light";
    QTest::newRow("palm love, dark") << 1 << 3 << "GroupBox5" << 8 << 4 << "dark";
    QTest::newRow("face moles") << 2 << 0 << "GroupBox9" << 15 << 5 << "light";
    QTest::newRow("body moles, high contrast")
        << 2 << 1 << "GroupBox10" << 6 << 3 << "high-contrast";
}

// From the top tab bar to an opened analysis and across the pages, with the keyboard alone.
void TestAccessibility::everyPictureByKeyboard()
{
    QFETCH(int, tab);
    QFETCH(int, subTab);
    QFETCH(QString, frame);
    QFETCH(int, pageSize);
    QFETCH(int, columns);
    QFETCH(QString, scheme);
    QApplication::setPalette(schemes::byName(scheme));
    const auto restore = qScopeGuard([] { QApplication::setPalette(schemes::light()); });
    QTabWidget *set = openByKeyboard(form.get(), tab, subTab);
    QWidget *page = set->currentWidget();
    auto *grid = qobject_cast<QGroupBox *>(named(page, frame));
    auto *widgets = page->findChild<CatalogueWidgets *>();
    QVERIFY(grid && widgets);
    PictureCatalogue &catalogue = widgets->catalogue();

    // Reach: one Tab from the top tab bar.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY2(QApplication::focusWidget() == grid,
             qPrintable(QApplication::focusWidget()->parentWidget()->objectName()));
    QCOMPARE(widgets->currentPicture(), 0);

    // The focus frame is drawn in the highlight colour over the current picture's edge (on a
    // finer screen, on its device pixels).
    const auto edgeOf = [&](int slotIndex) {
        const QRect slot = catalogue.Slots()[slotIndex];
        const QImage shot = grid->grab().toImage();
        const qreal ratio = shot.devicePixelRatio();
        return shot.pixelColor(QPointF(slot.left() + 1.5, slot.center().y()).toPoint() * ratio);
    };
    const auto framed = [&](int item) {
        const QColor edge = edgeOf(catalogue.slotOf(item));
        return widgets->currentPicture() == item && widgets->picture(item)->isVisible()
               && edge == grid->palette().color(QPalette::Highlight);
    };
    QVERIFY(framed(0));

    const auto press = [&](Qt::Key key, int item, int onPage) {
        QTest::keyClick(grid, key);
        QVERIFY2(framed(item), qPrintable(QStringLiteral("key %1: at %2, wanted %3")
                                              .arg(key)
                                              .arg(widgets->currentPicture())
                                              .arg(item)));
        QCOMPARE(catalogue.CurrentPage(), onPage);
        QCOMPARE(widgets->indicator()->text(), catalogue.indicatorText());
    };
    // Move along the first page, on to the next page and back.
    for (int i = 1; i < pageSize; ++i)
        press(Qt::Key_Right, i, 1);
    press(Qt::Key_Right, pageSize, 2);
    press(Qt::Key_Left, pageSize - 1, 1);
    // Down from the bottom row: the top row of the next page, the same column; Up comes back.
    press(Qt::Key_Down, pageSize + columns - 1, 2);
    press(Qt::Key_Up, pageSize - 1, 1);
    press(Qt::Key_Up, pageSize - 1 - columns, 1);
    // Page Down and Page Up keep the place on the page.
    press(Qt::Key_PageDown, 2 * pageSize - 1 - columns, 2);
    press(Qt::Key_PageUp, pageSize - 1 - columns, 1);
    press(Qt::Key_Home, 0, 1);
    press(Qt::Key_Left, 0, 1); // nothing before the first picture

    // Open: Return, then Space on the next picture, each as a click on it.
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(memoText(widgets->memo()), catalogue.memoTextOf(0));
    press(Qt::Key_Right, 1, 1);
    QTest::keyClick(grid, Qt::Key_Space);
    QCOMPARE(memoText(widgets->memo()), catalogue.memoTextOf(1));
    QCOMPARE(QApplication::focusWidget(), grid);

    // A click makes its picture the current one.
    QTest::mouseClick(widgets->picture(3), Qt::LeftButton);
    QVERIFY(framed(3));
    press(Qt::Key_Right, 4, 1);

    // The frame goes with the focus.
    QTest::keyClick(grid, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != grid);
    QVERIFY(edgeOf(1) != grid->palette().color(QPalette::Highlight));
}

// The page indicator is read with the page buttons, and follows the page.
void TestAccessibility::pageButtonsTellThePage()
{
    auto *widgets = form->TabSheet2->TabSheet3->findChild<CatalogueWidgets *>();
    QVERIFY(widgets);
    const auto description = [](QWidget *w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Description);
    };
    QCOMPARE(description(widgets->next()), QStringLiteral("1/6页"));
    widgets->catalogue().NextPage();
    QCOMPARE(description(widgets->next()), QStringLiteral("2/6页"));
    QCOMPARE(description(widgets->previous()), QStringLiteral("2/6页"));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
