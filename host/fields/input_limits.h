// input_limits: the largest values the host accepts at its doors.
//
// The module builds exactly what a record says: a row of N pedestals gets N
// heights, a list of N rows gets N drawing rows. Absurd values must therefore
// be stopped before they reach it (project load, grid save, spreadsheet
// import) or reported by the drawing library's design check. The field
// catalogue (host/fields/field_catalogue.h) gives each field its range from these
// numbers, and every door asks the catalogue, so an engineer meets one set of
// numbers everywhere.
#pragma once

#include <cmath>

namespace input_limits {

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

/// True for a size an engineer could mean: finite, above 0 and at most max_size_mm.
inline bool size_in_range(double mm) { return std::isfinite(mm) && mm > 0.0 && mm <= max_size_mm; }

/// True for a value that may be 0 (an offset or a spacing left empty): finite and |mm| <= max_size_mm.
inline bool magnitude_in_range(double mm) { return std::isfinite(mm) && std::fabs(mm) <= max_size_mm; }

/// True for a skew angle the drawing can hold, in degrees: strictly between 0 and 180.
inline bool angle_in_range(double degrees) { return std::isfinite(degrees) && degrees > 0.0 && degrees < 180.0; }

/// The same two checks for a value that may be left unset: 0 stands for "not
/// given", which a parametric drawing's own construction block holds because
/// its list rows carry the sizes and angles.
inline bool size_or_unset_in_range(double mm) { return mm == 0.0 || size_in_range(mm); }
inline bool angle_or_unset_in_range(double degrees) { return degrees == 0.0 || angle_in_range(degrees); }

/// True for a drawing scale 1:n with n from 1 to max_drawing_scale.
inline bool scale_in_range(long long n) { return n >= 1 && n <= max_drawing_scale; }

/// True for a pedestal count the drawing can hold: 0 up to max_pedestals_per_row.
inline bool count_in_range(long long count) { return count >= 0 && count <= max_pedestals_per_row; }

}  // namespace input_limits
