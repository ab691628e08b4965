// sheet_writer: the one interface every file format of a single sheet offers.
//
// A caller flattens a sheet once (flatten_for_writers) and hands the result to
// the writer of each format it wants; which writer is chosen by the format,
// so adding a format is adding a writer, not a flag to every call. The whole
// set of sheets as one document (PDF) is a book, see pdf_writer.h.
#pragma once

#include <filesystem>

#include "host/drawing_lib/sheet_primitives.h"

namespace ds_sheet {

/// File formats with one file per sheet.
enum class sheet_format { svg, dxf };

class sheet_writer {
public:
    virtual ~sheet_writer() = default;
    /// The file name extension of the format, with its dot: ".svg".
    virtual const char* extension() const = 0;
    /// Writes `flat` to `path`, atomically: on failure an existing file is left
    /// as it was. Throws ds_file::file_error or ds_text::conversion_error.
    virtual void write(const flat_sheet& flat, const std::filesystem::path& path) const = 0;
};

/// The writer of `format`; it lives as long as the program.
const sheet_writer& writer_for(sheet_format format);

}  // namespace ds_sheet
