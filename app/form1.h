#pragma once

// The one window of the program. It holds every control of the three readings and the almanac from
// its creation to the end of the run; FormCreate fills them once, in a fixed order.

#include "app/startup.h"

#include <QMainWindow>

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

    explicit TForm1(QWidget *parent = nullptr);

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
};
