#pragma once

// The third tab, " 看痣相 ": the mole tab set PageControl3 with the face-mole catalogue (its
// title s7 moves over the memo to name the mole) and the body-mole catalogue (its caption s10
// hides when a mole is shown). Switching between the two puts both back to rest.

#include "keep/readingcard.h"

#include <QWidget>

struct CatalogueItem;
class BodyMoleCatalogue;
class FaceMoleCatalogue;
class PictureCatalogue;
class QLabel;
class QTabWidget;

// What a screen reader, and a kept reading, call a mole picture. A face mole: its title without
// the padding that lines it up over the memo. A body mole: the place its analysis opens with, the
// words of the first clause before "有痣", "长痣" or "生痣" ("两肘前").
QString faceMoleName(const CatalogueItem &item);
QString bodyMoleName(const CatalogueItem &item);

class MolePage : public QWidget
{
    Q_OBJECT
public:
    explicit MolePage(QWidget *parent = nullptr);

    // Start-up step: m8, then m9, get their start text.
    void setStartTexts();
    // The mole sub-tab changed: the face moles' reset, then the body moles'.
    void PageControl3Change();

    // What the File menu keeps: the chosen mole of the catalogue in front.
    ReadingInFront keptReading() const;

    PictureCatalogue &faceCatalogue();
    PictureCatalogue &bodyCatalogue();

    QTabWidget *PageControl3 = nullptr;
    QWidget *TabSheet12 = nullptr;
    QWidget *TabSheet11 = nullptr;
    QLabel *s7 = nullptr;
    QLabel *s10 = nullptr;

private:
    FaceMoleCatalogue *m_face = nullptr;
    BodyMoleCatalogue *m_body = nullptr;
};
