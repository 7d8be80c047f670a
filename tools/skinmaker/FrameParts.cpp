#include "SkinBuilder.h"

void AddFrameParts(TSkinBuilder&) {}
