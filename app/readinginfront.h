#pragma once

// What the File menu keeps: the reading on the tab in front, gathered from the window's pages.

#include "keep/keepmenu.h"

class TForm1;

ReadingInFront readingInFront(const TForm1 &form);
