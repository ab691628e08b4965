// List rows matched by bridge part AND number, and their difference lines
// worded old value → new value, a pure reordering as one line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/grid/list_rows.h"
#include "support/utf8_literal.h"

namespace {

using ds_test::utf8;
using nlohmann::ordered_json;

struct row_spec {
    const char8_t* part;
    int number;
    const char* heights;
};

/// A stored parametric drawing holding `rows`, as its list is written.
ordered_json list_of(const std::vector<row_spec>& rows)
{
    ordered_json list;
    list["count"] = rows.size();
    for (std::size_t i = 0; i < rows.size(); ++i)
        list["item_" + std::to_string(i)] = {{"version", 6},
                                             {"m_strQF", utf8(rows[i].part)},
                                             {"m_iNum", rows[i].number},
                                             {"m_strH", rows[i].heights}};
    return ordered_json{{"m_csh_data", list}};
}

std::vector<const ordered_json*> rows_of(const ordered_json& stored) { return ds_app::list_items(stored); }

TEST(ListRows, RowsMatchByBridgePartAndNumberInTurn)
{
    struct match_case {
        const char* what;
        std::vector<row_spec> before, now;
        std::vector<long> matched;
    };
    const match_case cases[] = {
        {"same list", {{u8"主线", 1, "200"}, {u8"主线", 2, "210"}}, {{u8"主线", 1, "200"}, {u8"主线", 2, "210"}}, {0, 1}},
        // Two rows of one bridge part: the number tells them apart, whatever the order.
        {"swapped rows of one part", {{u8"主线", 1, "200"}, {u8"主线", 2, "210"}}, {{u8"主线", 2, "210"}, {u8"主线", 1, "200"}}, {1, 0}},
        {"same number, other part", {{u8"主线", 1, "200"}, {u8"匝道", 1, "210"}}, {{u8"匝道", 1, "210"}, {u8"左幅", 1, "200"}}, {1, -1}},
        // Rows repeating a part and number take the old ones in order.
        {"repeated row", {{u8"主线", 1, "200"}, {u8"主线", 1, "210"}}, {{u8"主线", 1, "x"}, {u8"主线", 1, "y"}, {u8"主线", 1, "z"}}, {0, 1, -1}},
    };
    for (const match_case& c : cases) {
        const ordered_json before = list_of(c.before), now = list_of(c.now);
        EXPECT_EQ(ds_app::match_rows(rows_of(now), rows_of(before)), c.matched) << c.what;
    }
}

TEST(ListRows, DifferenceLinesNameTheRowAndGoFromOldToNew)
{
    struct change_case {
        const char* what;
        std::vector<row_spec> before, after;
        std::vector<std::string> lines;
    };
    const change_case cases[] = {
        {"no change", {{u8"主线", 1, "200"}}, {{u8"主线", 1, "200"}}, {}},
        {"one height", {{u8"主线", 1, "200"}, {u8"主线", 2, "200"}}, {{u8"主线", 1, "200"}, {u8"主线", 2, "250,260"}},
         {utf8(u8"row 主线 2: 垫石高度(mm) \"200\" → \"250,260\"")}},
        {"a pure sort is one line", {{u8"主线", 2, "210"}, {u8"主线", 1, "200"}, {u8"匝道", 1, "220"}},
         {{u8"匝道", 1, "220"}, {u8"主线", 1, "200"}, {u8"主线", 2, "210"}},
         {utf8(u8"list rows reordered: 主线 2, 主线 1, 匝道 1 → 匝道 1, 主线 1, 主线 2")}},
        {"added and removed", {{u8"主线", 1, "200"}, {u8"主线", 2, "210"}}, {{u8"主线", 1, "200"}, {u8"主线", 3, "210"}},
         {utf8(u8"row 主线 3 added (list row 2)"), utf8(u8"row 主线 2 removed (was list row 2)")}},
    };
    for (const change_case& c : cases) {
        std::vector<std::string> lines = ds_app::list_row_changes(list_of(c.before), list_of(c.after));
        // Texts are shown as the stored value: the quotes of JSON strings are not.
        for (std::string& line : lines)
            for (std::size_t at; (at = line.find('"')) != std::string::npos;) line.erase(at, 1);
        std::vector<std::string> wanted = c.lines;
        for (std::string& line : wanted)
            for (std::size_t at; (at = line.find('"')) != std::string::npos;) line.erase(at, 1);
        EXPECT_EQ(lines, wanted) << c.what;
    }
}

}  // namespace
