# Widget tests of the windows. They run on Qt's offscreen platform with a
# stand-in browser strip, so no web engine or display is needed.
add_executable(app_tests
  apptestmain.cpp
  gbk_test.cpp
  mainwindow_test.cpp
  messageboxes_test.cpp
  platform_test.cpp
  playerwindows_test.cpp
  resultlistview_test.cpp
  shell_test.cpp
  toggledisplaymode_test.cpp
  xpstyle_test.cpp)
set_target_properties(app_tests PROPERTIES AUTOMOC ON)
find_package(Qt6 REQUIRED COMPONENTS Test)
target_link_libraries(app_tests PRIVATE qingyou_app_lib Qt6::Test GTest::gtest qingyou_warnings)
gtest_discover_tests(app_tests
  PROPERTIES LABELS gui ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 60
  DISCOVERY_MODE PRE_TEST)

# Not a test: saves pictures of the windows for the documentation.
add_executable(app_window_shots windowshots.cpp)
target_link_libraries(app_window_shots PRIVATE qingyou_app_lib Qt6::Test qingyou_warnings)

# The player windows with the real browser strip: these need the web engine,
# so they run on a virtual display through the headless harness.
add_executable(app_strip_window_tests realstrip_test.cpp)
target_link_libraries(app_strip_window_tests
  PRIVATE qingyou_app_lib Qt6::Test GTest::gtest qingyou_warnings)
set_property(TARGET app_strip_window_tests PROPERTY CROSSCOMPILING_EMULATOR
  ${PROJECT_SOURCE_DIR}/scripts/headless.sh)
gtest_discover_tests(app_strip_window_tests
  PROPERTIES LABELS gui TIMEOUT 180
    ENVIRONMENT "QT_LOGGING_RULES=qt.webenginecontext.info=false;QT_QPA_PLATFORM=xcb"
  DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 60)
