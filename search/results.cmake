# Cutting songs out of the result page and filling the result list.
target_sources(qingyou_search PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/collectbetween.cpp
  ${CMAKE_CURRENT_LIST_DIR}/textbetween.cpp
  ${CMAKE_CURRENT_LIST_DIR}/markers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resultlines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vectorresultlist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/listsearchresults.cpp
  ${CMAKE_CURRENT_LIST_DIR}/onsearchclicked.cpp)
