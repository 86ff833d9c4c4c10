#pragma once

#include "document/AppletData.h"
#include "document/ItemTree.h"

// The rules every writer of the applet record applies when it stores it: the two counts
// taken from the tree, the applet sound and the reserved fields emptied, a border width of
// "0" without a border, and each fade colour equal to its background without a gradient.
void applyAppletStoreRules(AppletRecord &data, const ItemTree &tree);
