#pragma once
// The calendar grid's unit. The lunar engine it paints with lives in LunarCalendar.h, which
// needs no widgets; the grid control is declared here and forwards to those free functions.

#include "calendar/LunarCalendar.h"
