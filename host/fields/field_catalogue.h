// field_catalogue: what each value a person gives a pedestal drawing may hold.
//
// A value enters through several doors: the project loader, the grid, the
// spreadsheet import, the browser editor. Each field is described here once
// (its stored member, the grid cells and spreadsheet rows that show it, its
// kind, unit, limits, choices, allowed characters and length, and how a
// height list is split) and every door asks check() the same question, so a
// renamed member or a changed limit cannot leave one door behind.
//
// Each place holds the caption its table or sheet really shows, the module's
// own spellings included (its sheet writes "斜交角(°)", its list "斜交角(度)").
// The host types no caption of its own: its grid templates, rebar table,
// design check findings and difference lines read them here, and a test holds
// every caption the module exports to one the catalogue has.
//
// API (stable; texts in GBK as the grid holds them, rules and hints in UTF-8):
//   all_fields()                        every field, in a fixed order
//   find_named(name)                    a field by its stable id
//   find(table, key)                    the field a grid cell shows
//   caption_at(table, key)              the caption a grid cell shows, for the host's templates
//   choices_at(table, key)              the choice list a grid cell offers, for the host's templates
//   caption_without_unit(name, table)   a field's caption in a table, its "(unit)" dropped, for messages
//   name_in_messages(name)              what a difference line calls a field
//   is_caption(table, caption)          a sheet's caption the catalogue holds (a field's or a heading)
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
#include "host/fields/input_limits.h"

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

/// A field's range of numbers: one of input_limits' ranges.
using input_limits::number_range;

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

/// First cell of the row the host writes above a drawing's table in a file,
/// naming the drawing it was exported from.
extern const char* const drawing_row_caption;

/// The headings of sheet `table` that name no field ("属性" above a single
/// drawing's rows), so that every caption a sheet shows is the catalogue's.
std::vector<const char*> sheet_headings(std::string_view table);

/// Names of the grid tables whose cells the places name, as the host's
/// templates build them and the module's observers fill them.
namespace tables {
extern const char* const overall;                ///< "垫石-总体属性"
extern const char* const construction;           ///< "垫石-构造属性"
extern const char* const pedestal_settings;      ///< "垫石-绘图设置"
extern const char* const common_settings;        ///< "通用绘图设置"
extern const char* const common_settings_param;  ///< "通用绘图设置-参数化"
extern const char* const param_settings;         ///< "DS_CSH_Drawset"
extern const char* const param_name;             ///< "垫石-参数化列表名称"
extern const char* const param_list;             ///< "垫石-参数化列表"
extern const char* const rebar;                  ///< "垫石_钢筋表", the module's own template
}  // namespace tables

/// Longest name (a drawing, bridge part, mark, ...) and note, in characters.
using input_limits::max_name_chars;
using input_limits::max_note_chars;

const std::vector<field>& all_fields();

/// The field of stable id `name` ("row.width"); null when there is none.
const field* find_named(std::string_view name);

/// True when `value` lies in `range` (finite, inside, or 0 where 0 means not given).
using input_limits::accepts;

const field* find(const CString& table, const CString& key);
const field* find_by_caption(const CString& table, const CString& caption);

/// The caption of the field shown at grid cell (table, key). Throws
/// std::logic_error when the catalogue places no field there: a template row
/// the catalogue does not know is a fault of the build, not of the user.
const char* caption_at(std::string_view table, std::string_view key);

/// The choices of the field at grid cell (table, key) as a grid's choice list
/// offers them: every choice but the empty one. Throws as caption_at does.
std::vector<CString> choices_at(std::string_view table, std::string_view key);

/// The caption field `name` shows in `table` without the unit in brackets at
/// its end ("横桥向宽度(mm)" -> "横桥向宽度"), for a message that names the
/// field beside a value and its unit. Throws std::logic_error when the field
/// has no place in the table.
std::string caption_without_unit(std::string_view name, std::string_view table);

/// What a message calls field `name`: its label, else the caption of its
/// first place ("settings.scale" -> "比例"). Throws std::logic_error for a name
/// the catalogue does not hold or a field with neither.
const char* name_in_messages(std::string_view name);

/// True when `caption` is one the catalogue holds for sheet or table `table`:
/// a field's place or one of the sheet's headings.
bool is_caption(std::string_view table, std::string_view caption);

/// The field stored under `key` inside `parent` inside `grandparent` ("item_3"
/// counts as "item"). A key only one field uses matches wherever it stands;
/// a key several fields use is told apart by its parents, else the first wins.
const field* find_stored(std::string_view key, std::string_view parent = {}, std::string_view grandparent = {});

std::optional<refusal> check(const field& f, const CString& text);
/// The text a door hands on once check() passed it: a number in its shortest
/// form ("1e3", "1000.0" and "１０００" become "1000", so that no reader further
/// on takes "1e3" for 1), a height list with its full-width digits as ASCII;
/// other texts as they are.
CString canonical(const field& f, const CString& text);
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
