// graph_drawing_strategy_base: turns an attached drawing into a drawing
// component, and exchanges its data with spreadsheet tables.
#pragma once

#include <memory>
#include <vector>

#include "host/afx/cobject.h"

class graph_data_base;
namespace RXDSGNMOD {
class CRXComponent;
}

/// Rows of text cells exchanged with a spreadsheet.
using excel_table = std::vector<std::vector<CString>>;

class graph_drawing_strategy_base : public CObject {
    DECLARE_DYNAMIC(graph_drawing_strategy_base)
public:
    /// Builds the component and lets it design and draw; false when there is nothing to draw.
    virtual bool draw();
    /// The drawing component of the attached drawing; empty when there is nothing to draw.
    virtual std::shared_ptr<RXDSGNMOD::CRXComponent> GetComponent();
    /// Export: fills `table` with the drawing's data.
    virtual void set_excel_exchange_p0(excel_table& table);
    /// Import: reads the drawing's data from `table`.
    virtual void get_excel_exchange_p0(const excel_table& table);

    /// The drawing this strategy draws (not owned), or null.
    graph_data_base* get_graph_data() const { return m_graph_data; }
    void set_graph_data(graph_data_base* graph) { m_graph_data = graph; }

private:
    graph_data_base* m_graph_data = nullptr;
};
