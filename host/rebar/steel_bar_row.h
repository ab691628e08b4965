// steel_bar_row: one bar line of a rebar set (mark, diameter, grade, how many,
// shape, the part of the structure it belongs to), and the one list of its
// fields that the stream, the rebar grid and the comparison all walk.
#pragma once

#include <string_view>

#include "host/afx/cstring.h"

class member_rw_interface;

struct steel_bar_row {
    CString m_mark;           ///< bar mark, "N1"
    double m_diameter = 0.0;  ///< mm
    CString m_grade;          ///< steel grade, "HRB400"
    int m_count = 0;          ///< number of bars; 0 when the bars are laid out by spacing
    double m_spacing = 0.0;   ///< mm between bars; 0 when a count is given
    CString m_shape;          ///< shape text, "直线", "L形", ...
    CString m_part;           ///< group the bar belongs to, "钢筋网"

    bool operator==(const steel_bar_row&) const = default;

    /// Writes or reads the fields under their member names (guard tag "steel_bar_row").
    void serialize_members(member_rw_interface& stream);
};

namespace steel_bar_fields {

/// What tables and difference lines call the bar field `key`: its caption in
/// the field catalogue's rebar table (throws std::logic_error for a key the catalogue does not place there).
const char* caption_of(std::string_view key);

/// Calls fn(key, caption, member pointer) for every field, in declaration order.
/// The key is the member name; the caption is what tables and difference lines show.
template <class Fn>
void for_each(Fn&& fn)
{
    fn("m_mark", caption_of("m_mark"), &steel_bar_row::m_mark);
    fn("m_diameter", caption_of("m_diameter"), &steel_bar_row::m_diameter);
    fn("m_grade", caption_of("m_grade"), &steel_bar_row::m_grade);
    fn("m_count", caption_of("m_count"), &steel_bar_row::m_count);
    fn("m_spacing", caption_of("m_spacing"), &steel_bar_row::m_spacing);
    fn("m_shape", caption_of("m_shape"), &steel_bar_row::m_shape);
    fn("m_part", caption_of("m_part"), &steel_bar_row::m_part);
}

}  // namespace steel_bar_fields
