// A rule that includes Qt, and the seam that includes it back: the layer check must refuse both.
#pragma once

#include "core/base/seam.h"

#include <QObject>
