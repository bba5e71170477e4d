# Filling the real result list control from a search page, beside the same
# work into a plain in-memory list (run by hand with QT_QPA_PLATFORM=offscreen).
if(NOT TARGET qingyou_app_lib)
  return()
endif()
add_executable(app_fill_bench ${CMAKE_CURRENT_LIST_DIR}/fill_bench.cpp)
target_link_libraries(app_fill_bench PRIVATE qingyou_app_lib qingyou_search qingyou_warnings
                                             benchmark::benchmark)
