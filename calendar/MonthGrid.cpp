#include "MonthGrid.h"
