# The windows and their wiring. Everything but main() is in a library so
# the widget tests and the start-up bench link the same code as the program.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
set(CMAKE_AUTOMOC ON)

add_library(qingyou_app_lib STATIC
  floatingplayerwindow.cpp
  gbk.cpp
  linklabel.cpp
  mainwindow.cpp
  messageboxes.cpp
  noteslabel.cpp
  platform.cpp
  playerwindow.cpp
  resultlistview.cpp
  program.cpp
  shell.cpp
  shelltexts.cpp
  shellwindow.cpp
  toggledisplaymode.cpp
  xpstyle.cpp)
target_include_directories(qingyou_app_lib PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(qingyou_app_lib
  PUBLIC Qt6::Widgets qingyou_playback qingyou_search qingyou_text
  PRIVATE qingyou_warnings)
# Every conversion between bytes and QString has to name its encoding: the
# program's texts are GBK, the toolkit's are UTF-16.
target_compile_definitions(qingyou_app_lib PUBLIC QT_NO_CAST_FROM_ASCII QT_NO_CAST_FROM_BYTEARRAY)
# The loader is tiny; the web engine it loads on demand stays out of start-up.
if(TARGET qingyou_strip_loader)
  target_link_libraries(qingyou_app_lib PUBLIC qingyou_strip_loader)
endif()

add_executable(qingyou main.cpp)
target_link_libraries(qingyou PRIVATE qingyou_app_lib qingyou_warnings)
