# Every test runs in an environment of its own, whatever the machine that runs it has: its own
# HOME and XDG_RUNTIME_DIR, a known locale, no display, no session bus, no Qt settings from the
# user. Tests that need an X server or a bus start their own (tests/e2e/drive.sh).
set(KT_TEST_HOME ${CMAKE_BINARY_DIR}/test-environment/home)
set(KT_TEST_RUNTIME ${CMAKE_BINARY_DIR}/test-environment/runtime)
file(MAKE_DIRECTORY ${KT_TEST_HOME} ${KT_TEST_RUNTIME})
file(CHMOD ${KT_TEST_RUNTIME} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

set(KT_TEST_ENVIRONMENT
  HOME=set:${KT_TEST_HOME}
  XDG_RUNTIME_DIR=set:${KT_TEST_RUNTIME}
  XDG_CONFIG_HOME=unset:
  XDG_DATA_HOME=unset:
  XDG_CACHE_HOME=unset:
  LANG=set:C.UTF-8
  LC_ALL=set:C.UTF-8
  LANGUAGE=unset:
  DISPLAY=unset:
  WAYLAND_DISPLAY=unset:
  DBUS_SESSION_BUS_ADDRESS=unset:
  QT_SCALE_FACTOR=unset:
  QT_SCREEN_SCALE_FACTORS=unset:
  QT_AUTO_SCREEN_SCALE_FACTOR=unset:
  QT_FONT_DPI=unset:
  QT_STYLE_OVERRIDE=unset:
  QT_ACCESSIBILITY=unset:
  QT_IM_MODULE=unset:)
if(KT_SANITIZE)
  # Leaks inside other people's libraries are theirs; tests/build/leak_canary.cpp proves that
  # ours are still reported. The suppressions name libraries, so none may be unloaded before the
  # leak check (tests/build/keep_libraries_loaded.cpp). The preload goes into programs built
  # without the sanitizers too (shells, X servers, Python), so it is built without them.
  add_library(kt_keep_libraries_loaded SHARED
    ${PROJECT_SOURCE_DIR}/tests/build/keep_libraries_loaded.cpp)
  target_compile_options(kt_keep_libraries_loaded PRIVATE -fno-sanitize=all)
  target_link_options(kt_keep_libraries_loaded PRIVATE -fno-sanitize=all -nostdlib++)
  set_target_properties(kt_keep_libraries_loaded PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/test-environment)
  list(APPEND KT_TEST_ENVIRONMENT
    LSAN_OPTIONS=set:suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0
    LD_PRELOAD=set:${CMAKE_BINARY_DIR}/test-environment/libkt_keep_libraries_loaded.so)
endif()

# Gives every test of the calling folder that environment; call it after its add_test lines.
function(kt_hermetic_tests)
  get_property(tests DIRECTORY PROPERTY TESTS)
  foreach(test IN LISTS tests)
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT_MODIFICATION ${KT_TEST_ENVIRONMENT})
  endforeach()
endfunction()
