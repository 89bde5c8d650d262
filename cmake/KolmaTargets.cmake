# Helpers that give every folder of KOLMA1 the same shape: a library of the folder's sources and
# one test program of its tests/*.cpp, run headless by CTest.

# kolma_gui_library(<target> LINKS <libs...>): the *.cpp and *.h of the calling folder (main.cpp
# excepted) as a static library.
function(kolma_gui_library target)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC Qt6::Widgets Qt6::PrintSupport ${ARG_LINKS})
endfunction()

# kolma_gui_tests(<target> LINKS <libs...>): tests/*.cpp of the calling folder as one GoogleTest
# program with the headless test main.
function(kolma_gui_tests target)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE kolma_test_support ${ARG_LINKS})
  target_compile_definitions(${target} PRIVATE
    KOLMA_SOURCE_DIR="${PROJECT_SOURCE_DIR}" KOLMA_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8")
endfunction()
