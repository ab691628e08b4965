# ds_include_probe(<test name> <target> <header>): a ctest that compiles a
# one-line file including <header> with the include paths of <target>, and
# passes only when the compiler does not find the header. It keeps the layer
# and room tables honest: widening a path by mistake turns the test red.
function(ds_include_probe name target header)
  if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${header})
    message(FATAL_ERROR "the include probe ${name} names ${header}, which is gone: name another header")
  endif()
  set(source ${CMAKE_BINARY_DIR}/probes/${name}.cpp)
  file(WRITE ${source} "#include \"${header}\"\n")
  add_library(${name}_probe OBJECT EXCLUDE_FROM_ALL ${source})
  target_link_libraries(${name}_probe PRIVATE ${target})
  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target ${name}_probe)
  set_tests_properties(${name} PROPERTIES PASS_REGULAR_EXPRESSION "${header}: No such file")
endfunction()
