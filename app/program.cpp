#include "app/program.h"

#include "app/form1.h"
#include "base/errorreport.h"
#include "base/failure.h"
#include "base/firstframe.h"
#include "base/look.h"
#include "edition/edition.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>

#include <memory>

void setUpApplication()
{
    QApplication::setApplicationName(QString::fromLatin1(base::ApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral("5.01"));
    // The edition first: the font and every text follow it.
    base::guarded([] { edition::setEdition(text::systemEdition()); });
    QApplication::setFont(base::songFont(13));
    // A change of the desktop's colour scheme reaches the controls below a tab bar or menu bar
    // with a style sheet as well; without this Qt stops handing the palette on at such a control.
    QApplication::setAttribute(Qt::AA_UseStyleSheetPropagationInWidgetStyles);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icon/lorvex2004.png")));
    // The program keeps no state between runs. Qt's own file dialog would remember its last folder
    // in the user's settings (QtProject.conf); this process's user settings point at a place where
    // nothing can be created, so saving a reading writes the chosen file and nothing else.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
}

void setLargerIcons()
{
    // The larger drawings keep the icon sharp on a finer screen and in a task switcher.
    QIcon icon(QStringLiteral(":/icon/lorvex2004.png"));
    icon.addFile(QStringLiteral(":/icon/lorvex2004-128.png"));
    icon.addFile(QStringLiteral(":/icon/lorvex2004-256.png"));
    QApplication::setWindowIcon(icon);
}

int runLorvex(QApplication &app, const FormFactory &makeForm)
{
    setUpApplication();
    std::unique_ptr<TForm1> form;
    try {
        form = makeForm();
    } catch (const std::exception &e) {
        // Name the error and give its message; our own Failure carries its text as UTF-8.
        const bool ours = dynamic_cast<const base::Failure *>(&e) != nullptr;
        const QString name
            = ours ? QStringLiteral("Failure") : QString::fromLatin1(typeid(e).name());
        base::showStopBox(
            QStringLiteral("Application Error"),
            base::withFullStop(
                QStringLiteral("Exception %1: %2").arg(name, QString::fromUtf8(e.what()))));
        return 1;
    }
    form->FormCreate();
    base::watchFirstFrame(form.get());
    // The pages behind the first tab and the larger icons: after the first frame, while the user
    // reads the first tab.
    base::afterFirstFrame(form.get(), [window = form.get()] {
        window->buildPagesBehind();
        setLargerIcons();
    });
    form->showCentred();
    return app.exec();
}
