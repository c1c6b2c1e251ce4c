// The host's unit of length and the kinds of page object the plug-in tells
// apart.
#pragma once

#include <cstdint>

// The host measures in twips, twentieths of a point.
constexpr int32_t TwipsPerPoint = 20;
constexpr float PointsPerTwip = 1.0f / TwipsPerPoint;

// A text block, and an EPS picture: the kind a placeholder is.
constexpr int16_t TextBlockKind = 1;
constexpr int16_t PlaceholderKind = 11;
