#include "app/form1.h"

#include "almanac/almanacpage.h"
#include "app/helpabout.h"
#include "app/readinginfront.h"
#include "base/datafile.h"
#include "base/errorreport.h"
#include "base/failure.h"
#include "base/look.h"
#include "base/today.h"
#include "boneweight/birthdatapage.h"
#include "keep/keepmenu.h"
#include "mole/molepage.h"
#include "movie/shockwaveflash.h"
#include "palm/palmintropage.h"
#include "palm/palmpage.h"

#include <QDate>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>

#include <utility>

namespace {

// The menu bar: blank spacers push Help and About toward the right end of the bar. The first of
// them is the File menu, so the bar keeps its 27 items.
struct MenuEntry
{
    const char *name;
    const char *caption;
};
constexpr MenuEntry kSpacers[] = {
    {"N11", " "}, {"N6", "  "}, {"N7", " "},  {"N8", " "},  {"N12", " "}, {"N14", " "},
    {"N15", " "}, {"N16", " "}, {"N9", " "},  {"N17", " "}, {"N18", " "}, {"N19", " "},
    {"N20", " "}, {"N21", " "}, {"N22", " "}, {"N23", " "}, {"N25", " "}, {"N26", " "},
    {"N27", " "}, {"N28", " "}, {"N24", " "}, {"N30", " "}, {"N29", " "}, {"N13", " "},
};

// Tab goes in the order of reading: a tab set whose tabs stand under its pages has them reached
// after the controls of the page shown, not before. The tab set itself is no stop: as the tabs'
// focus proxy it would hand the focus to them ahead of the page.
void putTabsAfterPages(QWidget *window, QTabWidget *set)
{
    set->setFocusProxy(nullptr);
    set->setFocusPolicy(Qt::NoFocus);
    set->tabBar()->setFocusPolicy(Qt::TabFocus);
    QWidget *last = nullptr;
    for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain())
        if (set->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w != set->tabBar()
            && !set->tabBar()->isAncestorOf(w))
            last = w;
    if (last)
        QWidget::setTabOrder(last, set->tabBar());
}

// The captions of the tabs after the first, in their order.
constexpr const char *kBehindCaptions[] = {
    QT_TRANSLATE_NOOP("TForm1", " 看手相 "),
    QT_TRANSLATE_NOOP("TForm1", " 看痣相 "),
    QT_TRANSLATE_NOOP("TForm1", " 今日黄历 "),
};

} // namespace

TForm1::TForm1(QWidget *parent, Pages pages)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(base::ApplicationTitle));
    setFont(base::songFont(13));

    // No layout: the tab control keeps its place and size whatever the frame does; a larger
    // window shows blank background, a smaller one clips.
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setAccessibleName(tr("主窗口"));
    setCentralWidget(client);

    PageControl1 = new QTabWidget(client);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setAccessibleName(tr("算命"));
    PageControl1->setGeometry(0, 0, ClientWidth, ClientHeight);

    TabSheet1 = new BirthDataPage(nullptr, pages == Pages::AllNow ? BirthDataPage::Unseen::Now
                                                                  : BirthDataPage::Unseen::Later);
    PageControl1->addTab(TabSheet1, tr(" 我有几两命？ "));
    // The animation lies lowest on the first tab, so every control of the form is in front of it;
    // the page clips what reaches past its edges.
    fla = new TShockwaveFlash(TabSheet1);
    fla->setObjectName(QStringLiteral("fla"));
    fla->setAccessibleName(tr("太极八卦动画"));
    fla->setGeometry(-3, 4, 705, 437);
    fla->lower();
    if (pages == Pages::AllNow) {
        buildPagesBehind();
    } else {
        // Blank pages hold the tabs' places until the real ones are built; choosing one of these
        // tabs builds them before anything is painted.
        for (const char *caption : kBehindCaptions) {
            auto *blank = new QWidget;
            blank->setAutoFillBackground(true);
            blank->setAccessibleName(tr(caption).trimmed());
            PageControl1->addTab(blank, tr(caption));
        }
        connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
            if (index > 0)
                buildPagesBehind();
        });
    }
    TabSheet1->setAutoFillBackground(true);
    TabSheet1->setAccessibleName(PageControl1->tabText(0).trimmed());
    PageControl1->setCurrentIndex(0);

    buildMenu();
    resize(ClientWidth, ClientHeight + MainMenu1->sizeHint().height());
}

void TForm1::buildPagesBehind()
{
    if (TabSheet2)
        return;
    TabSheet1->prepareUnseen();
    TabSheet2 = new PalmPage;
    TabSheet10 = new MolePage;
    TabAlmanac = new AlmanacPage;
    QWidget *const pages[] = {TabSheet2, TabSheet10, TabAlmanac};
    {
        // The tab in front stays in front; the blank page in its place goes quietly.
        const QSignalBlocker quiet(PageControl1);
        const int current = PageControl1->currentIndex();
        for (int i = 0; i < 3; ++i) {
            QWidget *page = pages[i];
            // Pages in the plain button-face colour, as the panels and labels on them are.
            page->setAutoFillBackground(true);
            const int index = 1 + i;
            if (PageControl1->count() > index) {
                QWidget *blank = PageControl1->widget(index);
                PageControl1->removeTab(index);
                blank->deleteLater();
            }
            PageControl1->insertTab(index, page, tr(kBehindCaptions[i]));
            // A screen reader names each page after its tab.
            page->setAccessibleName(PageControl1->tabText(index).trimmed());
        }
        PageControl1->setCurrentIndex(current);
    }
    putTabsAfterPages(this, TabSheet2->PageControl2);
    putTabsAfterPages(this, TabSheet10->PageControl3);
    if (m_introduction)
        base::guarded([this] { TabSheet2->showIntroduction(*std::exchange(m_introduction, {})); });
    if (std::exchange(m_startTextsDue, false)) {
        TabSheet2->setStartTexts();
        TabSheet10->setStartTexts();
    }
    if (keepMenu) {
        for (QWidget *page : std::initializer_list<QWidget *>{TabSheet2, TabSheet10})
            followReadings(page);
        keepMenu->refresh();
    }
}

void TForm1::buildMenu()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setAccessibleName(tr("菜单"));
    MainMenu1->setNativeMenuBar(false);
    // Items as narrow as a classic Windows menu bar's, so that the File menu, the spacers and both
    // commands fit on one row of the 633-pixel window.
    MainMenu1->setStyleSheet(
        QStringLiteral("QMenuBar { spacing: 0px; border: none; }"
                       "QMenuBar::item { padding: 2px 4px; background: transparent; }"
                       "QMenuBar::item:selected { background: palette(highlight); color: "
                       "palette(highlighted-text); }"));
    auto *file = new QMenu(tr("文件(&F)"), MainMenu1);
    file->setObjectName(QStringLiteral("FileMenu"));
    file->setAccessibleName(tr("文件"));
    file->menuAction()->setObjectName(QStringLiteral("N10"));
    MainMenu1->addMenu(file);
    buildKeepMenu(file);
    for (const MenuEntry &spacer : kSpacers) {
        QAction *item = MainMenu1->addAction(QString::fromLatin1(spacer.caption));
        item->setObjectName(QString::fromLatin1(spacer.name));
    }
    N2 = MainMenu1->addAction(tr("帮助(&H)"));
    N2->setObjectName(QStringLiteral("N2"));
    base::connectGuarded(N2, &QAction::triggered, this, [this] { N2Click(); });
    N3 = MainMenu1->addAction(tr("关于(&A)"));
    N3->setObjectName(QStringLiteral("N3"));
    base::connectGuarded(N3, &QAction::triggered, this, [this] { N3Click(); });
}

void TForm1::buildKeepMenu(QMenu *menu)
{
    keepMenu = new KeepMenu(
        menu, [this] { return readingInFront(*this); }, this);
    // The actions follow the reading in front: a reckoning, a picture chosen or a memo put back,
    // another tab brought forward.
    const auto refresh = [this] {
        keepMenu->refresh();
    };
    connect(TabSheet1, &BirthDataPage::reckoned, keepMenu, refresh);
    followReadings(this);
}

void TForm1::followReadings(QWidget *root)
{
    const auto refresh = [this] {
        keepMenu->refresh();
    };
    for (const QTabWidget *tabs : root->findChildren<QTabWidget *>())
        connect(tabs, &QTabWidget::currentChanged, keepMenu, refresh);
    for (const QPlainTextEdit *memo : root->findChildren<QPlainTextEdit *>())
        connect(memo, &QPlainTextEdit::textChanged, keepMenu, refresh);
}

std::vector<StartupStep> TForm1::startupSteps()
{
    return {
        {QStringLiteral("animation"),
         [this] {
             // A missing or broken movie is accepted and shows nothing; only a refused request
             // is an error of this step.
             if (!fla->LoadMovie(0, base::executableFolder() + QStringLiteral("rili.swf")))
                 throw base::Failure(fla->errorString());
         }},
        {QStringLiteral("birth-data lists"),
         [this] {
             TabSheet1->fillLists(base::today());
         }},
        {QStringLiteral("palm introduction"),
         [this] {
             // Read now in any case, so that a missing file is reported before the window opens.
             QByteArray bytes = base::readDataFile(PalmIntroPage::introductionPath());
             if (TabSheet2)
                 TabSheet2->showIntroduction(bytes);
             else
                 m_introduction = std::move(bytes);
         }},
        {QStringLiteral("memo start texts"),
         [this] {
             if (!TabSheet2) {
                 m_startTextsDue = true;
                 return;
             }
             TabSheet2->setStartTexts();
             TabSheet10->setStartTexts();
         }},
    };
}

void TForm1::FormCreate()
{
    runStartupSteps(startupSteps());
}

void TForm1::showCentred()
{
    PageControl1->setCurrentIndex(0);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
}

void TForm1::N2Click()
{
    openHelp();
}

void TForm1::N3Click()
{
    showAbout(this);
}
