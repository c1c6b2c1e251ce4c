#include "merge/layout/Placement.h"

#include <algorithm>

CPlacement PlaceInArea(const CAreaDefinition& area, const double* adBox, double dPaperHeight) {
    double dBoxWidth = adBox[2] - adBox[0];
    double dBoxHeight = adBox[3] - adBox[1];
    double dScaleX = area.fWidth / dBoxWidth;
    double dScaleY = area.fHeight / dBoxHeight;
    CPlacement placement;
    placement.bClip = area.nPlacement == PlaceScaleAndTrim;
    placement.dScale = placement.bClip ? std::max(dScaleX, dScaleY) : std::min(dScaleX, dScaleY);
    double dBottom = dPaperHeight - (area.fTop + area.fHeight);
    placement.dX = area.fLeft + (area.fWidth - dBoxWidth * placement.dScale) / 2;
    placement.dY = dBottom + (area.fHeight - dBoxHeight * placement.dScale) / 2;
    placement.adClip[0] = area.fLeft;
    placement.adClip[1] = dBottom;
    placement.adClip[2] = area.fWidth;
    placement.adClip[3] = area.fHeight;
    return placement;
}
