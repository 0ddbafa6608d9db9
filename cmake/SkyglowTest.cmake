# skyglow_add_test(NAME SOURCES src... LIBS lib... [XVFB] [WINE_DISPLAY])
# Registers one Qt Test executable with CTest. Widget tests run on the offscreen platform;
# Each test has a folder of its own, so files it writes beside itself (settings) never meet
# another test's. XVFB tests get a private X server started and stopped by tests/with-xvfb.
#
# Windows (cross-built, run under Wine): tests that need an X server, or POSIX calls of the test
# itself (named in SKYGLOW_POSIX_TESTS), are defined but neither built nor run; the others run
# on the offscreen platform, which a static Qt links into each test. WINE_DISPLAY tests are
# Windows' own (real windows of the "windows" platform): Wine draws them on a private Xvfb, one
# test at a time.
function(skyglow_add_test name)
  cmake_parse_arguments(T "XVFB;WINE_DISPLAY" "" "SOURCES;LIBS" ${ARGN})
  if(WIN32 AND (T_XVFB OR name IN_LIST SKYGLOW_POSIX_TESTS))
    add_executable(${name} EXCLUDE_FROM_ALL ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/${name})
  if(WIN32)
    qt_import_plugins(${name} INCLUDE Qt6::QOffscreenIntegrationPlugin)
  endif()
  if(T_WINE_DISPLAY)
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/tests/with-xvfb ${CMAKE_CROSSCOMPILING_EMULATOR}
                                  $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=windows" TIMEOUT 300
                         RESOURCE_LOCK wine_display SKIP_RETURN_CODE 77 LABELS windows)
  elseif(T_XVFB)
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/tests/with-xvfb $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb" TIMEOUT 300 LABELS x11)
  else()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
    if(WIN32)
      set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 LABELS windows)
    endif()
  endif()
endfunction()
