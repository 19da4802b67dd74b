#include "app/helpabout.h"

#include "base/errorreport.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>

QUrl helpAddress()
{
    return QUrl(QStringLiteral("https://www.lorvex.example/soft/kavo/help.htm"));
}

QString aboutText()
{
    // The GeoNames licence asks for the credit where the places are used.
    return QCoreApplication::translate("About", "Lorvex 2004   V 5.01\n\nLorvex 工作室 编制")
           + QStringLiteral("\n\n")
           + QCoreApplication::translate(
               "About", "出生地坐标取自 GeoNames（www.geonames.org），依 CC BY 4.0 许可使用。");
}

void openHelp()
{
    // openUrl hands the address to the desktop and does not wait for the browser; its answer
    // is of no use to us.
    (void)QDesktopServices::openUrl(helpAddress());
}

void showAbout(QWidget *owner)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(base::ApplicationTitle), aboutText(),
                    QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("AboutBox"));
    // "OK" in every edition, whatever Qt's catalogue calls the button.
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
