// A seam that reaches up into the rules: the layer check must refuse it.
#pragma once

#include "core/game/rule.h"
