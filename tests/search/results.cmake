find_package(Threads REQUIRED)
find_package(PkgConfig REQUIRED)
# Debian ships cpp-httplib compiled; pkg-config gives the matching macros.
pkg_check_modules(QINGYOU_RESULTS_HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
add_executable(search_results_tests
  ${CMAKE_CURRENT_LIST_DIR}/collectbetween_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/textbetween_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resultlines_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/onsearchclicked_test.cpp)
target_link_libraries(search_results_tests PRIVATE
  qingyou_search qingyou_warnings GTest::gtest_main PkgConfig::QINGYOU_RESULTS_HTTPLIB
  Threads::Threads)
target_compile_definitions(search_results_tests PRIVATE
  QINGYOU_RESULTS_TEST_DATA="${CMAKE_CURRENT_LIST_DIR}/data")
gtest_discover_tests(search_results_tests PROPERTIES LABELS unit)
