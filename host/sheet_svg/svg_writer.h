// svg_writer: a sheet as one self-contained SVG file.
//
// UTF-8, a viewBox in paper millimetres (the document is as large as the
// paper), y flipped to point down, real <text> elements a reader can select
// and search, set in a CJK font list with fallbacks that every desktop has one
// of. Entities are grouped per layer (<g id="REBAR"> ...) with the colour,
// pen and dash of the layer style table. Texts are escaped by markup_text.
#pragma once

#include <filesystem>
#include <string>

#include "host/sheet_model/sheet_primitives.h"

namespace ds_sheet {

/// The family an SVG viewer on this system sets texts in: the first of svg_font_family.
inline constexpr const char* svg_first_font = "Noto Sans CJK SC";
/// Font families, best first: the Noto/Source Han faces of Linux, then those of Windows and macOS.
inline constexpr const char* svg_font_family =
    "'Noto Sans CJK SC','Source Han Sans SC','Microsoft YaHei','SimSun','PingFang SC',sans-serif";

/// The SVG document of a flattened sheet. Throws ds_text::conversion_error when a text is not valid narrow text.
std::string svg_document(const flat_sheet& flat);
/// svg_document of `page`, flattened here.
std::string svg_document(const sheet& page);

/// Writes svg_document(flat) to `path`, atomically (ds_file::write_file_atomically).
void write_svg(const flat_sheet& flat, const std::filesystem::path& path);

}  // namespace ds_sheet
