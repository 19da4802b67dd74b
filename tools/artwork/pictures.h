#pragma once

// The two pictures that are not palms: the bone-weight tab's small steelyard and the program's
// icon.

#include <QImage>

namespace artwork {

// 58 × 78 (times `scale`): a steelyard weighing a bone above a red seal with 命.
QImage drawImage218(int scale = 1);

// 48 × 48, 24-bit: a taiji ringed by the eight trigrams on a red tile. Larger sizes, for the
// desktop's menus, draw the same picture scaled.
QImage drawIcon(int size = 48);

} // namespace artwork
