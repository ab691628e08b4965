// One reading of numbers at every door: the same text typed into the grid, a
// CSV cell or an XLSX text cell gives the same stored value or the same
// refusal. Texts as people type them: "1e3" and "4.0" for a count, full-width
// digits from a Chinese input method, a decimal comma.
#include "support/ds_host_cli.h"

#include <vector>

namespace {

using namespace ds_cli_test;
using ds_test::utf8;
namespace fs = std::filesystem;

/// What a door made of a text: the cell's value as the drawing exports it afterwards, or the refusal's rule.
struct door_outcome {
    bool taken = false;
    std::string said;  ///< the value taken, or the rule that refused it
    friend bool operator==(const door_outcome&, const door_outcome&) = default;
};

std::ostream& operator<<(std::ostream& out, const door_outcome& o) { return out << (o.taken ? "took " : "refused: ") << o.said; }

class NumberDoors : public DsHostCli {
protected:
    /// The value cell of the row `caption` in an exported CSV.
    static std::string cell_of(const std::string& csv, const std::string& caption)
    {
        const std::string row = "\"" + caption + "\",\"";
        const std::size_t at = csv.find(row) + row.size();
        return csv.substr(at, csv.find('"', at) - at);
    }
    static std::string with_cell(std::string csv, const std::string& caption, const std::string& value)
    {
        const std::string row = "\"" + caption + "\",\"";
        const std::size_t at = csv.find(row) + row.size();
        return csv.replace(at, csv.find('"', at) - at, value);
    }
    std::string exported()
    {
        const fs::path csv = m_dir / "now.csv";
        EXPECT_EQ(run({"export", m_project.string(), "--csv", csv.string()}).exit_code, 0);
        return read_file(csv);
    }
    /// The outcome of one door's run on the pristine project.
    door_outcome outcome_of(const run_result& r, const std::string& caption)
    {
        door_outcome o{r.exit_code == 0, {}};
        if (o.taken) {
            o.said = cell_of(exported(), caption);
        } else {
            const std::size_t quote = r.err.rfind("\" ");  // the rule stands after the value repeated
            o.said = r.err.substr(quote == std::string::npos ? 0 : quote + 2);
            o.said = o.said.substr(0, o.said.find_first_of(";\n"));
        }
        write_file(m_project, m_pristine);
        return o;
    }
    std::string m_pristine;
};

TEST_F(NumberDoors, EveryDoorReadsATextAsTheOthersDo)
{
    make_referenced_project();
    m_pristine = read_file(m_project);
    const std::string csv = exported();
    const std::string project = m_project.string();
    struct field_at {
        std::string caption, table_key;
    };
    const field_at fields[] = {{utf8(u8"垫石个数"), utf8(u8"垫石-构造属性.m_iCount")},
                               {utf8(u8"横桥向宽度(mm)"), utf8(u8"垫石-构造属性.m_dWidth")}};
    // Each field with the texts that tell doors apart: exponents, a trailing fraction, full-width
    // digits and point, a decimal comma, junk after the number, nothing, an infinite number.
    const std::vector<std::string> texts_of[] = {
        {"4e0", "4.0", utf8(u8"４"), utf8(u8"４．５"), "4,0", "4x", ""},
        {"6e2", " +600 ", utf8(u8"６００"), "4.5", "1e400", "0x10"},
    };
    // The XLSX door: one workbook per field and text, each cell a text, made by openpyxl.
    std::string script = "import openpyxl, sys, json\n"
                         "out, cases = sys.argv[1], json.loads(sys.argv[2])\n"
                         "for name, row_caption, text in cases:\n"
                         "    book = openpyxl.Workbook(); sheet = book.active\n"
                         "    for line in open(sys.argv[3], encoding='utf-8-sig').read().splitlines():\n"
                         "        cells = [c.strip('\"') for c in line.split('\",\"')]\n"
                         "        if cells and cells[0] == row_caption: cells[1] = text\n"
                         "        sheet.append(cells)\n"
                         "    for row in sheet.iter_rows():\n"
                         "        for c in row: c.data_type = 's'\n"
                         "    book.save(out + '/' + name + '.xlsx')\n";
    std::string cases = "[";
    for (std::size_t f = 0; f < std::size(fields); ++f)
        for (std::size_t t = 0; t < texts_of[f].size(); ++t) {
            std::string escaped;
            for (const char c : texts_of[f][t]) escaped += c == '"' ? std::string("\\\"") : std::string(1, c);
            cases += std::string(cases.size() > 1 ? "," : "") + "[\"c" + std::to_string(f) + "_" + std::to_string(t) + "\",\"" +
                     fields[f].caption + "\",\"" + escaped + "\"]";
        }
    cases += "]";
    const fs::path exported_csv = m_dir / "exported.csv";
    write_file(exported_csv, csv);
    const run_result made = run_program("/usr/bin/python3", {"-c", script, m_dir.string(), cases, exported_csv.string()});
    ASSERT_EQ(made.exit_code, 0) << made.err;

    for (std::size_t f = 0; f < std::size(fields); ++f)
        for (std::size_t t = 0; t < texts_of[f].size(); ++t) {
            const std::string& text = texts_of[f][t];
            SCOPED_TRACE(fields[f].caption + " = \"" + text + "\"");
            const door_outcome grid = outcome_of(run({"grid", project, "--set", fields[f].table_key + "=" + text}), fields[f].caption);
            const fs::path in_csv = m_dir / "in.csv";
            write_file(in_csv, with_cell(csv, fields[f].caption, text));
            const door_outcome from_csv = outcome_of(run({"import", project, "--csv", in_csv.string()}), fields[f].caption);
            const fs::path in_xlsx = m_dir / ("c" + std::to_string(f) + "_" + std::to_string(t) + ".xlsx");
            const door_outcome from_xlsx = outcome_of(run({"import", project, "--xlsx", in_xlsx.string()}), fields[f].caption);
            EXPECT_EQ(from_csv, grid);
            EXPECT_EQ(from_xlsx, grid);
            // What they agree on, for the texts whose meaning is plain.
            if (text == utf8(u8"４")) {
                EXPECT_EQ(grid, (door_outcome{true, "4"}));
            }
            if (text == "6e2") {
                EXPECT_EQ(grid, (door_outcome{true, "600.0"}));
            }
        }
}

}  // namespace
