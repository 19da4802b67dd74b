#pragma once

// The two working commands of the menu bar.

#include <QString>
#include <QUrl>

class QWidget;

// The product's help page. https, so nothing on the way can tamper with it.
QUrl helpAddress();

// "Lorvex 2004   V 5.01", an empty line, and the line naming the maker.
QString aboutText();

// Asks the desktop to show the help page and returns at once; a desktop without a browser is
// not our error to report.
void openHelp();

// The modal About box: caption "Lorvex 2004", no icon, one OK that Enter and Esc press too.
void showAbout(QWidget *owner);
