# Keyword encoding, the page fetch and page decoding.
find_package(CURL REQUIRED)
target_sources(qingyou_search PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/decodeutf8page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/encodekeyword.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fetchpage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fetchurl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gbktable.cpp)
target_link_libraries(qingyou_search PRIVATE CURL::libcurl)
