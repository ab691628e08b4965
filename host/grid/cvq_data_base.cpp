// CVQDataBase: key addressing, choice lists and user edits on top of the row model.
#include "host/grid/cvq_data_base.h"

#include <algorithm>
#include <type_traits>

namespace {
constexpr int caption_column = 0;
constexpr int value_column = 1;
const CString no_undo_text;
}  // namespace

CVQDataBase::CVQDataBase(grid_table_kind kind, const CString& name) : m_kind(kind), m_name(name)
{
    if (m_kind == grid_table_kind::property) set_column_count(2);
}

// ---- building ---------------------------------------------------------------

void CVQDataBase::add_property(const CString& key, const CString& caption, const CString& choice_list)
{
    if (is_list() || key.IsEmpty()) return;
    int row = find_row_by_tag(key);
    if (row < 0) row = append_row(key);
    set_cell(row, caption_column, CVQVariant(caption, false));
    set_choice_list(key, choice_list);
}

void CVQDataBase::add_column(const CString& key, const CString& caption, const CString& choice_list)
{
    if (!is_list() || key.IsEmpty()) return;
    int column = column_of(key);
    if (column < 0) {
        m_columns_info.push_back(column_info{key, CString(), CString()});
        column = static_cast<int>(m_columns_info.size()) - 1;
        set_column_count(column + 1);
    }
    m_columns_info[static_cast<std::size_t>(column)].caption = caption;
    m_columns_info[static_cast<std::size_t>(column)].choice_list = choice_list;
    if (GetFixedRowCount() > 0) set_cell(0, column, CVQVariant(caption, false));
}

void CVQDataBase::set_header_rows(int count)
{
    if (!is_list()) return;
    set_fixed_row_count(count);
    if (count <= 0) return;
    for (std::size_t column = 0; column < m_columns_info.size(); ++column)
        set_cell(0, static_cast<int>(column), CVQVariant(m_columns_info[column].caption, false));
}

std::vector<CString> CVQDataBase::get_keys() const
{
    std::vector<CString> keys;
    if (is_list()) {
        for (const auto& column : m_columns_info) keys.push_back(column.key);
    } else {
        for (int row = 0; row < GetRowCount(); ++row)
            if (!get_row_tag(row).IsEmpty()) keys.push_back(get_row_tag(row));
    }
    return keys;
}

bool CVQDataBase::has_key(const CString& key) const
{
    return is_list() ? column_of(key) >= 0 : find_row_by_tag(key) >= 0;
}

CString CVQDataBase::get_caption(const CString& key) const
{
    if (is_list()) {
        const int column = column_of(key);
        return column < 0 ? CString() : m_columns_info[static_cast<std::size_t>(column)].caption;
    }
    const CVQVariant* cell = get_cell(find_row_by_tag(key), caption_column);
    return cell ? cell->text() : CString();
}

CString CVQDataBase::get_choice_list(const CString& key) const
{
    if (is_list()) {
        const int column = column_of(key);
        return column < 0 ? CString() : m_columns_info[static_cast<std::size_t>(column)].choice_list;
    }
    auto found = m_property_choices.find(key);
    return found == m_property_choices.end() ? CString() : found->second;
}

void CVQDataBase::set_choice_list(const CString& key, const CString& choice_list)
{
    if (is_list()) {
        const int column = column_of(key);
        if (column >= 0) m_columns_info[static_cast<std::size_t>(column)].choice_list = choice_list;
        return;
    }
    if (choice_list.IsEmpty()) m_property_choices.erase(key);
    else if (has_key(key)) m_property_choices[key] = choice_list;
}

int CVQDataBase::column_of(const CString& key) const
{
    if (!is_list()) return has_key(key) ? value_column : -1;
    auto found = std::find_if(m_columns_info.begin(), m_columns_info.end(),
                              [&](const column_info& column) { return column.key == key; });
    return found == m_columns_info.end() ? -1 : static_cast<int>(found - m_columns_info.begin());
}

// ---- values -------------------------------------------------------------------

int CVQDataBase::data_row_to_absolute(int row) const
{
    return row < 0 || row >= GetNumberRows() ? -1 : row + GetFixedRowCount();
}

const CVQVariant* CVQDataBase::get_prop_cell(const CString& key) const
{
    // A list table has no tagged rows, so this finds nothing there.
    const int row = find_row_by_tag(key);
    return row < 0 || is_list() ? nullptr : get_cell(row, value_column);
}

const CVQVariant* CVQDataBase::get_prop_cell(int row, const CString& key) const
{
    if (!is_list()) return nullptr;
    const int absolute = data_row_to_absolute(row);
    const int column = column_of(key);
    return absolute < 0 || column < 0 ? nullptr : get_cell(absolute, column);
}

bool CVQDataBase::Set_Prop(const CString& key, const CVQVariant& value)
{
    if (!get_prop_cell(key)) return false;
    return set_cell(find_row_by_tag(key), value_column, value);
}

bool CVQDataBase::Set_Prop(int row, const CString& key, const CVQVariant& value)
{
    if (!get_prop_cell(row, key)) return false;
    return set_cell(data_row_to_absolute(row), column_of(key), value);
}

template <class T>
bool CVQDataBase::read_prop(const CVQVariant* cell, T& value) const
{
    if (!cell) return false;
    if constexpr (std::is_same_v<T, CString>) return cell->to_text(value);
    else if constexpr (std::is_same_v<T, double>) return cell->to_double(value);
    else return cell->to_int(value);
}

bool CVQDataBase::Get_Prop(const CString& key, CString& value) const { return read_prop(get_prop_cell(key), value); }
bool CVQDataBase::Get_Prop(const CString& key, double& value) const { return read_prop(get_prop_cell(key), value); }
bool CVQDataBase::Get_Prop(const CString& key, int& value) const { return read_prop(get_prop_cell(key), value); }

bool CVQDataBase::Get_Prop(int row, const CString& key, CString& value) const
{
    return read_prop(get_prop_cell(row, key), value);
}
bool CVQDataBase::Get_Prop(int row, const CString& key, double& value) const
{
    return read_prop(get_prop_cell(row, key), value);
}
bool CVQDataBase::Get_Prop(int row, const CString& key, int& value) const
{
    return read_prop(get_prop_cell(row, key), value);
}

// ---- choice lists -----------------------------------------------------------------

void CVQDataBase::SetEnvVariable(const CString& name, const std::vector<CString>& choices, bool append)
{
    std::vector<CString>& list = m_env[name];
    if (!append) list.clear();
    list.insert(list.end(), choices.begin(), choices.end());
}

const std::vector<CString>* CVQDataBase::get_env_variable(const CString& name) const
{
    auto found = m_env.find(name);
    return found == m_env.end() ? nullptr : &found->second;
}

// ---- the user at the grid -------------------------------------------------------------

bool CVQDataBase::user_set_prop(const CString& key, const CVQVariant& value)
{
    if (!Set_Prop(key, value)) return false;
    SetUserModify(1);
    return true;
}

bool CVQDataBase::user_set_prop(int row, const CString& key, const CVQVariant& value)
{
    if (!Set_Prop(row, key, value)) return false;
    SetUserModify(1);
    return true;
}

bool CVQDataBase::user_append_rows(int count)
{
    if (!InsertRowPost(GetRowCount() - 1, count, no_undo_text, no_undo_text)) return false;
    SetUserModify(1);
    return true;
}

bool CVQDataBase::user_remove_rows(int row, int count)
{
    if (data_row_to_absolute(row) < 0) return false;
    if (!RemoveRowsAt(data_row_to_absolute(row), count, no_undo_text, no_undo_text)) return false;
    SetUserModify(1);
    return true;
}
