# skyglow_add_test(NAME SOURCES src... LIBS lib... [XVFB] [RETRY] [LABEL label])
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
set(SKYGLOW_TEST_LABELS unit x11 wayland install package windows)

function(skyglow_add_test name)
  cmake_parse_arguments(T "XVFB;RETRY" "LABEL" "SOURCES;LIBS" ${ARGN})
  set(retry "")
  if(T_RETRY)
    set(retry ${PROJECT_SOURCE_DIR}/tests/retry-once)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/${name})
  if(T_XVFB)
    add_test(NAME ${name} COMMAND ${retry} ${PROJECT_SOURCE_DIR}/tests/with-xvfb $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb" TIMEOUT 300 LABELS x11)
  else()
    add_test(NAME ${name} COMMAND ${retry} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300 LABELS unit)
  endif()
  if(T_LABEL)
    set_tests_properties(${name} PROPERTIES LABELS ${T_LABEL})
  endif()
endfunction()

# The test `test_labels` (tests/check-labels.cmake) fails when a test has no label, or one not in
# SKYGLOW_TEST_LABELS, so that `ctest -L unit` can be trusted to need nothing.
