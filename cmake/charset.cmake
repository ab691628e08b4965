# Narrow text in memory is the host code page. GCC can compile UTF-8 sources to
# GBK literals; clang cannot change the execution charset and keeps UTF-8. The
# one constant DS_NARROW_CHARSET tells the conversion code which of the two it is.
add_library(ds_charset INTERFACE)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(ds_charset INTERFACE -finput-charset=UTF-8 -fexec-charset=GBK)
  target_compile_definitions(ds_charset INTERFACE DS_NARROW_CHARSET="GBK" DS_NARROW_IS_GBK=1)
else()
  target_compile_definitions(ds_charset INTERFACE DS_NARROW_CHARSET="UTF-8" DS_NARROW_IS_GBK=0)
endif()
