#pragma once

// The one window of the program. It holds every control of the three readings and the almanac from
// its creation to the end of the run; FormCreate fills them once, in a fixed order. The program
// itself builds the pages behind the first tab just after the window's first frame (or at once,
// should one of their tabs be chosen sooner); whoever makes the window without saying so gets
// every page built in the constructor.

#include "app/startup.h"

#include <QByteArray>
#include <QMainWindow>

#include <optional>
#include <vector>

class AlmanacPage;
class BirthDataPage;
class KeepMenu;
class MolePage;
class PalmPage;
class QAction;
class QMenu;
class QMenuBar;
class QTabWidget;
class TShockwaveFlash;

class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 633;
    static constexpr int ClientHeight = 441;

    enum class Pages {
        AllNow,         // every page built by the constructor
        FirstThenOthers // the first page now; the others by buildPagesBehind()
    };

    explicit TForm1(QWidget *parent = nullptr, Pages pages = Pages::AllNow);

    // Builds the palm, mole and almanac pages in their tabs' places, if they are not built yet,
    // and gives them what the start-up steps read for them.
    void buildPagesBehind();

    // The creation handler: runs the start-up steps in their order.
    void FormCreate();
    std::vector<StartupStep> startupSteps();

    // First show: centred on the screen, the first tab in front.
    void showCentred();

    void N2Click();
    void N3Click();

    QTabWidget *PageControl1 = nullptr;
    BirthDataPage *TabSheet1 = nullptr;
    TShockwaveFlash *fla = nullptr; // the animation behind the first tab's form
    PalmPage *TabSheet2 = nullptr;
    MolePage *TabSheet10 = nullptr;
    AlmanacPage *TabAlmanac = nullptr; // today's almanac, made when first shown
    QMenuBar *MainMenu1 = nullptr;
    QAction *N2 = nullptr;
    QAction *N3 = nullptr;
    KeepMenu *keepMenu = nullptr; // the File menu, in the first spacer's place

private:
    void buildMenu();
    void buildKeepMenu(QMenu *menu);
    // The File menu follows the tab sets and memos under `root`.
    void followReadings(QWidget *root);

    // What the start-up steps had for pages not yet built.
    std::optional<QByteArray> m_introduction;
    bool m_startTextsDue = false;
};
