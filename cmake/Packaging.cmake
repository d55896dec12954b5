# The Debian package of the program, made by CPack from the install rules below
# (`make package`, or `cpack` in the build folder), laid out on the Filesystem
# Hierarchy Standard under /usr:
#   bin/kelvor                              the program
#   share/kelvor/                           the shipped data tree, read only; a
#                                           first start copies it into the
#                                           user's data folder
#   share/applications/kelvor.desktop       the menu entry
#   share/icons/hicolor/*/apps/kelvor.*     the icon, scalable and in PNG sizes
#   share/metainfo/kelvor.metainfo.xml      the AppStream description
#   share/man/man1/kelvor.1.gz              the manual page
#   share/doc/kelvor/{copyright,changelog.gz}
# The program finds its data at ../share/kelvor from its executable, so the
# package works wherever it was built.
include(GNUInstallDirs)

set(KELVOR_PACKAGE_MAINTAINER "The kelvor developers <kelvor@kelvor.invalid>" CACHE STRING
    "The Maintainer field of the Debian package (and of its change log)")

set(_pkg_src ${CMAKE_SOURCE_DIR}/packaging)
set(_pkg_out ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${_pkg_out})

# The release date as the change log writes it ("Tue, 08 Dec 2026 12:00:00 +0000").
execute_process(COMMAND date -u -R -d "${KELVOR_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE KELVOR_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE _date_failed)
if(_date_failed)
  message(FATAL_ERROR "KELVOR_RELEASE_DATE is not a date: ${KELVOR_RELEASE_DATE}")
endif()

# The files that carry the version, made from their sources.
configure_file(${_pkg_src}/kelvor.metainfo.xml.in ${_pkg_out}/kelvor.metainfo.xml @ONLY)
configure_file(${_pkg_src}/kelvor.1.in ${_pkg_out}/kelvor.1 @ONLY)
configure_file(${_pkg_src}/changelog.in ${_pkg_out}/changelog @ONLY)

# Debian compresses manual pages and change logs, without a time stamp.
add_custom_command(
  OUTPUT ${_pkg_out}/kelvor.1.gz ${_pkg_out}/changelog.gz
  COMMAND gzip -9nkf ${_pkg_out}/kelvor.1 ${_pkg_out}/changelog
  DEPENDS ${_pkg_out}/kelvor.1 ${_pkg_out}/changelog
  COMMENT "Compressing the manual page and the change log"
  VERBATIM)
add_custom_target(kelvor_package_files ALL DEPENDS ${_pkg_out}/kelvor.1.gz ${_pkg_out}/changelog.gz)

set(_files OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
set(_dirs OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS kelvor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${KELVOR_DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvor
        FILE_PERMISSIONS ${_files} DIRECTORY_PERMISSIONS ${_dirs})
install(FILES ${_pkg_src}/kelvor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        PERMISSIONS ${_files})
install(DIRECTORY ${KELVOR_ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
        FILE_PERMISSIONS ${_files} DIRECTORY_PERMISSIONS ${_dirs})
install(FILES ${_pkg_out}/kelvor.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        PERMISSIONS ${_files})
install(FILES ${_pkg_out}/kelvor.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 PERMISSIONS ${_files})
install(FILES ${_pkg_src}/copyright ${_pkg_out}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR}
        PERMISSIONS ${_files})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "natal charts joined to a repertory of herbal remedies")
set(CPACK_PACKAGE_DESCRIPTION
    "Kelvor keeps an archive of birth data, computes natal charts and shows
them in a full-screen wheel with its views: coordinates, elements and
seasons, dignities and receptions, aspects, antiscia, dodecatemoria and
dominant planets. Four chart sheets can be printed or saved as metafiles.
It relates the charts to databases of herbal and alchemical remedies
through their astrological signatures. The interface is Dutch, with
Italian captions in places.
.
Each user works in a data folder of their own (~/.local/share/kelvor),
which a first start fills from /usr/share/kelvor and which upgrades and
removal of the package leave in place.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KELVOR_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the program links come from dpkg-shlibdeps. What it loads or
# uses at run time without linking is named here: the Qt platform plugins (a
# window at all) and the Liberation fonts its "Arial" and "Courier" stand for;
# the Qt translations give the message boxes' buttons in Dutch and Italian, and
# xdg-open opens the instruction documents.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
# A test of upgrades builds a package of another version from this build with
# one shipped file changed: `cpack -D KELVOR_PACKAGE_REPLACE=<file in
# share/kelvor>=<file with the other bytes>`.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/package_replace.cmake)
include(CPack)

# The checks of the package (tests/package/package_checks.sh), on the package
# `make package` built in this folder; `make test` builds it before CTest runs.
foreach(_check contents validators first-start session-end upgrade)
  string(REPLACE "-" "_" _name ${_check})
  add_test(NAME Package.${_name}
           COMMAND ${CMAKE_SOURCE_DIR}/tests/package/package_checks.sh ${_check} ${CMAKE_BINARY_DIR}
                   ${CMAKE_SOURCE_DIR} ${PROJECT_VERSION})
  set_tests_properties(Package.${_name} PROPERTIES TIMEOUT 600)
endforeach()
