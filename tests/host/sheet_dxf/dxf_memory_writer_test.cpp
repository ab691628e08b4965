// The DXF writer that writes into memory gives, group code by group code, the
// text dxflib's own file writer gives, so sheet DXF files kept their bytes
// when they stopped being written a line at a time.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/framework/atomic_file.h"
#include "host/sheet_dxf/dxf_sections.h"
#include "support/temp_folder.h"

namespace {

class DxfMemoryWriter : public ds_test::temp_folder_test {};

template <class Writer>
void write_sample(const Writer& w)
{
    for (const double v : {0.0, -0.0, 1.0, 1.5, 0.1, 1.0 / 3.0, -2.25, 420.0 * 50, 1e20, 1e-20, 123456.789012345,
                           std::nextafter(1.0, 2.0), -1e-7})
        w.dxfReal(10, v);
    for (const int v : {0, 7, -1, 2147483647}) w.dxfInt(70, v);
    for (const int v : {0x1F, 0x2A0, 0}) w.dxfHex(5, v);
    w.dxfString(0, "SECTION");
    w.dxfString(1001, std::string("ACAD"));
    w.dxfBool(290, true);
}

TEST_F(DxfMemoryWriter, WritesWhatDxflibsFileWriterWrites)
{
    const std::filesystem::path file = m_dir / "dxflib.dxf";
    {
        DL_WriterA dxflib(file.c_str(), DL_Codes::AC1015);
        write_sample(dxflib);
        dxflib.close();
    }
    ds_sheet::dxf::writer memory(DL_Codes::AC1015);
    write_sample(memory);
    EXPECT_EQ(memory.text(), ds_file::read_whole_file(file));
    EXPECT_NE(memory.text().find(" 10\n1.5\n"), std::string::npos);
}

}  // namespace
