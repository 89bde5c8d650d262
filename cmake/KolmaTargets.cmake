# kolma_test_program(<target> [GUI] SOURCES <files...> LINKS <libs...>): one GoogleTest program,
# run by CTest. GUI programs get the headless application main and the scripted dialog seam;
# the others a plain Qt Core main, so that they prove their libraries need no widgets.
function(kolma_test_program target)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  if(ARG_GUI)
    target_link_libraries(${target} PRIVATE kolma_gui_test_support)
  else()
    target_link_libraries(${target} PRIVATE kolma_core_test_support)
  endif()
  target_link_libraries(${target} PRIVATE ${ARG_LINKS} kolma_build_options)
  target_compile_definitions(${target} PRIVATE
    KOLMA_SOURCE_DIR="${PROJECT_SOURCE_DIR}" KOLMA_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8")
endfunction()
