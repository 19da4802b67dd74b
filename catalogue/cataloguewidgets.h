#pragma once

// The controls of one catalogue and the paging state that drives them. A CataloguePageTable says
// what the page looks like: the names of the frame, the two buttons, the indicator and the memo,
// where each stands, the slot grid, fonts and colours. CatalogueWidgets builds those controls on
// the page, adds one picture per item inside the frame, each decoded while in view, gives the
// memo its start text and wires the buttons and pictures to NextPage, PreviousPage and
// SelectItem. The palm topic tabs and the two mole tabs are each one table; the mole catalogues
// derive from CatalogueWidgets to act on their title text or caption in the CatalogueView hooks.
//
// By keyboard the frame is the picture grid, one stop of the Tab key, as a list view is: the arrow
// keys move a focus frame from picture to picture and on across the pages, Page Up and Page Down
// turn the page, Return or Space opens the picture's analysis as a click does.

#include "base/picturelabel.h"
#include "catalogue/picturecatalogue.h"

#include <QColor>
#include <QLabel>
#include <QObject>
#include <QRect>

#include <vector>

class QGroupBox;
class QPlainTextEdit;
class QPushButton;

// Which control a place is measured from.
enum class PlacedIn { Page, Frame };

struct ControlPlace
{
    const char *name; // objectName
    PlacedIn parent;
    QRect geometry; // an empty size lets a static text size itself to its text
};

// What a screen reader calls a picture, taken from its item; each reading has its own rule.
using PictureNaming = QString (*)(const CatalogueItem &item);

// Everything one catalogue page is built from, apart from its items.
struct CataloguePageTable
{
    const char *caption;      // the tab's caption; names the pictures for a screen reader
    const char *frameCaption; // " 选择手相图 "
    ControlPlace frame;       // always in the page
    ControlPlace previous;
    ControlPlace next;
    ControlPlace indicator;
    ControlPlace memo;
    SlotGrid grid; // in the frame
    int indicatorPixels;
    int memoPixels;
    QColor memoColour;
    PictureNaming naming = nullptr; // without it the pictures go unnamed
};

class CatalogueWidgets : public QObject, public CatalogueView
{
    Q_OBJECT
public:
    // Builds the controls on `page` (which also owns this object), then the pictures, shows page
    // 1 and writes the start text: no control ever shows its name.
    CatalogueWidgets(QWidget *page, const CataloguePageTable &table, CatalogueSetup setup);
    ~CatalogueWidgets() override;

    PictureCatalogue &catalogue() { return m_catalogue; }
    const PictureCatalogue &catalogue() const { return m_catalogue; }
    PictureLabel *picture(int item) const { return m_pictures.at(std::size_t(item)); }
    QGroupBox *frame() const { return m_frame; }
    QPushButton *previous() const { return m_previous; }
    QPushButton *next() const { return m_next; }
    QLabel *indicator() const { return m_indicator; }
    QPlainTextEdit *memo() const { return m_memo; }

    void showPicture(int item, int slot) override;
    void hidePicture(int item) override;
    void setPreviousEnabled(bool enabled) override;
    void setNextEnabled(bool enabled) override;
    void setIndicator(const QString &text) override;
    void setMemoText(const QString &text) override;

    // The picture the focus frame stands on while the grid holds the focus.
    int currentPicture() const { return m_current; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool gridKeyPressed(int key);
    int pictureForKey(int key) const;
    void moveCurrent(int item);
    void showCurrent();
    void openPicture(int item);
    QWidget *parentOf(const ControlPlace &place) const;
    void place(QWidget *control, const ControlPlace &place) const;

    QWidget *m_page;
    QGroupBox *m_frame = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    QLabel *m_indicator = nullptr;
    QPlainTextEdit *m_memo = nullptr;
    bool m_indicatorSizesItself = false;
    PictureCatalogue m_catalogue;
    std::vector<PictureLabel *> m_pictures;
    int m_columns = 1;
    int m_current = 0;
    QWidget *m_focusFrame = nullptr;
};
