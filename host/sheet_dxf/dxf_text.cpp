// Texts made safe for DXF group values.
#include "host/sheet_dxf/dxf_text.h"

#include "host/text/encoding.h"

namespace ds_sheet {

namespace {

bool is_lead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

/// Walks `gbk` a character at a time: `single` gets each one-byte character,
/// two-byte characters are copied as they are.
template <class Single>
std::string rewrite(const std::string& gbk, Single single)
{
    std::string out;
    out.reserve(gbk.size());
    for (std::size_t i = 0; i < gbk.size(); ++i) {
        const auto c = static_cast<unsigned char>(gbk[i]);
        if (is_lead(c) && i + 1 < gbk.size()) {
            out += gbk[i];
            out += gbk[++i];
        } else {
            single(out, c, gbk, i);
        }
    }
    return out;
}

}  // namespace

bool has_line_break(const CString& narrow)
{
    const std::string_view s(narrow.str());
    return s.find_first_of("\r\n") != std::string_view::npos;
}

std::string dxf_line_text(const CString& narrow)
{
    return rewrite(ds_text::to_gbk(narrow.str()), [](std::string& out, unsigned char c, const std::string&, std::size_t) {
        if (c == '\t') out += ' ';
        else if (c >= 0x20 && c != 0x7F) out += static_cast<char>(c);
    });
}

std::string dxf_mtext(const CString& narrow)
{
    return rewrite(ds_text::to_gbk(narrow.str()), [](std::string& out, unsigned char c, const std::string& all, std::size_t& i) {
        if (c == '\r') {
            out += "\\P";
            if (i + 1 < all.size() && all[i + 1] == '\n') ++i;
        } else if (c == '\n') out += "\\P";
        else if (c == '\\' || c == '{' || c == '}') (out += '\\') += static_cast<char>(c);
        else if (c == '\t') out += ' ';
        else if (c >= 0x20 && c != 0x7F) out += static_cast<char>(c);
    });
}

std::vector<std::string> dxf_pieces(const std::string& gbk, std::size_t limit)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (gbk.size() - start > limit) {
        std::size_t end = start;
        while (end < gbk.size()) {
            const std::size_t width = is_lead(static_cast<unsigned char>(gbk[end])) ? 2 : 1;
            if (end + width - start > limit) break;
            end += width;
        }
        pieces.push_back(gbk.substr(start, end - start));
        start = end;
    }
    pieces.push_back(gbk.substr(start));
    return pieces;
}

}  // namespace ds_sheet
