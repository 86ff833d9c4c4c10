#pragma once

#include "document/AppletData.h"
#include "document/LookSettings.h"

// Dark values for every colour of a menu, made from its light ones as a starting point the
// author can change: each colour's lightness turned over with its hue and saturation kept,
// then every caption moved off its background until they differ by at least 4.5:1. The
// other settings are kept; dark values set before are replaced.
LookSettings deriveDarkColours(const AppletRecord &data, const LookSettings &look);
