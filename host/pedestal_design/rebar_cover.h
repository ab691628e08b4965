// The concrete cover a drawing's bars keep, handed over by the host before it
// draws: the bars' geometry reads it, and so do the sheets' notes.
#pragma once

namespace RXDSGNMOD {

/// The concrete cover the drawing's bars keep: the clear distance from a
/// concrete face to the outer surface of the nearest bar (净保护层), mm.
struct rebar_cover {
    double mm = 40.0;
    bool given = false;  ///< false: the engineer gave none and the host default applies
};
/// The host's default cover, used when the drawing settings give none.
inline constexpr double default_rebar_cover_mm = 40.0;
/// The cover of the drawing's settings, handed over by the host before it
/// draws (like the dimension unit). 0, a negative value or one that is not a
/// number means "not given": the default applies and the sheets say so.
void set_rebar_cover(double mm);
/// The cover in use.
rebar_cover GetRebarCover();

}  // namespace RXDSGNMOD
