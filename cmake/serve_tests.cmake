# Tests and benchmark of the local server (ds-host serve). They drive the
# server in-process through the ds_app_serve library, which loads the module by
# file name as ds-host does, so they are programs of their own rather than part
# of ds_tests (which links the module directly).
add_executable(ds_serve_tests tests/app/serve/serve_api_test.cpp tests/app/serve/serve_http_test.cpp
  tests/app/serve/serve_tabs_test.cpp tests/app/serve/serve_structures_test.cpp tests/main.cpp)
target_include_directories(ds_serve_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(ds_serve_tests PRIVATE ds_app_serve GTest::gtest)
target_compile_definitions(ds_serve_tests PRIVATE DS_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
add_dependencies(ds_serve_tests DS_ui ds-host)
gtest_discover_tests(ds_serve_tests DISCOVERY_TIMEOUT 60)

# The page in headless Chromium through WebDriver: one grouped run.
add_test(NAME serve_in_browser
  COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/app/serve/serve_browser_test.py $<TARGET_FILE:ds-host>)
# Alone, so the other real-client tests (LibreOffice, Chromium on the sheets) do not starve it.
set_tests_properties(serve_in_browser PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)

if(DS_BENCHMARKS)
  add_executable(ds_serve_bench bench/serve_edit_bench.cpp)
  target_link_libraries(ds_serve_bench PRIVATE ds_app_serve benchmark::benchmark)
  add_dependencies(ds_serve_bench DS_ui)
endif()
