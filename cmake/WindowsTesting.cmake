# Tests of the Windows build: GoogleTest compiled from Debian's sources by the
# cross compiler, and every test program run under Wine (scripts/wine-run.sh)
# in one private Wine prefix that the first test makes and the last removes.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest names its targets GTest::gtest, GTest::gtest_main and so on,
# as the installed package does.

set(KEXPORTER_WINEPREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh)

# A new prefix takes Wine several seconds to set up: made once per test run.
add_test(NAME wine.prefix.start
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix.sh start ${KEXPORTER_WINEPREFIX})
add_test(NAME wine.prefix.stop
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix.sh stop ${KEXPORTER_WINEPREFIX})
set_tests_properties(wine.prefix.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine.prefix.stop PROPERTIES FIXTURES_CLEANUP wine)
