#include "app/form1.h"
#include "app/program.h"
#include "mole/molepage.h"
#include "palm/palmpage.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QPushButton>
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
    QTest::newRow("bone weight") << 0 << -1 << 0 << list("cf cy ch cd cm b1 m1");
    QTest::newRow("palm introduction") << 1 << 0 << 0 << list("r1");
    QTest::newRow("career, first page") << 1 << 1 << 0 << list("BitBtn3 m2");
    QTest::newRow("career, middle page") << 1 << 1 << 1 << list("BitBtn2 BitBtn3 m2");
    QTest::newRow("wealth, last page") << 1 << 2 << 1 << list("BitBtn1 m3");
    QTest::newRow("women's health") << 1 << 6 << 1 << list("BitBtn11 BitBtn12 m7");
    QTest::newRow("face moles") << 2 << 0 << 1 << list("BitBtn13 BitBtn14 m8");
    QTest::newRow("body moles, last page") << 2 << 1 << 2 << list("BitBtn15 m9");
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

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
