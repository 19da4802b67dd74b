// The real window under a chosen colour scheme, for looking at by eye and for screenshots:
//   schemepreview light|dark|high-contrast [TAB [SUBTAB]]
// opens TAB (0-2) and SUBTAB, opens the second picture's analysis by keyboard (the focus frame
// stays on it) and runs. With QT_SCALE_FACTOR=2 it shows the window at 200%.

#include "app/form1.h"
#include "app/program.h"
#include "catalogue/cataloguewidgets.h"
#include "schemes.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    setUpApplication();
    QApplication::setPalette(schemes::byName(args.value(1)));
    TForm1 form;
    form.FormCreate();
    form.showCentred();
    form.activateWindow(); // there may be no window manager to do it
    form.PageControl1->setCurrentIndex(args.value(2).toInt());
    // Once the window is active, as a keyboard user finds it.
    QTimer::singleShot(500, &form, [&form, args] {
        if (auto *set = form.PageControl1->currentWidget()->findChild<QTabWidget *>()) {
            set->setCurrentIndex(args.value(3).toInt());
            if (auto *widgets = set->currentWidget()->findChild<CatalogueWidgets *>()) {
                widgets->frame()->setFocus(Qt::TabFocusReason);
                for (const int key : {Qt::Key_Right, Qt::Key_Return}) {
                    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
                    QCoreApplication::sendEvent(widgets->frame(), &press);
                }
            }
        }
    });
    return app.exec();
}
