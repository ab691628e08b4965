// The drawing record that both spreadsheet exchange tests export and import:
// every exchanged field away from its default, texts with Chinese and separators.
#pragma once

#include "data/ds_draw_data.h"

namespace ds_test {

inline void fill_exchange_sample(VQDraw_DS_UINA::DS_draw_data& data, double width)
{
    VQDraw_DS_UINA::DS_GZ_Gen& gz = data.m_gz;
    gz.m_dWidth = width;
    gz.m_dLenth = 700;
    gz.strHei = "200;250 300";
    gz.m_dSlope = 75.5;
    gz.m_iCount = 3;
    gz.strPos = "大桩号侧";
    VQDraw_DS_UINA::DS_steel_DrawSet& drawSet = data.m_drawSet;
    drawSet.m_DS_number = "A1";
    drawSet.com_drawset.m_strCompType = "桥台";
    drawSet.com_drawset.m_strQF = "左幅";
    drawSet.com_drawset.m_iPierNum = 5;
    drawSet.com_drawset.m_iScale = 25;
    drawSet.com_drawset.m_strConcreteType = "C35";
    drawSet.com_drawset.m_strCustomNote = "注意预埋件";
}

}  // namespace ds_test
