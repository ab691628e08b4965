// The test runner's entry point: GoogleTest with its own command-line options,
// and texts measured in the sheet writers' fonts as ds-host measures them.
#include <gtest/gtest.h>

#include "host/sheet_formats/sheet_formats.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ds_sheet::install_text_metrics();
    return RUN_ALL_TESTS();
}
