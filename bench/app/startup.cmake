# Start-up figures of the program beside a bare Qt window (startup.sh runs
# them). Built with the benchmarks, never run by CTest: the machine is
# shared and timings only mean something side by side in one run.
if(NOT TARGET qingyou_app_lib)
  return()
endif()
find_package(X11)
if(NOT X11_FOUND)
  message(STATUS "bench/app: no Xlib headers, start-up probe not built")
  return()
endif()
find_package(Qt6 REQUIRED COMPONENTS Widgets WebEngineWidgets)

# Starts a command and reports when its window appears and its peak memory.
add_executable(startup_probe startup_probe.cpp)
target_link_libraries(startup_probe PRIVATE X11::X11 qingyou_warnings)

# The yardsticks: an empty Qt Widgets window of the main window's size, and
# one holding nothing but a web view.
add_executable(bare_window startup_bare_window.cpp)
target_link_libraries(bare_window PRIVATE Qt6::Widgets qingyou_warnings)
target_compile_definitions(bare_window PRIVATE QT_NO_CAST_FROM_ASCII)
add_executable(bare_webview_window startup_bare_webview.cpp)
target_link_libraries(bare_webview_window PRIVATE Qt6::Widgets Qt6::WebEngineWidgets
                                                  qingyou_warnings)
target_compile_definitions(bare_webview_window PRIVATE QT_NO_CAST_FROM_ASCII)

# The program's own start-up followed by its first player window, as a
# double-click would open it.
add_executable(startup_player startup_player.cpp)
target_link_libraries(startup_player PRIVATE qingyou_app_lib qingyou_warnings)
