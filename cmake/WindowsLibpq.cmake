# PostgreSQL's client library for the Windows build: libpq.dll with OpenSSL
# linked in, built once from Debian's source packages
# (scripts/build-windows-libpq.sh, cached outside the build folder so that a
# new build folder reuses it; run the script again to pick up a new source
# version). The target has the name pkg-config gives it in the other builds,
# so the same target_link_libraries line serves both.
set(KEXPORTER_LIBPQ_DIR ${PROJECT_SOURCE_DIR}/.deps-windows/libpq
    CACHE PATH "Folder with libpq (include, lib, bin) for the Windows build")
include(${CMAKE_CURRENT_LIST_DIR}/WindowsDependency.cmake)
kexporter_prepare_dependency("libpq and OpenSSL" ${PROJECT_SOURCE_DIR}/scripts/build-windows-libpq.sh
  ${KEXPORTER_LIBPQ_DIR} VERSIONS)

if(NOT TARGET PkgConfig::LIBPQ)
  add_library(PkgConfig::LIBPQ SHARED IMPORTED)
  set_target_properties(PkgConfig::LIBPQ PROPERTIES
    IMPORTED_IMPLIB ${KEXPORTER_LIBPQ_DIR}/lib/libpq.dll.a
    IMPORTED_LOCATION ${KEXPORTER_LIBPQ_DIR}/bin/libpq.dll
    INTERFACE_INCLUDE_DIRECTORIES ${KEXPORTER_LIBPQ_DIR}/include)
endif()

# Windows finds the DLL in the program's own folder.
configure_file(${KEXPORTER_LIBPQ_DIR}/bin/libpq.dll ${CMAKE_BINARY_DIR}/bin/libpq.dll COPYONLY)
