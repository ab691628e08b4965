// GoogleTest printer for CString: GBK bytes would print as mojibake or
// escapes, so failures show the text as UTF-8 (bad bytes as \xNN).
#include "support/print_cstring.h"

#include <ostream>

#include "host/text/encoding.h"

void PrintTo(const CString& text, std::ostream* os) { *os << '"' << ds_text::to_utf8_for_display(text) << '"'; }
