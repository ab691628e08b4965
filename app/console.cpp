#include "app/console.h"

#include <iostream>

#include "host/text/encoding.h"

namespace ds_app {

void say(const CString& text) { std::cout << ds_text::to_utf8_for_display(text) << '\n'; }
void say_utf8(const std::string& text) { std::cout << text << '\n'; }
void say_lines(const std::vector<CString>& lines, const char* indent)
{
    for (const CString& line : lines) std::cout << indent << ds_text::to_utf8_for_display(line) << '\n';
}
void complain(const std::string& text) { std::cerr << "ds-host: " << text << '\n'; }

}  // namespace ds_app
