#include "SkinBuilder.h"

void AddBoxParts(TSkinBuilder&) {}
