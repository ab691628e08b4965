// input_limits: the largest values the host accepts at its doors, each written once.
//
// The module builds exactly what a record says: a row of N pedestals gets N
// heights, a list of N rows gets N drawing rows. Absurd values must therefore
// be stopped before they reach it (project load, grid save, spreadsheet
// import) or reported by the drawing library's design check. Each number
// below and each range made of them is the only place that says it: the field
// catalogue (host/fields/field_catalogue.h) gives each field one of these
// ranges, the design check and the drawing geometry ask the same ranges, so
// an engineer meets one set of numbers everywhere.
#pragma once

#include <cmath>
#include <cstddef>

namespace input_limits {

/// A closed or open range of numbers; `zero_unset` also accepts 0 as "not given".
struct number_range {
    double min = 0;
    double max = 0;
    bool min_open = false;
    bool max_open = false;
    bool zero_unset = false;
};

/// True when `value` lies in `range` (finite, inside, or 0 where 0 means not given).
inline bool accepts(const number_range& range, double value)
{
    if (!std::isfinite(value)) return false;
    if (range.zero_unset && value == 0.0) return true;
    const bool above = range.min_open ? value > range.min : value >= range.min;
    const bool below = range.max_open ? value < range.max : value <= range.max;
    return above && below;
}

/// Pedestals in one row of one pier or abutment. A wide pier carries a few
/// dozen bearings; a thousand leaves room for any real structure and keeps a
/// row's heights and bars small enough to draw.
inline constexpr int max_pedestals_per_row = 1000;

/// Largest size of a pedestal (width, length, height), its cover and offsets, in mm.
/// A hundred metres is far beyond any bearing pedestal and far inside what the
/// drawing geometry can compute exactly.
inline constexpr double max_size_mm = 100000.0;

/// Largest bar diameter, mm: the thickest rebar rolled is 50 mm.
inline constexpr double max_bar_diameter_mm = 100.0;

/// Largest number of bars one bar line may state by count.
inline constexpr int max_bars_per_line = 10000;

/// Largest drawing scale 1:n. A pedestal is drawn at 1:10 to 1:50; 1:1000 is
/// already a site plan, so a larger n is a typing slip.
inline constexpr int max_drawing_scale = 1000;

/// Largest spreadsheet file, and largest total of its unpacked parts (XLSX), in
/// bytes. A drawing's table is a few kilobytes even with a thousand list rows;
/// 64 MiB keeps a zip bomb or a stray database export from filling memory.
inline constexpr unsigned long long max_spreadsheet_bytes = 64ull << 20;

/// Largest number of cells (rows counted at least once) one spreadsheet may
/// spread over, so that a single cell addressed far away cannot make the reader
/// allocate millions of empty ones.
inline constexpr unsigned long long max_spreadsheet_cells = 1000000;

/// Most memory reading one spreadsheet may take, in bytes, whatever sizes and
/// counts the file states: its unpacked parts, their document trees and the
/// cells read. A drawing's table needs a few megabytes.
inline constexpr unsigned long long max_spreadsheet_memory = 256ull << 20;

/// Longest text of one spreadsheet cell, in characters: Excel's own limit.
inline constexpr unsigned long long max_cell_characters = 32767;

/// Skew angle of a pedestal's side to its front edge, in degrees: a drawing
/// holds any angle strictly between 0 and this (90 is square).
inline constexpr double max_angle_degrees = 180.0;

/// Largest pier or abutment number: far more than any bridge has.
inline constexpr int max_structure_number = 100000;

/// Longest name (a drawing, bridge part, mark, ...), note, reference path or
/// list of numbers, and height list, in characters.
inline constexpr std::size_t max_name_chars = 64;
inline constexpr std::size_t max_note_chars = 4000;
inline constexpr std::size_t max_path_chars = 256;
inline constexpr std::size_t max_heights_chars = 4096;

/// Smallest size an engineer can mean, in mm: a thousandth of a millimetre.
/// "Above 0" alone would let 1e-320 through, a number no drawing can show
/// and every sheet prints as 0.
inline constexpr double min_size_mm = 0.001;

/// The ranges the fields take, made of the numbers above.
/// A size in mm: from min_size_mm to max_size_mm.
inline constexpr number_range size{min_size_mm, max_size_mm, false, false, false};
/// A size that may be left unset (0): a cover, a bar spacing.
inline constexpr number_range size_or_unset{min_size_mm, max_size_mm, false, false, true};
/// A value that may be 0 or negative (an offset), and what the loader keeps of stored sizes.
inline constexpr number_range magnitude{-max_size_mm, max_size_mm};
/// A skew angle: strictly between 0 and max_angle_degrees.
inline constexpr number_range angle{0, max_angle_degrees, true, true, false};
/// Pedestals of one row: 0 to max_pedestals_per_row.
inline constexpr number_range pedestal_count{0, double(max_pedestals_per_row)};
/// A drawing scale 1:n, n from 1 to max_drawing_scale.
inline constexpr number_range scale{1, double(max_drawing_scale)};
/// A pier or abutment number.
inline constexpr number_range structure_number{0, double(max_structure_number)};
/// A bar diameter a door accepts (a size), and what the loader keeps (0 too).
inline constexpr number_range bar_diameter{min_size_mm, max_bar_diameter_mm};
inline constexpr number_range stored_bar_diameter{0, max_bar_diameter_mm};
/// Bars one line states by count.
inline constexpr number_range bar_count{0, double(max_bars_per_line)};

/// True for a size an engineer could mean (the range `size`).
inline bool size_in_range(double mm) { return accepts(size, mm); }

/// True for a skew angle the drawing can hold (the range `angle`).
inline bool angle_in_range(double degrees) { return accepts(angle, degrees); }

/// True for a pedestal count the drawing can hold (the range `pedestal_count`).
inline bool count_in_range(long long count) { return accepts(pedestal_count, double(count)); }

}  // namespace input_limits
