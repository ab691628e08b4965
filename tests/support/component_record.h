// The pedestal component a drawing strategy makes, as the record it carries.
#pragma once

#include <memory>

#include <gtest/gtest.h>

#include "host/drawing_lib/rx_component_dsgj.h"
#include "host/ui_base/graph_drawing_strategy_base.h"

namespace ds_test {

/// The record behind the strategy's component; a test failure and an empty record when it makes none.
inline VQDraw_DS_GJNA::DS_draw_data component_record(graph_drawing_strategy_base& strategy)
{
    auto component = std::dynamic_pointer_cast<VQDraw_DS_GJNA::CRXComponent_DSGJ>(strategy.GetComponent());
    if (!component) {
        ADD_FAILURE() << "no pedestal component";
        return {};
    }
    return component->GetDrawData();
}

}  // namespace ds_test
