#pragma once

// What the File menu keeps: the reading on the tab in front, gathered from the window's pages.

#include "keep/keepmenu.h"

class TForm1;

ReadingInFront readingInFront(const TForm1 &form);

// Why there is nothing to keep yet, on each kind of page.
inline constexpr const char *NoReckoningToKeep = "先选好出生资料，按“算一卦”，才有可保存的结果。";
inline constexpr const char *NoReadingInIntroduction
    = "手相学介绍里没有可保存的解读：请到一个手相分类里点选一幅图。";
inline constexpr const char *NoPalmPictureChosen = "先点选一幅手相图，才有可保存的解读。";
inline constexpr const char *NoMoleChosen = "先点选一颗痣，才有可保存的解读。";
