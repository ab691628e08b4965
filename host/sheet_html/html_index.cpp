// The HTML page listing a project's sheets.
#include "host/sheet_html/html_index.h"

#include <cctype>
#include <sstream>

#include "host/framework/atomic_file.h"
#include "host/sheet_model/markup_text.h"
#include "host/sheet_model/sheet_primitives.h"

namespace ds_sheet {

namespace {

std::string html(const CString& narrow) { return markup_text(narrow); }

/// A file name as a link target: the characters a URL path cannot hold as they are, percent-encoded.
std::string href(const std::string& name)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80 || std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '/') out += ch;
        else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

}  // namespace

std::filesystem::path write_html_index(const std::filesystem::path& folder, const CString& heading,
                                       const std::vector<indexed_sheet>& sheets, const std::string& pdf)
{
    std::ostringstream out;
    out << "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n<title>" << html(heading)
        << "</title>\n<style>\nbody{font-family:'Noto Sans CJK SC','Microsoft YaHei',sans-serif;margin:2em;background:#f4f4f4}\n"
           "figure{background:#fff;margin:0 0 2em;padding:1em;box-shadow:0 1px 4px #999}\n"
           "img{width:100%;max-width:1400px;display:block}\nfigcaption{margin-top:.5em;font-size:1.1em}\n"
           "</style>\n</head>\n<body>\n<h1>"
        << html(heading) << "</h1>\n";
    if (!pdf.empty()) out << "<p><a href=\"" << href(pdf) << "\">PDF</a> &#xB7; every sheet, a page each</p>\n";
    CString drawing;
    bool first = true;
    for (const indexed_sheet& s : sheets) {
        if (first || s.drawing != drawing) out << "<h2>" << html(s.drawing) << "</h2>\n";
        first = false;
        drawing = s.drawing;
        out << "<figure>\n<a href=\"" << href(s.svg) << "\"><img src=\"" << href(s.svg) << "\" alt=\"" << html(s.title)
            << "\"></a>\n<figcaption>" << html(s.title);
        if (!s.dxf.empty()) out << " &#xB7; <a href=\"" << href(s.dxf) << "\">DXF</a>";
        out << "</figcaption>\n</figure>\n";
    }
    out << "</body>\n</html>\n";
    const std::filesystem::path page = folder / html_index_name;
    ds_file::write_file_atomically(page, out.str());
    return page;
}

namespace {

/// The first of `files` whose name ends in `extension`, or "".
std::string ending_in(const std::vector<std::string>& files, const std::string& extension)
{
    for (const std::string& file : files)
        if (file.ends_with(extension)) return file;
    return {};
}

class html_set final : public sheet_set_writer {
public:
    explicit html_set(std::filesystem::path folder) : m_folder(std::move(folder)) {}
    void add(const flat_sheet& flat, const set_sheet& sheet) override
    {
        m_sheets.push_back({sheet.drawing, flat.page->title, ending_in(sheet.files, ".svg"), ending_in(sheet.files, ".dxf")});
    }
    std::string finish(const CString& heading, const std::vector<std::filesystem::path>& others) override
    {
        std::string pdf;
        for (const std::filesystem::path& other : others)
            if (pdf.empty() && other.extension() == ".pdf")
                pdf = std::filesystem::absolute(other).lexically_relative(std::filesystem::absolute(m_folder)).generic_string();
        write_html_index(m_folder, heading, m_sheets, pdf);
        return {};
    }

private:
    std::filesystem::path m_folder;
    std::vector<indexed_sheet> m_sheets;
};

}  // namespace

std::unique_ptr<sheet_set_writer> open_html_set(const std::filesystem::path& page)
{
    return std::make_unique<html_set>(page.parent_path());
}

}  // namespace ds_sheet
