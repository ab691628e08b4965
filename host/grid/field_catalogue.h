// field_catalogue: what each value a person gives a pedestal drawing may hold.
//
// A value enters through several doors: the project loader, the grid, the
// spreadsheet import, the browser editor. Each field is described here once
// (its stored member, the grid cells and spreadsheet rows that show it, its
// kind, unit, limits, choices, allowed characters and length, and how a
// height list is split) and every door asks check() the same question, so a
// renamed member or a changed limit cannot leave one door behind.
//
// API (stable; texts in GBK as the grid holds them, rules and hints in UTF-8):
//   all_fields()                        every field, in a fixed order
//   find_named(name)                    a field by its stable id
//   find(table, key)                    the field a grid cell shows
//   find_by_caption(table, caption)     the field a grid row or sheet row shows by caption;
//                                       `table` is a grid table or a sheet name
//                                       (single_sheet, parametric_sheet, parametric_sheet_list)
//   find_stored(key, parent, grandparent) the field a stored member holds
//   check(field, text)                  nothing when a person may enter `text`, else the refusal
//   check_stored(field, json)           the loader's looser rule for a stored value
//   height_count(field, text)           how many heights the module reads from `text`
//   limits_text(field)                  the limits in words, for comments and validation
//   escaped(text)                       a value as a refusal quotes it
//   accepts(range, value)               a number against a field's range
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/afx/cstring.h"

namespace field_catalogue {

enum class field_kind {
    whole,    ///< a whole number, optionally signed
    real,     ///< a decimal number
    text,     ///< free text: allowed characters and a length
    choice,   ///< one of a fixed list of texts
    heights,  ///< a list of heights in mm, split at the module's separators
};

/// Where a grid cell or a spreadsheet row shows a field.
struct place {
    const char* table;    ///< grid table name, or a sheet name (single_sheet, parametric_sheet)
    const char* key;      ///< grid row or column key; "" for a sheet row
    const char* caption;  ///< caption the person reads
    bool read_only = false;  ///< shown, but what is typed there is not read back
};

/// A closed or open range of numbers; `zero_unset` also accepts 0 as "not given".
struct number_range {
    double min = 0;
    double max = 0;
    bool min_open = false;
    bool max_open = false;
    bool zero_unset = false;
};

struct field {
    const char* name = "";    ///< stable id, "gz.width"
    /// Stored member pattern, "m_gz/m_dWidth"; "item" stands for any list item;
    /// "" for a table column that no one stored member holds as shown.
    const char* stored = "";
    field_kind kind = field_kind::text;
    const char* unit = "";    ///< "mm", "degrees" or ""
    number_range range;  ///< whole, real and each height: what a door accepts
    /// What the loader accepts of a stored number (each height of a stored list
    /// too): wider than `range`, because whether a value makes a drawing is the
    /// design check's question, not the loader's. Unset: any number of the type.
    std::optional<number_range> stored_range;
    std::vector<const char*> choices;  ///< choice: every accepted text ("" when empty is one)
    bool required = false;             ///< text: an empty text is refused
    std::size_t max_chars = 0;         ///< text, choice, heights: longest text in characters
    bool multi_line = false;           ///< text: '\n' allowed (no other control character)
    const char* separators = "";       ///< heights: characters that separate heights
    std::vector<place> places;         ///< grid cells and sheet rows showing the field
    const char* label = "";            ///< what to call a field no place shows
};

/// A value a door does not take: `rule` says what the field accepts, `hint`
/// how to write it (may be empty). `damage` marks a stored text that breaks
/// the text rules: the loader takes it but the project counts as damaged.
struct refusal {
    std::string rule;
    std::string hint;
    bool damage = false;
};

/// Sheet names the spreadsheet exchange gives the two drawings' tables, and
/// the name of the list below the parametric drawing's property rows (its
/// columns' captions repeat some property rows' captions).
extern const char* const single_sheet;
extern const char* const parametric_sheet;
extern const char* const parametric_sheet_list;
/// The structure table: one line per pedestal row of a pier or abutment.
extern const char* const structure_sheet;

/// Longest name (a drawing, bridge part, mark, ...) and note, in characters.
inline constexpr std::size_t max_name_chars = 64;
inline constexpr std::size_t max_note_chars = 4000;

const std::vector<field>& all_fields();

/// The field of stable id `name` ("row.width"); null when there is none.
const field* find_named(std::string_view name);

/// True when `value` lies in `range` (finite, inside, or 0 where 0 means not given).
bool accepts(const number_range& range, double value);

const field* find(const CString& table, const CString& key);
const field* find_by_caption(const CString& table, const CString& caption);

/// The field stored under `key` inside `parent` inside `grandparent` ("item_3"
/// counts as "item"). A key only one field uses matches wherever it stands;
/// a key several fields use is told apart by its parents, else the first wins.
const field* find_stored(std::string_view key, std::string_view parent = {}, std::string_view grandparent = {});

std::optional<refusal> check(const field& f, const CString& text);
std::optional<refusal> check_stored(const field& f, const nlohmann::ordered_json& value);
/// check_stored on a stored text (UTF-8) and on a stored number, as they pass a member stream.
std::optional<refusal> check_stored_text(const field& f, std::string_view utf8);
std::optional<refusal> check_stored_number(const field& f, double value);

/// Heights the module reads from `text` (pieces between separators that begin
/// with a number), whatever check() says of them.
std::size_t height_count(const field& f, const CString& text);

/// "a whole number from 0 to 1000", "a size in mm above 0 and at most 100000", ...
std::string limits_text(const field& f);

/// `text` with each control character written as \xNN, cut after `most`
/// bytes ("..." added), so that a refusal can quote any value safely.
std::string escaped(std::string_view text, std::size_t most = 200);

/// The text rules alone, for a text that is no field (a drawing's name).
std::optional<refusal> check_text(const CString& text, std::size_t max_chars, bool multi_line);

}  // namespace field_catalogue
