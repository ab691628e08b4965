// Parsing grid edits from the command line and from edit files.
#include "app/core/grid/table_edits.h"

#include <charconv>
#include <stdexcept>

#include "app/core/project/node_lookup.h"
#include "host/framework/atomic_file.h"

namespace ds_app {

namespace {

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

[[noreturn]] void refuse(const std::string& origin, const std::string& text, const std::string& why)
{
    throw std::runtime_error(origin + " \"" + text + "\": " + why +
                             "; write TABLE.KEY=VALUE, or TABLE[ROW].KEY=VALUE for a row of a list table");
}

/// "TABLE[3]" -> "TABLE" and 3; "TABLE" -> "TABLE" and 0.
std::string split_row(std::string table, int& row, const std::string& origin, const std::string& text)
{
    row = 0;
    if (table.empty() || table.back() != ']') return table;
    const auto open = table.rfind('[');
    if (open == std::string::npos) refuse(origin, text, "a ']' without its '['");
    const std::string digits = table.substr(open + 1, table.size() - open - 2);
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), row);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || row < 1)
        refuse(origin, text, "the row \"" + digits + "\" is not a number from 1 on");
    return trimmed(table.substr(0, open));
}

}  // namespace

table_edit parse_table_edit(const std::string& utf8, const std::string& origin)
{
    const auto equals = utf8.find('=');
    if (equals == std::string::npos) refuse(origin, utf8, "no '='");
    const std::string target = trimmed(std::string_view(utf8).substr(0, equals));
    const auto dot = target.rfind('.');
    if (dot == std::string::npos) refuse(origin, utf8, "no '.' between table and key");

    table_edit edit;
    const std::string table = split_row(trimmed(target.substr(0, dot)), edit.row, origin, utf8);
    const std::string key = trimmed(target.substr(dot + 1));
    if (table.empty()) refuse(origin, utf8, "no table name");
    if (key.empty()) refuse(origin, utf8, "no key");
    edit.table = narrow_argument(table, origin + " table");
    edit.key = narrow_argument(key, origin + " key");
    edit.value = narrow_argument(trimmed(std::string_view(utf8).substr(equals + 1)), origin + " value");
    edit.origin = origin;
    return edit;
}

std::vector<table_edit> read_table_edits(const std::filesystem::path& file)
{
    std::string content;
    try {
        content = ds_file::read_whole_file(file, std::size_t(1) << 20);
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string("cannot read the edits: ") + e.what());
    }
    std::vector<table_edit> edits;
    std::size_t start = 0;
    for (int line_number = 1; start <= content.size(); ++line_number) {
        auto end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        const std::string line = trimmed(std::string_view(content).substr(start, end - start));
        if (!line.empty() && line.front() != '#')
            edits.push_back(parse_table_edit(line, file.string() + ":" + std::to_string(line_number)));
        start = end + 1;
    }
    return edits;
}

std::vector<table_edit> collect_table_edits(const std::vector<std::string>& sets,
                                            const std::optional<std::filesystem::path>& file)
{
    std::vector<table_edit> edits;
    for (std::size_t i = 0; i < sets.size(); ++i)
        edits.push_back(parse_table_edit(sets[i], "--set #" + std::to_string(i + 1)));
    if (file) {
        auto more = read_table_edits(*file);
        edits.insert(edits.end(), more.begin(), more.end());
    }
    return edits;
}

}  // namespace ds_app
