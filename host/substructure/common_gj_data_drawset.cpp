// Defaults, comparison and serialization of the shared substructure drawing
// settings and of their merge-information records.
#include "host/substructure/common_gj_data_drawset.h"

#include <algorithm>
#include <mutex>
#include <stdexcept>
#include <string>
#include <unordered_map>

#include "host/fields/field_catalogue.h"
#include "host/framework/common_string_tools.h"
#include "host/framework/serialization_guard.h"
#include "host/substructure/common_drawset_fields.h"
#include "host/substructure/record_list_serialization.h"

namespace {

// Layout written by this version of the host; older files carry the same keys.
constexpr int kDrawsetVersion = 1;
constexpr int kMergeInfoVersion = 1;

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
    common_string_tools::Get_Unmatched_String(caption, static_cast<double>(other), static_cast<double>(mine), lines);
}

/// "第N条" for the 0-based index of a list element.
CString ordinal(std::size_t index) { return "第" + CString(std::to_string(index + 1)) + "条"; }

void compare_note_items(const std::vector<custom_note_item>& other, const std::vector<custom_note_item>& mine,
                        std::vector<CString>& lines)
{
    unmatched("自定义附注条数：", static_cast<int>(other.size()), static_cast<int>(mine.size()), lines);
    for (std::size_t i = 0; i < std::min(other.size(), mine.size()); ++i) {
        unmatched(ordinal(i) + "自定义附注名称：", other[i].first, mine[i].first, lines);
        unmatched(ordinal(i) + "自定义附注内容：", other[i].second, mine[i].second, lines);
    }
}

void compare_merge_infos(const std::vector<single_part_gj_merge_info>& other,
                         const std::vector<single_part_gj_merge_info>& mine, std::vector<CString>& lines)
{
    unmatched("合并信息条数：", static_cast<int>(other.size()), static_cast<int>(mine.size()), lines);
    for (std::size_t i = 0; i < std::min(other.size(), mine.size()); ++i) {
        std::vector<CString> record_lines;
        mine[i].compare(&other[i], record_lines);
        for (const CString& line : record_lines) lines.push_back(ordinal(i) + "合并信息" + line);
    }
}

void serialize_note_item(member_rw_interface& stream, const CString& item_key, custom_note_item& item)
{
    stream.serialize(item_key + "_key", item.first);
    stream.serialize(item_key + "_value", item.second);
}

}  // namespace

const char* common_drawset_fields::difference_caption(std::string_view name)
{
    // Kept once per field: every stored drawing walks these lists.
    static std::unordered_map<std::string_view, std::string> captions;
    static std::mutex guard;
    const std::lock_guard lock(guard);
    auto found = captions.find(name);
    if (found == captions.end()) {
        const field_catalogue::field* f = field_catalogue::find_named(name);
        if (!f) throw std::logic_error("the field catalogue has no field " + std::string(name));
        found = captions.emplace(f->name, std::string(field_catalogue::name_in_messages(name)) + "：").first;
    }
    return found->second.c_str();
}

// ---- single_part_gj_merge_info ----------------------------------------------

void single_part_gj_merge_info::compare(const single_part_gj_merge_info* other, std::vector<CString>& lines) const
{
    if (!other) return;
    common_drawset_fields::for_each_merge_field(
        [&](const char*, const char* caption, auto member) { unmatched(caption, other->*member, this->*member, lines); });
}

void single_part_gj_merge_info::serialize_members(member_rw_interface& stream)
{
    x_object_flag_serialization_guard guard("single_part_gj_merge_info", stream);
    int version = kMergeInfoVersion;
    stream.serialize("version", version);
    common_drawset_fields::for_each_merge_field(
        [&](const char* key, const char*, auto member) { stream.serialize(key, this->*member); });
}

// ---- common_gj_data_drawset -------------------------------------------------

void common_gj_data_drawset::set_default_value()
{
    m_strCompType.Empty();
    m_strQF.Empty();
    m_iPierNum = 0;
    m_iScale = 50;
    m_strConcreteType = "C40";
    m_strCustomNote.Empty();
    m_dCover = 40.0;
    m_custom_note_items.clear();
    m_merge_infos.clear();
}

// A null `other` has nothing to compare with and adds no line.
void common_gj_data_drawset::compare(const common_gj_data_drawset* other, std::vector<CString>& lines) const
{
    if (!other) return;
    common_drawset_fields::for_each_setting(
        [&](const char*, const char* caption, auto member) { unmatched(caption, other->*member, this->*member, lines); });
    compare_note_items(other->m_custom_note_items, m_custom_note_items, lines);
    compare_merge_infos(other->m_merge_infos, m_merge_infos, lines);
}

// There is one layout so far; every stored version is read with it, and a
// missing key keeps the value the settings had.
void common_gj_data_drawset::serialize_members(member_rw_interface& stream)
{
    x_object_flag_serialization_guard guard("common_gj_data_drawset", stream);
    int version = kDrawsetVersion;
    stream.serialize("version", version);
    common_drawset_fields::for_each_setting(
        [&](const char* key, const char*, auto member) { stream.serialize(key, this->*member); });
    substructure_serialization::serialize_list(stream, "m_custom_note_items", m_custom_note_items, serialize_note_item);
    substructure_serialization::serialize_record_list(stream, "m_merge_infos", m_merge_infos);
}
