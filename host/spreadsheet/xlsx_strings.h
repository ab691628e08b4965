// Texts of an XLSX workbook as a person sees them.
#pragma once

#include <string>
#include <vector>

#include "host/spreadsheet/xlsx_package.h"

namespace ds_spreadsheet {

/// The text with its "_xHHHH_" escapes (characters XML cannot carry as they
/// are, such as "_x000D_" for a carriage return) decoded, as UTF-8.
std::string decode_escapes(const std::string& text);

/// Text of a string item: its own <t>, or its rich-text runs joined (phonetic runs left out).
std::string string_item_text(const pugi::xml_node& item);

/// The workbook's shared strings (none when it has no such part); more than
/// input_limits::max_spreadsheet_cells are refused as they are read.
std::vector<std::string> shared_strings(xlsx_package& zip, const std::string& part);

}  // namespace ds_spreadsheet
