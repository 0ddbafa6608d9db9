# skyglow_add_test(NAME SOURCES src... LIBS lib... [XVFB] [RETRY] [WINE_DISPLAY] [LABEL label])
# Registers one Qt Test executable with CTest. Widget tests run on the offscreen platform;
# Each test has a folder of its own, so files it writes beside itself (settings) never meet
# another test's. XVFB tests get a private X server started and stopped by tests/with-xvfb.
#
# Every test carries one label saying what it needs (SKYGLOW_TEST_LABELS): `unit` needs nothing
# (no display, no install; `ctest -L unit`), `x11` a private X server, `wayland` a headless
# compositor, `install` an install into a scratch folder, `package` the Debian packages, `windows`
# the cross-built programs and Wine. The label defaults to x11 with XVFB and to unit without.
# RETRY runs a failing test once more (tests/retry-once): only for tests that drive a compositor
# through virtual input devices, whose first events a busy machine can lose. Any other failure
# fails at once.
#
# Windows (cross-built, run under Wine): tests that need an X server, or POSIX calls of the test
# itself (named in SKYGLOW_POSIX_TESTS), are defined but neither built nor run; the others run
# on the offscreen platform, which a static Qt links into each test, labelled `windows`.
# WINE_DISPLAY tests are Windows' own (real windows of the "windows" platform): Wine draws them
# on a private Xvfb, one test at a time.
set(SKYGLOW_TEST_LABELS unit x11 wayland install package windows)

function(skyglow_add_test name)
  cmake_parse_arguments(T "XVFB;RETRY;WINE_DISPLAY" "LABEL" "SOURCES;LIBS" ${ARGN})
  if(WIN32 AND (T_XVFB OR name IN_LIST SKYGLOW_POSIX_TESTS))
    add_executable(${name} EXCLUDE_FROM_ALL ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    return()
  endif()
  set(retry "")
  if(T_RETRY)
    set(retry ${PROJECT_SOURCE_DIR}/tests/retry-once)
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
    return()
  elseif(T_XVFB)
    add_test(NAME ${name} COMMAND ${retry} ${PROJECT_SOURCE_DIR}/tests/with-xvfb $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb" TIMEOUT 300 LABELS x11)
  else()
    # The emulator (Wine, for the Windows build) is named here: CMake adds it by itself only to a
    # command that names the target.
    add_test(NAME ${name} COMMAND ${retry} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300 LABELS unit)
  endif()
  if(T_LABEL)
    set_tests_properties(${name} PROPERTIES LABELS ${T_LABEL})
  endif()
  if(WIN32)
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 LABELS windows)
  endif()
endfunction()

# The test `test_labels` (tests/check-labels.cmake) fails when a test has no label, or one not in
# SKYGLOW_TEST_LABELS, so that `ctest -L unit` can be trusted to need nothing.
