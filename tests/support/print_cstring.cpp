// GoogleTest printer for CString, declared next to CString so that every test
// finds it by argument-dependent lookup: GBK bytes would print as mojibake or
// escapes, so failures show the text as UTF-8 (bad bytes as \xNN).
#include "host/afx/cstring.h"

#include <ostream>

#include "host/text/encoding.h"

void PrintTo(const CString& text, std::ostream* os) { *os << '"' << ds_text::to_utf8_for_display(text) << '"'; }
