# How the build is kept fast on a small machine: which parts are configured,
# unity builds and precompiled headers. Most of a compile here is spent
# parsing the same large headers (nlohmann/json, GoogleTest, the standard
# library) and emitting the same inline templates again in every file; a unity
# build compiles several files of a target as one translation unit, and a
# precompiled header parses the heavy headers once per tree instead of once per
# file. The presets choose (CMakePresets.json): "sample" builds ds-host and the
# module alone, without debug information; the test trees build unity.
#
# Included before the packages are looked for (DS_TESTS decides whether
# GoogleTest is needed); the precompiled headers are attached once every
# target exists, at the end of the top directory.

option(DS_TESTS "Build the tests and register them with ctest (GoogleTest needed)" ON)

# Files that define, in an unnamed namespace, a name another file of the same
# target defines too: in one unity translation unit the two would clash, so
# each compiles alone. A new clash shows as a "redefinition" error in a file
# under Unity/; add one of the two files here.
set(DS_UNITY_ALONE
  # pi, heading_room, usable
  host/pedestal_design/rebar_cage.cpp host/pedestal_design/rebar_geometry.cpp host/pedestal_design/view_marks.cpp
  host/drawing_lib/sheet_layout.cpp
  host/json/json_read_stream.cpp         # small_object
  host/spreadsheet/xlsx_read.cpp            # lower_ascii
  grid_ui/ds_ui_common_grid_ui_data.cpp     # pedestals_of
  grid_ui/ds_ui_csh_advance_grid_ui_data.cpp  # rebar_table_name, cell_of
  drawing/ds_ui_drawing_strategy.cpp        # kHeightSeparators, make_parameter, fill_record
  drawing/ds_excel_blocks.cpp               # take
  app/core/methods/parametric_methods.cpp           # names_of
  app/core/grid/table_edits.cpp                  # trimmed, split_row
  tests/module/data/record_versions_and_differences_test.cpp  # differences, parametric
  tests/module/drawing/ds_csh_excel_exchange_test.cpp         # list_row
  tests/host/pedestal_design/pedestal_rebar_test.cpp             # rebar
  tests/module/grid_ui/ds_ui_csh_advance_grid_ui_data_test.cpp  # rebar, list_table
  tests/host/sheet_model/contents_sheet_test.cpp  # using namespace ds_sheet (its table beside the spreadsheet one)
  tests/host/json/json_text_test.cpp)    # nested
list(TRANSFORM DS_UNITY_ALONE PREPEND ${CMAKE_SOURCE_DIR}/)
set_source_files_properties(${DS_UNITY_ALONE} DIRECTORY ${CMAKE_SOURCE_DIR}
  PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
