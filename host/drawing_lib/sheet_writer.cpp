// The writers of single-sheet formats, by format.
#include "host/drawing_lib/sheet_writer.h"

#include "host/drawing_lib/dxf_writer.h"
#include "host/drawing_lib/svg_writer.h"

namespace ds_sheet {

namespace {

class svg_file_writer final : public sheet_writer {
public:
    const char* extension() const override { return ".svg"; }
    void write(const flat_sheet& flat, const std::filesystem::path& path) const override { write_svg(flat, path); }
};

class dxf_file_writer final : public sheet_writer {
public:
    const char* extension() const override { return ".dxf"; }
    void write(const flat_sheet& flat, const std::filesystem::path& path) const override { write_dxf(flat, path); }
};

}  // namespace

const sheet_writer& writer_for(sheet_format format)
{
    static const svg_file_writer svg;
    static const dxf_file_writer dxf;
    return format == sheet_format::svg ? static_cast<const sheet_writer&>(svg) : dxf;
}

}  // namespace ds_sheet
