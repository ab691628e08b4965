// The HTML page listing a project's sheets.
#include "host/drawing_lib/html_index.h"

#include <cctype>
#include <sstream>

#include "host/framework/atomic_file.h"
#include "host/drawing_lib/markup_text.h"

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
    const std::filesystem::path page = folder / "index.html";
    ds_file::write_file_atomically(page, out.str());
    return page;
}

}  // namespace ds_sheet
