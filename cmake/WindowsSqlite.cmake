# SQLite for the Windows build: Debian's own SQLite source package made into
# its one-file source once (scripts/build-sqlite-source.sh, cached outside the
# build folder so that a new build folder reuses it), compiled by the cross
# compiler into a static library under the name the other builds use.
set(KEXPORTER_SQLITE_SOURCE_DIR ${PROJECT_SOURCE_DIR}/.deps-windows/sqlite
    CACHE PATH "Folder with SQLite's sqlite3.c and sqlite3.h for the Windows build")
include(${CMAKE_CURRENT_LIST_DIR}/WindowsDependency.cmake)
kexporter_prepare_dependency("SQLite's source" ${PROJECT_SOURCE_DIR}/scripts/build-sqlite-source.sh
  ${KEXPORTER_SQLITE_SOURCE_DIR} sqlite3.c)

enable_language(C)
add_library(kexporter_sqlite3 STATIC ${KEXPORTER_SQLITE_SOURCE_DIR}/sqlite3.c)
target_include_directories(kexporter_sqlite3 SYSTEM PUBLIC ${KEXPORTER_SQLITE_SOURCE_DIR})
# Serialized threading as Debian builds it; no loadable extensions.
# Reads seek, then read: a read at an offset given in an OVERLAPPED costs a
# wineserver round trip each under Wine (for its completion), several times
# the read itself; on Windows the two calls cost about as much as one.
target_compile_definitions(kexporter_sqlite3 PRIVATE
  SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION SQLITE_ENABLE_COLUMN_METADATA SQLITE_WIN32_NO_OVERLAPPED)
# SQLite's own code is not held to this project's warnings.
target_compile_options(kexporter_sqlite3 PRIVATE -w)
add_library(SQLite::SQLite3 ALIAS kexporter_sqlite3)
