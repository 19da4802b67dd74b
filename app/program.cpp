#include "app/program.h"

#include "app/form1.h"
#include "base/errorreport.h"
#include "base/failure.h"
#include "base/look.h"

#include <QApplication>
#include <QIcon>

void SetUpApplication(QApplication &app)
{
    QApplication::setApplicationName(QString::fromLatin1(base::ApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral("5.01"));
    QApplication::setFont(base::SongFont(13));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icon/lorvex2004.png")));
    Q_UNUSED(app);
}

int RunLorvex(QApplication &app, const FormFactory &makeForm)
{
    SetUpApplication(app);
    std::unique_ptr<TForm1> form;
    try {
        form = makeForm();
    } catch (const base::Failure &failure) {
        base::ShowStopBox(
            QStringLiteral("Application Error"),
            base::withFullStop(QStringLiteral("Exception Failure: %1").arg(failure.message())));
        return 1;
    } catch (const std::exception &e) {
        base::ShowStopBox(QStringLiteral("Application Error"),
                          base::withFullStop(QStringLiteral("Exception %1: %2")
                                                 .arg(QString::fromLatin1(typeid(e).name()),
                                                      QString::fromUtf8(e.what()))));
        return 1;
    }
    form->FormCreate();
    form->ShowCentred();
    return QApplication::exec();
}
