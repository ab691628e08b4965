// structure_table: the engineer's piers and abutments as a table (墩台表), one
// line per pedestal row of a structure, and the way between that table and the
// host's pier and abutment drawings.
//
// A structure is keyed by bridge part, number and kind (pier or abutment, told
// by its type); its lines give its shared settings (type, concrete, scale,
// cover, note) and, per pedestal row, the row's distance from the structure's
// axis, its pedestal count, sizes, heights and skew angle. Row 1 stands on the
// smaller-chainage side (pedestal positions at minus the distance), row 2 on
// the larger (plus the distance), as the module's reference reads positions.
// Every cell is checked by the field catalogue (sheet field_catalogue::structure_sheet);
// a table that breaks a rule is refused naming the cell.
#pragma once

#include <compare>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/spreadsheet/spreadsheet_table.h"
#include "host/substructure/substructure_graph_data.h"

namespace structure_table {

/// One line of the table: one pedestal row of one structure. Texts are narrow (GBK).
struct table_row {
    CString bridge_part;           ///< 桥幅
    int number = 0;                ///< 墩台号
    CString type_name;             ///< 墩台类型, one of the ten the reference facility knows
    CString concrete = "C40";      ///< 混凝土类型
    int scale = 50;                ///< 比例 1:n
    double cover = 40.0;           ///< 保护层厚度(mm)
    int row = 1;                   ///< 垫石排号: 1 smaller-chainage side, 2 larger
    double position = 0.0;         ///< 排位置(mm): the row's distance from the axis, >= 0
    int count = 1;                 ///< 垫石个数
    double width = 0.0;            ///< 横桥向宽度(mm)
    double length = 0.0;           ///< 顺桥向长度(mm)
    std::vector<double> heights;   ///< 垫石高度(mm): one for the whole row, or one per pedestal
    double angle = 90.0;           ///< 侧边线夹角(度)
    CString note;                  ///< 自定义附注

    friend bool operator==(const table_row&, const table_row&) = default;
};

/// Which structure a line belongs to.
struct structure_key {
    CString bridge_part;
    int number = 0;
    bool abutment = false;

    friend auto operator<=>(const structure_key&, const structure_key&) = default;
    friend bool operator==(const structure_key&, const structure_key&) = default;
};

/// A structure: its key and its one or two rows, by row number. The shared
/// settings are those of every row (the reader refuses rows that disagree).
struct structure {
    structure_key key;
    std::vector<table_row> rows;

    const table_row& settings() const { return rows.front(); }
    friend bool operator==(const structure&, const structure&) = default;
};

/// A table that cannot be read or a drawing that cannot be written as one;
/// what() names the place (file, sheet, cell), the value and the rule.
class table_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// True for an abutment type ("肋板台", ...), false for a pier type; the types
/// are those of common_refrence_tools.
bool is_abutment_type(const CString& type_name);

/// The name a user sees: "右幅3号墩", "主线0号台" (as sample_bridge::display_name).
CString structure_name(const structure_key& key);

/// The key of a pier or abutment drawing.
structure_key key_of(const xbjg_graph_data_base& drawing);

/// Column captions in table order, from the field catalogue.
const std::vector<CString>& column_captions();

/// The first row of a table file: "# 图名" and "墩台表", as a drawing's table names its drawing.
std::vector<CString> identity_row();

/// The cells of a table: the identity row, the captions, then a line per row
/// of each structure, in the given order. Numbers in their shortest exact form.
ds_spreadsheet::table to_cells(const std::vector<structure>& structures);

/// What reading a table's cells found.
struct read_outcome {
    std::vector<structure> structures;  ///< in the order they first appear
    std::vector<std::string> warnings;  ///< UTF-8: columns not read
};

/// Structures from cells. The identity row is optional (an engineer's own
/// sheet starts with the captions); columns are found by caption, in any
/// order; 混凝土类型, 比例, 保护层厚度(mm), 侧边线夹角(度) and 自定义附注 may be
/// left out (C40, 50, 40, 90, empty). Empty lines are skipped. Refused with
/// table_error naming `source`, the cell, its caption, the value and the rule:
/// a value the catalogue does not take, a height list whose length is neither
/// 1 nor the count, row 2 at distance 0 (it would count as row 1), the same row
/// of a structure twice, lines of one structure disagreeing on a shared
/// setting, a missing or repeated caption, more than max_structures structures.
read_outcome from_cells(const ds_spreadsheet::table& cells, const std::string& source);

/// Most structures one table may hold: a bridge of ten thousand supports is
/// hundreds of kilometres long.
inline constexpr std::size_t max_structures = 10000;

/// The drawing's structure as the table shows it. Pedestals at or below 0
/// make row 1, above 0 row 2; equal heights collapse to one. Throws table_error
/// naming the drawing when the pedestals of one row differ in position, width,
/// length or angle (one line cannot hold them).
structure structure_of(const xbjg_graph_data_base& drawing);

/// The pedestals of a structure in drawing order: row 1 at minus its
/// distance, then row 2 at plus its distance; one height repeats for the row.
std::vector<ds_gz_data> pedestals_of(const structure& s);

/// A new pier or abutment drawing of `s`, named structure_name, without a tag.
std::unique_ptr<substructure_graph_data> make_drawing(const structure& s);

/// Gives an existing drawing of the same key the settings and pedestals of `s`;
/// its tag and name stay.
void apply(const structure& s, substructure_graph_data& drawing);

/// How one structure differs between two tables.
struct structure_change {
    enum class kind { added, changed, removed };
    kind what = kind::changed;
    structure_key key;
    std::vector<std::string> lines;  ///< UTF-8, field by field, old value first: "横桥向宽度(mm) 第1排: 560 → 600"
};

/// The changes from `before` to `after`, in the order of `after`, then the
/// removed structures in the order of `before`. Unchanged structures are left out.
std::vector<structure_change> differences(const std::vector<structure>& before, const std::vector<structure>& after);

}  // namespace structure_table
