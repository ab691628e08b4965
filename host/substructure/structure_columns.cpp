// The structure table's columns, read off the field catalogue once.
#include "host/substructure/structure_columns.h"

#include <cstring>
#include <stdexcept>
#include <vector>

namespace structure_table {

namespace {

struct resolved_column {
    const field_catalogue::field* field = nullptr;
    CString caption;
};

/// Each column's field and caption; a catalogue without one is a build
/// mistake, found on first use by every test of the table.
const std::vector<resolved_column>& resolved()
{
    static const std::vector<resolved_column> columns = [] {
        std::vector<resolved_column> out;
        for (const column_entry& entry : column_layout()) {
            const field_catalogue::field* f = field_catalogue::find_named(entry.field_name);
            if (!f) throw std::logic_error(std::string("the field catalogue has no field ") + entry.field_name);
            resolved_column column{f, {}};
            for (const field_catalogue::place& p : f->places)
                if (std::strcmp(p.table, field_catalogue::structure_sheet) == 0) column.caption = p.caption;
            if (column.caption.IsEmpty())
                throw std::logic_error(std::string("the field ") + entry.field_name + " has no place on the structure sheet");
            out.push_back(std::move(column));
        }
        return out;
    }();
    return columns;
}

}  // namespace

const std::array<column_entry, column_count>& column_layout()
{
    static const std::array<column_entry, column_count> specs = {{
        {"structure.bridge_part", nullptr},
        {"structure.number", nullptr},
        {"structure.type", nullptr},
        {"structure.concrete", "C40"},
        {"structure.scale", "50"},
        {"structure.cover", "40"},
        {"structure.row", nullptr},
        {"structure.row_position", nullptr},
        {"structure.row_count", nullptr},
        {"structure.width", nullptr},
        {"structure.length", nullptr},
        {"structure.heights", nullptr},
        {"structure.angle", "90"},
        {"structure.note", ""},
    }};
    return specs;
}

const field_catalogue::field& column_field(std::size_t column) { return *resolved().at(column).field; }

const CString& column_caption(std::size_t column) { return resolved().at(column).caption; }

}  // namespace structure_table
