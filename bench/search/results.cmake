# The search's work after the fetch, per result, for growing pages; beside
# it the per-id title lookup (run by hand, not by CTest).
add_executable(search_results_bench ${CMAKE_CURRENT_LIST_DIR}/resultlines_bench.cpp)
target_link_libraries(search_results_bench PRIVATE qingyou_search qingyou_warnings benchmark::benchmark)
