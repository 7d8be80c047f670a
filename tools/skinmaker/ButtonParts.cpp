#include "SkinBuilder.h"

void AddButtonParts(TSkinBuilder&) {}
