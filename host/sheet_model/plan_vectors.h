// Plan vectors: the few operations on points that geometry code shares.
#pragma once

#include "host/sheet_model/sheet_model.h"

namespace ds_sheet {

inline point minus(point a, point b) { return {a.x - b.x, a.y - b.y}; }
inline double dot(point a, point b) { return a.x * b.x + a.y * b.y; }
/// The z of the cross product: positive when `b` turns left from `a`.
inline double cross(point a, point b) { return a.x * b.y - a.y * b.x; }

}  // namespace ds_sheet
