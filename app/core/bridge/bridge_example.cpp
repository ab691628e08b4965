// The example bridge a newcomer starts from: a five-span viaduct on a skewed
// crossing, two carriageways (左幅, 右幅), each with an abutment at either end
// and four piers. Column piers carry two rows of pedestals, one per span; the
// abutments carry one row on their span side. Heights follow the deck's
// cross fall, so they change pedestal by pedestal.
#include "app/core/bridge/bridge_steps.h"

namespace ds_app {

namespace {

namespace st = structure_table;

st::table_row line(const char* part, int number, const char* type, int row, double position, int count,
                   std::vector<double> heights, double angle)
{
    st::table_row r;
    r.bridge_part = part;
    r.number = number;
    r.type_name = type;
    r.concrete = "C40";
    r.scale = 50;
    r.cover = 40;
    r.row = row;
    r.position = position;
    r.count = count;
    r.width = count > 3 ? 600 : 700;
    r.length = 450;
    r.heights = std::move(heights);
    r.angle = angle;
    return r;
}

/// Heights of `count` pedestals on a cross fall: `low` on the low side, rising by `step`.
std::vector<double> falling(double low, double step, int count)
{
    std::vector<double> heights;
    for (int i = 0; i < count; ++i) heights.push_back(low + step * i);
    return heights;
}

void add_carriageway(std::vector<st::structure>& out, const char* part, double skew, double fall)
{
    const int piers = 4;
    st::structure start{{part, 0, true}, {line(part, 0, "肋板台", 2, 500, 3, falling(180, fall, 3), skew)}};
    out.push_back(start);
    for (int n = 1; n <= piers; ++n) {
        const char* type = n == 2 || n == 3 ? "花瓶墩" : "柱式墩";
        const double base = 200 + 10 * n;
        out.push_back({{part, n, false},
                       {line(part, n, type, 1, 600, 3, falling(base, fall, 3), skew),
                        line(part, n, type, 2, 600, 3, falling(base + 20, fall, 3), skew)}});
    }
    st::structure end{{part, piers + 1, true}, {line(part, piers + 1, "肋板台", 1, 500, 3, falling(190, fall, 3), skew)}};
    end.rows.front().note = "台后设搭板。";
    out.push_back(end);
}

}  // namespace

std::vector<structure_table::structure> example_bridge()
{
    std::vector<st::structure> structures;
    add_carriageway(structures, "左幅", 75, 15);
    add_carriageway(structures, "右幅", 75, -15);  // the deck falls the other way there
    return structures;
}

}  // namespace ds_app
