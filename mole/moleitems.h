#pragma once

// The mole items: the 86 face moles g01 ... g86 with their titles, and the 18 body moles
// k01 ... k18. Texts are UTF-8 and shown as stored; a face title keeps its leading spaces.

#include <QString>

#include <array>

struct MoleItem
{
    const char *key;      // name of the picture control: "g01" ... "g86", "k01" ... "k18"
    const char *title;    // face moles only, padded to five characters' width; "" for body moles
    const char *analysis; // one paragraph, shown after the catalogue's indent
};

enum class MoleKind { Face, Body };

inline constexpr int FaceMoleCount = 86;
inline constexpr int BodyMoleCount = 18;

// In key order: faceMoles()[n - 1] is gNN, bodyMoles()[n - 1] is kNN.
const std::array<MoleItem, FaceMoleCount> &faceMoles();
const std::array<MoleItem, BodyMoleCount> &bodyMoles();

// The picture control of mole n: "g01" ... "g86" for the face, "k01" ... "k18" for the body.
QString moleItemKey(MoleKind kind, int number);

// The resource path of mole n's picture, ":/pictures/mole/g01.jpg".
QString molePicturePath(MoleKind kind, int number);
