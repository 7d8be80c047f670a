#pragma once
// Contact sheets: the screenshots of one category's effects side by side with their names,
// for people to look at. Effects that failed the check are named in red.

#include "effects/EffectChecker.h"

#include <QImage>
#include <QString>
#include <vector>

QImage ComposeContactSheet(const QString& category,
                           const std::vector<const EffectReport*>& effects);
