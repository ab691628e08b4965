// The bars of one pedestal placed clear of one another: mesh inside the cage,
// verticals in the mesh's openings, ties beside the mesh layers.
#include "host/pedestal_design/cage_layout.h"

#include <algorithm>
#include <cmath>

#include "host/fields/input_limits.h"
#include "host/pedestal_design/quantity_table.h"
#include "host/sheet_model/plan_vectors.h"

namespace VQDraw_DS_GJNA {

namespace {

using ds_sheet::point;
using ds_sheet::minus;
using ds_sheet::dot;
using ds_sheet::cross;


/// The bars of one mesh line, parallel and sorted by their offset along the
/// line's normal, so that the bars near a point are found by a search.
class mesh_line_bars {
public:
    mesh_line_bars(const std::vector<std::pair<point, point>>& bars, double radius) : m_bars(bars), m_radius(radius)
    {
        if (bars.empty()) return;
        const point along = minus(bars.front().second, bars.front().first);
        const double l = std::hypot(along.x, along.y);
        if (!(l > 0.0)) return;
        m_normal = {-along.y / l, along.x / l};
        for (const auto& [a, b] : bars) m_offsets.push_back(dot(a, m_normal));
        m_sorted = std::is_sorted(m_offsets.begin(), m_offsets.end());
    }

    /// The smallest clear distance between a bar of radius `radius` standing at `p` and this line's bars.
    double clearance(point p, double radius) const
    {
        double least = 1e300;
        const auto at = [&](std::size_t k) {
            least = std::min(least, distance_to_segment(p, m_bars[k].first, m_bars[k].second) - radius - m_radius);
        };
        if (!m_sorted) {
            for (std::size_t k = 0; k < m_bars.size(); ++k) at(k);
            return least;
        }
        const auto k = static_cast<std::size_t>(
            std::lower_bound(m_offsets.begin(), m_offsets.end(), dot(p, m_normal)) - m_offsets.begin());
        if (k < m_bars.size()) at(k);
        if (k > 0) at(k - 1);
        return least;
    }

    /// Where the bars cross the segment from `a` to `b`, as fractions of it.
    void crossings(point a, point b, std::vector<double>& at) const
    {
        const point e = minus(b, a);
        for (const auto& [m0, m1] : m_bars) {
            const point f = minus(m1, m0);
            const double denominator = cross(e, f);
            if (std::fabs(denominator) < 1e-12) continue;  // parallel to the face: crosses none of it
            const point g = minus(m0, a);
            const double t = cross(g, f) / denominator, s = cross(g, e) / denominator;
            if (t > 0.0 && t < 1.0 && s >= 0.0 && s <= 1.0) at.push_back(t);
        }
    }

private:
    const std::vector<std::pair<point, point>>& m_bars;
    double m_radius;
    point m_normal{0.0, 0.0};
    std::vector<double> m_offsets;
    bool m_sorted = false;
};

struct mesh_clearance {
    std::vector<mesh_line_bars> lines;

    double least(point p, double radius) const
    {
        double least = 1e300;
        for (const mesh_line_bars& line : lines) least = std::min(least, line.clearance(p, radius));
        return least;
    }
};

/// Moves the verticals between the corners of each face that a mesh bar runs
/// through into the nearest free opening of the mesh along that face.
void into_openings(vertical_bars& v, double radius, const mesh_clearance& mesh)
{
    if (v.ring.empty()) return;
    const auto clear = [&](point p) { return mesh.least(p, radius) >= -1e-9; };
    for (int f = 0; f < 4; ++f) {
        const point a = v.ring[static_cast<std::size_t>(f)], b = v.ring[static_cast<std::size_t>((f + 1) % 4)];
        std::vector<std::size_t> on_face, blocked;
        for (std::size_t i = 0; i < v.positions.size(); ++i)
            if (v.face[i] == f) (clear(v.positions[i]) ? on_face : blocked).push_back(i);
        if (blocked.empty()) continue;
        std::vector<double> cuts{0.0, 1.0};
        for (const mesh_line_bars& line : mesh.lines) line.crossings(a, b, cuts);
        std::sort(cuts.begin(), cuts.end());
        std::vector<double> openings;
        for (std::size_t k = 0; k + 1 < cuts.size(); ++k) openings.push_back((cuts[k] + cuts[k + 1]) / 2);
        const point e = minus(b, a);
        const auto at = [&](double t) { return point{a.x + e.x * t, a.y + e.y * t}; };
        // Corners and the bars already clear are taken; a moved bar keeps two radii from each.
        const auto free = [&](point p) {
            for (std::size_t i = 0; i < v.positions.size(); ++i)
                if ((v.face[i] < 0 || std::find(on_face.begin(), on_face.end(), i) != on_face.end()) &&
                    std::hypot(p.x - v.positions[i].x, p.y - v.positions[i].y) < 2 * radius)
                    return false;
            return true;
        };
        for (std::size_t i : blocked) {
            const double here = dot(minus(v.positions[i], a), e) / dot(e, e);
            // Nearest first; of two as near, the one lower in plan (x, then y), so that the
            // front and back faces, which run opposite ways, move their bars alike.
            std::sort(openings.begin(), openings.end(), [&](double x, double y) {
                const double dx = std::fabs(x - here), dy = std::fabs(y - here);
                if (std::fabs(dx - dy) > 1e-9) return dx < dy;
                const point px = at(x), py = at(y);
                return px.x != py.x ? px.x < py.x : px.y < py.y;
            });
            for (double o : openings)
                if (clear(at(o)) && free(at(o))) {
                    v.positions[i] = at(o);
                    on_face.push_back(i);
                    break;
                }
        }
    }
}

/// Moves each tie that lies in a mesh layer up or down until it touches the
/// layer, where that keeps it clear of every layer and of the other ties.
void beside_layers(tie_bars& t, double tie_d, const std::vector<double>& layers, double mesh_d, double height)
{
    const double need = (tie_d + mesh_d) / 2;
    const auto clear = [&](double z, std::size_t self) {
        for (double l : layers)
            if (std::fabs(z - l) < need - 1e-9) return false;
        for (std::size_t j = 0; j < t.levels.size(); ++j)
            if (j != self && std::fabs(z - t.levels[j]) < tie_d - 1e-9) return false;
        return true;
    };
    if (t.levels.empty()) return;
    const double highest = height - cover_mm() - tie_d / 2, lowest = cover_mm() + tie_d / 2;
    for (std::size_t i = 0; i < t.levels.size(); ++i) {
        const double z = t.levels[i];
        if (clear(z, i)) continue;
        std::vector<double> candidates;
        for (double l : layers)
            if (std::fabs(z - l) < need) candidates.insert(candidates.end(), {l - need, l + need});
        std::sort(candidates.begin(), candidates.end(), [z](double x, double y) { return std::fabs(x - z) < std::fabs(y - z); });
        for (double c : candidates)
            if (c >= lowest - 1e-9 && c <= highest + 1e-9 && clear(c, i)) {
                t.levels[i] = c;
                break;
            }
    }
}

}  // namespace

double cage_parts::mesh_inset() const { return cover_mm() + tie_d + vertical_d; }

cage_parts cage_of(const std::vector<steel_bar_row>& bars)
{
    cage_parts parts;
    for (const steel_bar_row& bar : bars) {
        const bar_kind kind = kind_of(bar);
        if (kind == bar_kind::mesh) parts.mesh.push_back({&bar, parts.mesh.size()});
        else if (kind == bar_kind::tie && !parts.tie) parts.tie = &bar;
        else if (kind == bar_kind::vertical) {
            parts.verticals.push_back(&bar);
            if (bar.m_diameter > parts.vertical_d && bar.m_diameter <= input_limits::max_bar_diameter_mm)
                parts.vertical_d = bar.m_diameter;
        }
    }
    parts.mesh_d = thickest_mesh_bar(bars);
    parts.tie_d = tie_diameter(bars);
    return parts;
}

cage_layout lay_out_cage(const std::vector<steel_bar_row>& bars, const pedestal_plan& plan, double height)
{
    cage_layout cage;
    cage.parts = cage_of(bars);
    const cage_parts& parts = cage.parts;
    const std::int64_t layers = mesh_layers(height, parts.mesh_d);
    for (std::int64_t k = 0; k < layers; ++k) cage.layer_levels.push_back(layer_level(height, k, parts.mesh_d));
    mesh_clearance clearance;
    cage.mesh.reserve(parts.mesh.size());
    for (const auto& [bar, i] : parts.mesh) cage.mesh.push_back(bar_segments(*bar, i, plan, parts.mesh_inset()));
    if (layers > 0)
        for (std::size_t j = 0; j < parts.mesh.size(); ++j)
            if (parts.mesh[j].first->m_diameter > 0.0) clearance.lines.emplace_back(cage.mesh[j], parts.mesh[j].first->m_diameter / 2);
    for (const steel_bar_row* bar : parts.verticals) {
        cage.verticals.push_back(verticals_of(*bar, plan, height, parts.tie_d));
        into_openings(cage.verticals.back(), bar->m_diameter / 2, clearance);
    }
    if (parts.tie) {
        cage.ties = ties_of(*parts.tie, plan, height, parts.mesh_d > 0.0);
        beside_layers(cage.ties, parts.tie_d, cage.layer_levels, parts.mesh_d, height);
    }
    return cage;
}

double distance_to_segment(point p, point a, point b)
{
    const point ab = minus(b, a);
    const double l2 = dot(ab, ab);
    const double t = l2 > 0.0 ? std::clamp(dot(minus(p, a), ab) / l2, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - a.x - ab.x * t, p.y - a.y - ab.y * t);
}

}  // namespace VQDraw_DS_GJNA
