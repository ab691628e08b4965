// GoogleTest shows a CString as quoted UTF-8 text. The printer is declared
// next to CString (host/afx/cstring.h) so that every test that compares
// CStrings finds it by argument-dependent lookup; this header is there for
// tests that want to say so explicitly.
#pragma once

#include "host/afx/cstring.h"
