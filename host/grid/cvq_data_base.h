// CVQDataBase: a grid table as the observers see it.
//
// One class serves both kinds of table:
//  - a property table has two columns, caption and value, and one row per
//    property, tagged with the property's key;
//  - a list table has one column per key (caption in the first header row)
//    and any number of data rows below its header rows.
// Set_Prop/Get_Prop address a property by key, or a list cell by data row
// (0-based, header rows not counted) and column key. Keys are case-sensitive.
// Writes through Set_Prop are the program's and leave the user-modified mark
// alone; the user_* operations stand for the person at the grid and set it.
#pragma once

#include <map>
#include <vector>

#include "host/grid/grid_data_base.h"

enum class grid_table_kind { property, list };

class CVQDataBase : public MQR_GRID::CGridDataBase {
public:
    /// An empty table of the given kind. A property table starts with its
    /// caption and value columns and no rows; a list table with nothing.
    explicit CVQDataBase(grid_table_kind kind = grid_table_kind::property, const CString& name = CString());
    ~CVQDataBase() override = default;
    CVQDataBase(const CVQDataBase&) = default;
    CVQDataBase& operator=(const CVQDataBase&) = default;

    /// A new deep copy, owned by the caller.
    CVQDataBase* clone() const { return new CVQDataBase(*this); }

    // ---- description -----------------------------------------------------

    grid_table_kind kind() const { return m_kind; }
    bool is_list() const { return m_kind == grid_table_kind::list; }
    const CString& get_table_name() const { return m_name; }
    void set_table_name(const CString& name) { m_name = name; }

    /// Names of the sub-sections a composite table (the rebar table) is made of.
    const std::vector<CString>& get_sections() const { return m_sections; }
    void set_sections(const std::vector<CString>& sections) { m_sections = sections; }

    // ---- building --------------------------------------------------------

    /// Property tables: appends a row for `key`. A key that already has a row
    /// only gets its caption and choice list replaced. Ignored on list tables.
    void add_property(const CString& key, const CString& caption, const CString& choice_list = CString());
    /// List tables: appends a column for `key` (or updates an existing one) and
    /// writes its caption into the first header row. Ignored on property tables.
    void add_column(const CString& key, const CString& caption, const CString& choice_list = CString());
    /// List tables: number of header rows; the first shows the column captions.
    void set_header_rows(int count);

    /// Keys in table order: rows of a property table, columns of a list table.
    std::vector<CString> get_keys() const;
    bool has_key(const CString& key) const;
    /// Caption of a key ("" when unknown).
    CString get_caption(const CString& key) const;
    /// Name of the choice list that the key's cells offer ("" for none).
    CString get_choice_list(const CString& key) const;
    void set_choice_list(const CString& key, const CString& choice_list);
    /// Column that holds a key's values: 1 in property tables, the key's column in list tables, -1 if none.
    int column_of(const CString& key) const;

    // ---- values ------------------------------------------------------------

    /// Writes the value of the property `key`. False when no row carries the key.
    bool Set_Prop(const CString& key, const CVQVariant& value);
    /// Writes column `key` of data row `row`. False when the row or column does not exist.
    bool Set_Prop(int row, const CString& key, const CVQVariant& value);

    /// Reads the property `key`. False, target unchanged, when the key is
    /// missing or the cell does not convert (see CVQVariant).
    bool Get_Prop(const CString& key, CString& value) const;
    bool Get_Prop(const CString& key, double& value) const;
    bool Get_Prop(const CString& key, int& value) const;
    /// Reads column `key` of data row `row`, with the same rules.
    bool Get_Prop(int row, const CString& key, CString& value) const;
    bool Get_Prop(int row, const CString& key, double& value) const;
    bool Get_Prop(int row, const CString& key, int& value) const;

    /// Cell of a property, or null.
    const CVQVariant* get_prop_cell(const CString& key) const;
    /// Cell of a list column in a data row, or null.
    const CVQVariant* get_prop_cell(int row, const CString& key) const;

    // ---- choice lists ----------------------------------------------------------

    /// Publishes a named list of choices for the table's cells. With `append`
    /// false the list replaces any list of that name; with true it is added
    /// to the end of the existing one.
    void SetEnvVariable(const CString& name, const std::vector<CString>& choices, bool append);
    /// The list published under `name`, or null.
    const std::vector<CString>* get_env_variable(const CString& name) const;
    const std::map<CString, std::vector<CString>>& get_env_variables() const { return m_env; }

    // ---- the user at the grid (tests and the headless host) -------------------

    /// Edits a property as the user would; sets the user-modified mark when the key exists.
    bool user_set_prop(const CString& key, const CVQVariant& value);
    /// Edits a list cell as the user would; sets the mark when the cell exists.
    bool user_set_prop(int row, const CString& key, const CVQVariant& value);
    /// Appends blank data rows as the user would; sets the mark.
    bool user_append_rows(int count);
    /// Removes data rows [row, row + count) as the user would; sets the mark when a row went.
    bool user_remove_rows(int row, int count);

private:
    int data_row_to_absolute(int row) const;
    template <class T> bool read_prop(const CVQVariant* cell, T& value) const;

    struct column_info {
        CString key;
        CString caption;
        CString choice_list;
    };

    grid_table_kind m_kind;
    CString m_name;
    std::vector<CString> m_sections;
    std::vector<column_info> m_columns_info;       // list tables
    std::map<CString, CString> m_property_choices;  // property tables: key -> choice list
    std::map<CString, std::vector<CString>> m_env;
};
