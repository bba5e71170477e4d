# Tests of keyword encoding, the page fetch and page decoding. The fetch tests
# start their own servers on 127.0.0.1.
find_package(Threads REQUIRED)
# Debian ships cpp-httplib compiled, with TLS; pkg-config gives the matching
# macros. The TLS tests use its server.
find_package(PkgConfig REQUIRED)
pkg_check_modules(QINGYOU_REQUEST_HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
add_executable(search_request_tests
  ${CMAKE_CURRENT_LIST_DIR}/decodeutf8page_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/encodekeyword_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fetchpage_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fetchpage_tls_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fetchurl_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/loopbackserver.cpp)
target_link_libraries(search_request_tests PRIVATE
  qingyou_search qingyou_warnings GTest::gtest_main PkgConfig::QINGYOU_REQUEST_HTTPLIB Threads::Threads)
gtest_discover_tests(search_request_tests PROPERTIES LABELS unit)
