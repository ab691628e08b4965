// sheet_formats: the file formats drawing sheets are written in, each with its
// writer and command-line texts. A new format is a writer (a layer of its own
// that sees the sheet model and nothing of pedestals) and one entry here;
// commands, the sample roads and the local server's downloads offer every
// format this table lists.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/sheet_model/sheet_primitives.h"
#include "host/sheet_model/sheet_set_writer.h"

namespace ds_sheet {

/// Whether a format writes a file of each sheet or one file of the whole set.
enum class sheet_scope { each_sheet, whole_set };

struct sheet_format {
    std::string_view name;       ///< "svg": its command-line option (--svg) and download name
    std::string_view label;      ///< "SVG": how messages name it
    std::string_view extension;  ///< ".svg", with its dot
    sheet_scope scope = sheet_scope::each_sheet;
    std::string_view option_help;  ///< the option's help: what the folder (or file) it names gets
    std::string_view media_type;   ///< the file's type when the local server hands it out
    /// A whole-set format written into the option's folder: the file's name
    /// there ("index.html"); empty when the option names the file itself.
    std::string_view set_file_name = {};
    /// Each-sheet formats this one writes beside its file, into the same folder
    /// (the HTML page shows the SVG files and links the DXF files).
    std::vector<std::string_view> companions = {};
    /// True when `head`, the beginning of a file, reads as a file of this format
    /// this program writes: only such a file is ever replaced.
    bool (*recognises)(std::string_view head) = nullptr;
    /// An each-sheet format's writer: `flat` to `path`, atomically (a failure
    /// leaves an existing file as it was). Throws ds_file::file_error or
    /// ds_text::conversion_error.
    void (*write_sheet)(const flat_sheet& flat, const std::filesystem::path& path) = nullptr;
    /// A whole-set format's writer of the file `path`. Throws ds_file::file_error.
    std::unique_ptr<sheet_set_writer> (*open_set)(const std::filesystem::path& path) = nullptr;

    /// The font its texts are set in (a fontconfig family) and the width
    /// factor it applies; no family for a format that sets no text of its own.
    std::string_view font_family = {};
    double width_factor = 1.0;
    /// A CAD program scales a TrueType face so that a text's height is the
    /// height of its capital letters: the face's em, and a Chinese character
    /// with it, comes out larger than the height by em / cap height.
    bool height_is_cap_height = false;

    /// The option names a folder (each-sheet formats, and whole-set formats with a set_file_name), not a file.
    bool takes_folder() const { return scope == sheet_scope::each_sheet || !set_file_name.empty(); }
};

/// Every format, in the order commands list and write them: SVG, DXF, PDF, HTML
/// (the HTML page links the PDF, so the PDF is finished first).
const std::vector<sheet_format>& sheet_formats();

/// "svg, dxf, pdf, html": the names, in table order.
std::string sheet_format_names();

/// Has text_metrics measure every character in the fonts the formats name
/// (each with its width factor), taking the widest, so that cells, dimension
/// values and the drawing check's text boxes hold what any writer sets.
/// Characters no font measures keep the estimate.
void install_text_metrics();

/// The format named `name`; throws std::out_of_range, naming the formats there
/// are, for a name not in sheet_formats().
const sheet_format& sheet_format_named(std::string_view name);

}  // namespace ds_sheet
