// The drawing's rebar cover, one per thread drawing sheets.
#include "host/pedestal_design/rebar_cover.h"

#include <cmath>

namespace RXDSGNMOD {

namespace {
rebar_cover& cover_setting()
{
    thread_local rebar_cover cover;  // each thread drawing sheets hands over its own drawing's cover
    return cover;
}
}  // namespace

void set_rebar_cover(double mm)
{
    // A cover beyond a fifth of a metre is no pedestal's; treat it as a slip, like 0.
    const bool given = std::isfinite(mm) && mm > 0.0 && mm <= 200.0;
    cover_setting() = given ? rebar_cover{mm, true} : rebar_cover{default_rebar_cover_mm, false};
}

rebar_cover GetRebarCover() { return cover_setting(); }

}  // namespace RXDSGNMOD
