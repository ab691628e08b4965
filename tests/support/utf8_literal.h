// UTF-8 text in tests. Narrow literals are GBK in a GCC build, so text that is
// compared with file contents, JSON or messages is written as u8"..." and
// turned into a std::string here. Keep such literals out of EXPECT_* macro
// arguments when they hold characters GBK lacks: the macros also turn their
// arguments into narrow literals.
#pragma once

#include <string>
#include <string_view>

namespace ds_test {

inline std::string utf8(std::u8string_view text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

}  // namespace ds_test
