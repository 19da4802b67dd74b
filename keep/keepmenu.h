#pragma once

// The "文件(&F)" menu: copy the reading in front, save it as a picture or a PDF, print it, quit.
// What there is to keep is asked of the window whenever it may have changed; with nothing to keep
// the four actions are off and their tooltip says why. Nothing is written unless the user asks.

#include "keep/readingcard.h"

#include <QObject>

#include <functional>
#include <optional>

class QAction;
class QMenu;
class QWidget;

class KeepMenu : public QObject
{
    Q_OBJECT
public:
    KeepMenu(QMenu *menu, std::function<ReadingInFront()> inFront, QWidget *window);

    // Puts the actions in step with the reading in front.
    void refresh();

    void copyReading();
    void saveAsPicture();
    void saveAsPdf();
    void printReading();

    // The file dialog and the message box, replaceable so that tests can answer them.
    // askPath gets the suggested path and the filter and returns the chosen path, empty if none.
    std::function<QString(const QString &suggested, const QString &filter)> askPath;
    std::function<void(const QString &message)> tell;

    QAction *copyAction = nullptr;
    QAction *pictureAction = nullptr;
    QAction *pdfAction = nullptr;
    QAction *printAction = nullptr;
    QAction *quitAction = nullptr;

private:
    enum class KeptAs { Picture, Pdf };
    void save(KeptAs as);

    std::function<ReadingInFront()> m_inFront;
    QWidget *m_window;
};
