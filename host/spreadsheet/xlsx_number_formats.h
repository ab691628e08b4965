// Which number formats of a workbook show a number as something else: a date,
// a time or a percentage. Such a cell stores a day count or a fraction, not
// the value a person typed, so a table reader must not take its number.
#pragma once

#include <string>
#include <vector>

#include "host/spreadsheet/xlsx_package.h"

namespace ds_spreadsheet {

/// What a number format makes of a number, when it is not the number itself.
struct shown_as {
    std::string what;    ///< "a date", "a time", "a percentage"; empty for a plain number
    std::string format;  ///< the format code, e.g. "yyyy-mm-dd" or "0%"
};

/// The cell styles (cellXfs) of a workbook, by their index in a cell's s attribute.
class number_formats {
public:
    /// Reads the styles part (`part` may be empty: no styles, every number plain).
    number_formats(xlsx_package& zip, const std::string& part);
    /// How style `index` shows a number; a plain number for an unknown index.
    const shown_as& of_style(std::size_t index) const;

private:
    std::vector<shown_as> m_styles;
};

/// How format code `code` shows a number (exposed for tests).
shown_as classify_format(const std::string& code);

}  // namespace ds_spreadsheet
