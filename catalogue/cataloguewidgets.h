#pragma once

// The controls of one catalogue and the paging state that drives them. The page that owns the
// catalogue creates and places the frame, the two buttons, the indicator and the memo; this class
// adds one picture per item inside the frame, decodes every picture once, and wires the buttons
// and pictures to NextPage, PreviousPage and SelectItem. The mole catalogues derive from it to
// act on their title text or caption in the CatalogueView hooks.

#include "catalogue/picturecatalogue.h"

#include <QLabel>
#include <QObject>

#include <vector>

class QAbstractButton;
class QPlainTextEdit;

// A picture that answers a click; QLabel has no click of its own.
class PictureLabel : public QLabel
{
    Q_OBJECT
public:
    explicit PictureLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

class CatalogueWidgets : public QObject, public CatalogueView
{
    Q_OBJECT
public:
    struct Controls
    {
        QWidget *frame = nullptr; // parent of the pictures; slots are frame coordinates
        QAbstractButton *previous = nullptr;
        QAbstractButton *next = nullptr;
        QLabel *indicator = nullptr;
        QPlainTextEdit *memo = nullptr;
        QString pictureName; // accessible name of the pictures, followed by their place
    };

    // Builds the pictures and shows page 1; the memo is left to the owner.
    CatalogueWidgets(CatalogueSetup setup, Controls controls, QObject *parent = nullptr);
    ~CatalogueWidgets() override;

    PictureCatalogue &catalogue() { return m_catalogue; }
    const PictureCatalogue &catalogue() const { return m_catalogue; }
    PictureLabel *picture(int item) const { return m_pictures.at(std::size_t(item)); }

    void showPicture(int item, int slot) override;
    void hidePicture(int item) override;
    void setPreviousEnabled(bool enabled) override;
    void setNextEnabled(bool enabled) override;
    void setIndicator(const QString &text) override;
    void setMemoText(const QString &text) override;

private:
    PictureCatalogue m_catalogue;
    Controls m_controls;
    std::vector<PictureLabel *> m_pictures;
};
