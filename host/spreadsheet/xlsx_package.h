// The zip package of an XLSX workbook: its parts unpacked and parsed within a
// fixed memory budget, whatever sizes and counts the file states.
//
// A workbook's parts are small for a drawing's table; a crafted file can state
// huge sizes or unpack a few kilobytes into a flood of empty elements. Every
// part is therefore counted as it inflates, and parsed only when the document
// tree it would make fits the budget, so a bomb is refused in a fraction of a
// second instead of after gigabytes.
#pragma once

#include <pugixml.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

typedef struct zip zip_t;

namespace ds_spreadsheet {

class xlsx_package {
public:
    /// Opens the package in `bytes` (kept by the caller); `source` names it in errors.
    /// Refuses bytes that are no zip package, an OpenDocument spreadsheet, and
    /// packages that hold one part under two names differing only in case.
    xlsx_package(std::string_view bytes, std::string source);
    ~xlsx_package();
    xlsx_package(const xlsx_package&) = delete;
    xlsx_package& operator=(const xlsx_package&) = delete;

    /// Throws spreadsheet_error: the source, then `why`.
    [[noreturn]] void fail(const std::string& why) const;

    /// The unpacked part `name` (matched without regard to case, as Excel
    /// does), or nothing when the package has no such part. Its XML tree must
    /// fit the budget, which is checked as it inflates.
    std::optional<std::string> part(const std::string& name);

    /// The part parsed as XML; an empty document when it is missing and not `required`.
    pugi::xml_document parse(const std::string& name, bool required);

private:
    void check_entries();
    std::string unpack(const std::string& name, std::uint64_t index, std::uint64_t size);

    std::string m_source;
    zip_t* m_zip = nullptr;
    std::uint64_t m_unpacked_left;
};

/// Element names without their namespace prefix: generators differ in prefixes.
bool is_element(const pugi::xml_node& node, const char* local);
/// The first child element named `local` (any prefix).
pugi::xml_node child_element(const pugi::xml_node& node, const char* local);

}  // namespace ds_spreadsheet
