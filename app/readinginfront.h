#pragma once

// What the File menu keeps: the reading of the tab in front, as that tab's page says.

#include "keep/readingcard.h"

class TForm1;

ReadingInFront readingInFront(const TForm1 &form);
