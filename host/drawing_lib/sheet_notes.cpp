// The notes of a sheet: the record's notes as given, then the drawing library's own.
//
// The library's notes say what a reader of the sheet needs and the record
// does not: the unit (a record's unit note that says nothing is restated), the materials, the cover and what it is measured to
// (the clear cover of JTG 3362: concrete face to the outer surface of the
// outermost bar), what h and θ mean, how the bar lengths are given, the bar
// rules of rebar_geometry.h and rebar_cage.h, and the usual construction
// notes of a bearing pedestal.
#include <algorithm>

#include "host/pedestal_design/rebar_cage.h"
#include "host/drawing_lib/rx_component.h"
#include "host/drawing_lib/sheet_tables.h"
#include "host/framework/string_tools.h"
#include "host/rebar/rx_component_steel_p0.h"
#include "host/sheet_model/text_metrics.h"

namespace VQDraw_DS_GJNA {

namespace {

using ds_sheet::number_text;

/// Start of the unit note the strategies write; a group's notes holding it need no other.
constexpr const char* unit_note_start = "本图尺寸";

/// The unit note: a drawing in millimetres needs no exception for the bar diameters.
CString unit_note()
{
    const bool cm = RXDSGNMOD::GetDimmeasureScaleStr(true, 0.0) == "cm";
    return cm ? "本图尺寸除钢筋直径以毫米计外，余均以厘米计。" : "本图尺寸均以毫米计。";
}

/// A record's unit note that excepts the diameters from millimetres only to
/// give millimetres again says nothing; the sheet states the unit plainly.
CString plain_unit_note(const CString& note)
{
    return note.Find("以毫米计外") >= 0 && note.Find("余均以毫米计") >= 0 ? unit_note() : note;
}

std::vector<CString> steel_grades(const std::vector<DS_steel_pram_parameter>& group)
{
    std::vector<CString> grades;
    for (const auto& p : group)
        if (p.m_pSteelGroup)
            for (const steel_bar_row& bar : p.m_pSteelGroup->GetBars())
                if (!bar.m_grade.IsEmpty() && std::find(grades.begin(), grades.end(), bar.m_grade) == grades.end())
                    grades.push_back(bar.m_grade);
    return grades;
}

CString cover_note()
{
    const RXDSGNMOD::rebar_cover cover = RXDSGNMOD::GetRebarCover();
    CString note = "钢筋净保护层厚度c=" + number_text(cover.mm) + "mm，指混凝土表面至最外层钢筋外缘的净距";
    if (!cover.given) note += "(绘图设置未给定保护层厚度，按默认值" + number_text(cover.mm) + "mm)";
    return note + "。";
}

CString materials_note(const DS_draw_data& data, std::size_t g)
{
    CString note = "垫石混凝土强度等级" + (data.m_strConcreteType.IsEmpty() ? CString("见设计说明") : data.m_strConcreteType);
    const std::vector<CString> grades = steel_grades(data.m_vecParamGroups[g]);
    if (!grades.empty()) {
        note += "，钢筋采用";
        for (std::size_t i = 0; i < grades.size(); ++i) note += (i ? "、" : "") + grades[i];
    }
    return note + "。";
}

}  // namespace

std::vector<CString> sheet_notes(const DS_draw_data& data, std::size_t group)
{
    std::vector<CString> notes;
    if (group < data.m_vecGroupNotes.size()) notes = data.m_vecGroupNotes[group];
    for (CString& note : notes) note = plain_unit_note(note);
    const bool stated = std::any_of(notes.begin(), notes.end(), [](const CString& n) { return n.Find(unit_note_start) == 0; });
    if (!data.m_strCustomNote.IsEmpty()) notes.push_back(data.m_strCustomNote);
    if (!stated) notes.push_back(unit_note());
    if (group < data.m_vecParamGroups.size()) notes.push_back(materials_note(data, group));
    notes.push_back(cover_note());
    notes.push_back("h为垫石高度(各垫石高度见垫石编号表或参数表)；θ为垫石侧边线与前缘线的夹角(侧边线夹角)，θ=90°为正交。");
    notes.push_back("钢筋网自垫石顶面向下每" + number_text(mesh_layer_pitch_mm) + "mm设一层，层数随垫石高度而定；斜交垫石的钢筋网一向平行前缘线，另一向平行侧边线；钢筋间距均垂直于钢筋量测。");
    notes.push_back("竖向钢筋伸入盖梁" + number_text(vertical_anchor_diameters) + "d，L形钢筋底端弯折" +
                    number_text(vertical_foot_diameters) + "d，应在浇筑盖梁(台帽)混凝土前预埋就位；箍筋为封闭箍，两端135°弯钩各计" +
                    number_text(tie_hook_diameters) + "d。");
    notes.push_back("钢筋长度按中心线计，各段取整至1mm，单根长为各段之和；钢筋重量按钢材密度7850kg/m3、截面积π×d×d/4计。");
    notes.push_back("浇筑垫石前应将盖梁(台帽)顶面凿毛并清洗干净；垫石顶面应水平、平整，其高程及平面位置在支座安装前应复核。");
    for (std::size_t i = 0; i < notes.size(); ++i) notes[i] = string_tools::num_to_string(static_cast<int>(i + 1)) + ". " + notes[i];
    return notes;
}

}  // namespace VQDraw_DS_GJNA
