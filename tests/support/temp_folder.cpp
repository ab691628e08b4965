// Per-test folders under the system's temporary folder.
#include "support/temp_folder.h"

#include <stdlib.h>

#include <iterator>
#include <string>

namespace ds_test {

void temp_folder_test::SetUp()
{
    std::string folder = (std::filesystem::temp_directory_path() / "ds-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    m_dir = folder;
}

void temp_folder_test::TearDown()
{
    if (!m_dir.empty()) std::filesystem::remove_all(m_dir);
}

std::size_t temp_folder_test::files_in_dir() const
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(m_dir), {}));
}

}  // namespace ds_test
