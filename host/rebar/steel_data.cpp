// steel_data: defaults, comparison and serialization of a rebar set.
#include "host/rebar/steel_data.h"

#include <algorithm>

#include "host/framework/common_string_tools.h"
#include "host/framework/serialization_guard.h"

IMPLEMENT_HOST_DYNCREATE(steel_data, data_node_base)

namespace {

steel_bar_row bar(const char* mark, double diameter, int count, double spacing, const char* shape, const char* part)
{
    return steel_bar_row{mark, diameter, "HRB400", count, spacing, shape, part};
}

// The difference-line helpers know texts and numbers; counts compare as numbers.
void unmatched(const CString& caption, const CString& other, const CString& mine, std::vector<CString>& lines)
{
    common_string_tools::Get_Unmatched_String(caption, other, mine, lines);
}
void unmatched(const CString& caption, double other, double mine, std::vector<CString>& lines)
{
    common_string_tools::Get_Unmatched_String(caption, other, mine, lines);
}
void unmatched(const CString& caption, int other, int mine, std::vector<CString>& lines)
{
    unmatched(caption, static_cast<double>(other), static_cast<double>(mine), lines);
}

}  // namespace

void steel_data::set_default_value()
{
    m_bars = {
        bar("N1", 12.0, 0, 100.0, "直线", "钢筋网"),
        bar("N2", 12.0, 0, 100.0, "直线", "钢筋网"),
        bar("N3", 16.0, 8, 0.0, "L形", "竖向钢筋"),
        bar("N4", 10.0, 0, 100.0, "封闭箍筋", "箍筋"),
    };
}

void steel_data::compare(const steel_data& other, std::vector<CString>& lines) const
{
    unmatched("钢筋行数", static_cast<int>(other.m_bars.size()), static_cast<int>(m_bars.size()), lines);
    const std::size_t common = std::min(m_bars.size(), other.m_bars.size());
    for (std::size_t i = 0; i < common; ++i) {
        CString prefix;
        prefix.Format("第%d行钢筋", static_cast<int>(i) + 1);
        steel_bar_fields::for_each([&](const char*, const char* caption, auto member) {
            unmatched(prefix + caption, other.m_bars[i].*member, m_bars[i].*member, lines);
        });
    }
}

void steel_data::serialize_members(member_rw_interface& stream)
{
    x_object_flag_serialization_guard guard("steel_data", stream);
    data_node_base::serialize_members(stream);

    int version = current_version;
    stream.serialize("version", version);

    stream.mark("m_bars", x_mark_list_begin);
    // A stream without a count carries no bar list: the bars stay as they are.
    // With one, every bar line is read into a fresh default line.
    const int no_count = -1;
    int count = stream.is_storing() ? static_cast<int>(m_bars.size()) : no_count;
    stream.serialize("count", count);
    if (!stream.is_storing() && count != no_count)
        m_bars.assign(static_cast<std::size_t>(std::max(count, 0)), steel_bar_row());
    for (std::size_t i = 0; i < m_bars.size() && count != no_count; ++i) {
        const CString item = "item_" + CString(std::to_string(i));
        stream.mark(item, x_mark_object_begin);
        m_bars[i].serialize_members(stream);
        stream.mark(item, x_mark_object_end);
    }
    stream.mark("m_bars", x_mark_list_end);
}
