#include "base/failure.h"
