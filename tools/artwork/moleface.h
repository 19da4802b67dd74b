#pragma once

// The face every face-mole picture shows, in the 70 × 92 frame of a face-mole picture: a head seen
// from the front, or turned to show one side (for the ear and the back of the neck). The face is
// cut into named places; a mole may only sit inside the place its description names.
//
// Left and right are the subject's own: the subject's left shows on the viewer's right. A paired
// place ends in ".L" or ".R" ("brow.L" is the subject's left brow, on the right of the picture).

#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <optional>

namespace artwork {

inline constexpr int MoleFaceWidth = 70;
inline constexpr int MoleFaceHeight = 92;

// Front: facing the viewer. Left: turned to show the subject's left side (the face looks to the
// viewer's left). Right: turned to show the subject's right side, the mirror of Left.
enum class FaceView { Front, Left, Right };

// A mole's dark dot and its light rim. The dot alone is 4 pixels across.
inline constexpr double MoleRadius = 2.0;
inline constexpr double MoleRimWidth = 1.0;
// Centres closer than this would read as one blot at real size.
inline constexpr double MoleSpacing = 5.0;

namespace faceview {
// The whole head as drawn (hair, face, ears, neck): no mole may reach outside it.
QPainterPath outline(FaceView view);
// The skin below the hair: the face from the front, the side of the head from the side.
QPainterPath skin(FaceView view);
// The hair as drawn, where neither the face nor an ear covers it.
QPainterPath hair(FaceView view);
// A named place of this view; nothing when the view has no such place.
std::optional<QPainterPath> region(FaceView view, const QString &name);
QStringList regionNames(FaceView view);
} // namespace faceview

struct FaceMole
{
    QString region;
    QPointF at;
};

// Short hair unless the reading names a woman: then it is long, parted in the middle and falls
// behind the ears to the shoulders.
enum class FaceHair { Short, Long };

struct FacePicture
{
    QString key; // "g01" … "g86"
    int line = 0;
    FaceView view = FaceView::Front;
    QList<FaceMole> moles;
    bool faling = false; // draw the two 法令 lines from the nose wings round the mouth
    FaceHair hair = FaceHair::Short;
};

// The picture: the face in the palm pictures' ink and paper, the moles as dark dots.
QImage drawFace(const FacePicture &picture, int scale = 1);

// What the drawn picture gets wrong about the hair: the skin reaching the top of the head (a
// profile with a bare forehead rising to a point), hair missing where the head has hair, or a
// light ring round a mole in it. Empty when it is right.
QStringList hairProblems(const FacePicture &picture);

} // namespace artwork
