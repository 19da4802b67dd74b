#pragma once

// The mole items: the 86 face moles g01 ... g86 with their titles, and the 18 body moles
// k01 ... k18. Texts are UTF-8 and shown as stored; a face title keeps its leading spaces.

#include <array>

struct MoleItem
{
    const char *key;      // name of the picture control: "g01" ... "g86", "k01" ... "k18"
    const char *title;    // face moles only, padded to five characters' width; "" for body moles
    const char *analysis; // one paragraph, shown after the catalogue's indent
};

inline constexpr int FaceMoleCount = 86;
inline constexpr int BodyMoleCount = 18;

// In key order: FaceMoles()[n - 1] is gNN, BodyMoles()[n - 1] is kNN.
const std::array<MoleItem, FaceMoleCount> &FaceMoles();
const std::array<MoleItem, BodyMoleCount> &BodyMoles();
