// Where a picture lands in its area.
#pragma once

#include "core/AreaDefinition.h"

// A picture placed in an area, in the page's coordinates (points from the
// bottom left): its box's lower left corner lands at dX, dY, scaled by
// dScale; ScaleAndTrim clips to the area, whose lower left is adClip[0..1]
// and size adClip[2..3].
struct CPlacement {
    double dX = 0;
    double dY = 0;
    double dScale = 1;
    bool bClip = false;
    double adClip[4] = {};
};

// Scaled to fit inside the area keeping its proportions, or (ScaleAndTrim)
// to fill it, clipped; centred either way.
CPlacement PlaceInArea(const CAreaDefinition& area, const double* adBox, double dPaperHeight);
