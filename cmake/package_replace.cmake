# Run by CPack after it has installed the files to be packaged and before it
# packs them. Without KELVOR_PACKAGE_REPLACE it does nothing; with
# "<path under share/kelvor>=<file>" (given as `cpack -D`), that shipped file of
# the package gets the other file's bytes: the test of upgrades makes a package
# of another version of the data this way.
if(NOT KELVOR_PACKAGE_REPLACE)
  return()
endif()
string(FIND "${KELVOR_PACKAGE_REPLACE}" "=" _eq)
if(_eq LESS 1)
  message(FATAL_ERROR "KELVOR_PACKAGE_REPLACE is <path under share/kelvor>=<file>: ${KELVOR_PACKAGE_REPLACE}")
endif()
string(SUBSTRING "${KELVOR_PACKAGE_REPLACE}" 0 ${_eq} _name)
math(EXPR _from "${_eq} + 1")
string(SUBSTRING "${KELVOR_PACKAGE_REPLACE}" ${_from} -1 _file)
set(_target "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/share/kelvor/${_name}")
if(NOT EXISTS "${_target}" OR NOT EXISTS "${_file}")
  message(FATAL_ERROR "No shipped file ${_target}, or no file ${_file}")
endif()
file(COPY_FILE "${_file}" "${_target}")
message(STATUS "Shipped file replaced in the package: share/kelvor/${_name}")
