# One library per source folder: every .cpp in the folder belongs to it. The
# sources named after ALONE are compiled each on its own, never in a batch.
function(kelvor_library name)
  cmake_parse_arguments(A "" "" "EXCLUDE;LINK;ALONE" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(_x IN LISTS A_EXCLUDE)
    list(REMOVE_ITEM _src ${CMAKE_CURRENT_SOURCE_DIR}/${_x})
  endforeach()
  foreach(_x IN LISTS A_ALONE)
    set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/${_x} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
  endforeach()
  if(NOT _src)
    # A folder whose code has not been written yet.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${A_LINK})
    return()
  endif()
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_LINK})
  kelvor_build_speed(${name} ${CMAKE_CURRENT_SOURCE_DIR})
  kelvor_unity(${name})
endfunction()

# A target of many sources is compiled KELVOR_UNITY_BATCH sources at a time,
# each batch one source that includes them (CMake's unity build): Qt's and
# GoogleTest's headers are then read, and their inline code compiled, once per
# batch rather than once per source. What a source keeps for itself (a helper in
# an anonymous namespace, a file constant, a using-directive) then reaches the
# sources after it in its batch, where a call could bind without a word to
# another source's helper: scripts/check-unity-names stops the build when two
# sources of the target could meet so, whichever batches they fall in. A source
# with flags of its own is compiled alone (CMake leaves it out of the batches),
# and so is one marked SKIP_UNITY_BUILD_INCLUSION before this is called
# (kelvor_library's ALONE), which the check then leaves out.
set(KELVOR_UNITY_BATCH 16 CACHE STRING "Sources of a target compiled together (0: the whole target; 1: each alone)")
find_package(Python3 REQUIRED COMPONENTS Interpreter)
function(kelvor_unity name)
  if(KELVOR_UNITY_BATCH EQUAL 1)
    return()
  endif()
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE ${KELVOR_UNITY_BATCH})
  # g++ warns of a class that derives from a type of an anonymous namespace
  # (a test of a fixture its file keeps to itself) when the class stands in an
  # included file, as it would in a header: in a batch every source is one.
  target_compile_options(${name} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-subobject-linkage>)
  get_target_property(_sources ${name} SOURCES)
  get_target_property(_dir ${name} SOURCE_DIR)
  set(_checked)
  foreach(_s IN LISTS _sources)
    get_filename_component(_s ${_s} ABSOLUTE BASE_DIR ${_dir})
    get_source_file_property(_skip ${_s} SKIP_UNITY_BUILD_INCLUSION)
    if(_s MATCHES "\\.cpp$" AND NOT _skip)
      list(APPEND _checked ${_s})
    endif()
  endforeach()
  list(LENGTH _checked _count)
  # The names are the sources', whatever the flags: the plain build checks them
  # for the sanitizer and fuzz builds too.
  if(_count LESS 2 OR KELVOR_SANITIZE OR KELVOR_FUZZ)
    return()
  endif()
  set(_stamp ${CMAKE_CURRENT_BINARY_DIR}/${name}.unity-names)
  add_custom_command(OUTPUT ${_stamp}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/check-unity-names
            --stamp ${_stamp} --depfile ${_stamp}.d ${_checked}
    DEPENDS ${_checked} ${CMAKE_SOURCE_DIR}/scripts/check-unity-names
    DEPFILE ${_stamp}.d
    COMMENT "Checking that the sources of ${name} compile together"
    VERBATIM)
  add_custom_target(${name}_unity_names DEPENDS ${_stamp})
  add_dependencies(${name} ${name}_unity_names)
endfunction()

# Build speed of a library: moc runs only where a class declares Q_OBJECT, and
# the common headers are precompiled once (the standard library's for the
# libraries without Qt, Qt's for the others) and shared by every library.
function(kelvor_build_speed name)
  set(_moc OFF)
  foreach(_dir IN LISTS ARGN)
    file(GLOB_RECURSE _files ${_dir}/*.h ${_dir}/*.cpp)
    foreach(_f IN LISTS _files)
      file(STRINGS ${_f} _hit REGEX "Q_OBJECT" LIMIT_COUNT 1)
      if(_hit)
        set(_moc ON)
        break()
      endif()
    endforeach()
  endforeach()
  set_target_properties(${name} PROPERTIES AUTOMOC ${_moc})
  if(_moc)
    # Generated code: its warnings are moc's to mend, not a reason to stop.
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${name}_autogen/mocs_compilation.cpp
      TARGET_DIRECTORY ${name} PROPERTIES COMPILE_OPTIONS -Wno-error)
  endif()
  get_target_property(_links ${name} LINK_LIBRARIES)
  set(_qt OFF)
  if(_links AND (_links MATCHES "Qt6::|platform_gui|display|shell"))
    set(_qt ON)
  endif()
  if(_qt)
    get_property(_owner GLOBAL PROPERTY KELVOR_QT_PCH_OWNER)
    if(_owner)
      target_precompile_headers(${name} REUSE_FROM ${_owner})
    else()
      target_precompile_headers(${name} PRIVATE ${CMAKE_SOURCE_DIR}/cmake/pch/qt_pch.h)
      set_property(GLOBAL PROPERTY KELVOR_QT_PCH_OWNER ${name})
    endif()
  else()
    get_property(_owner GLOBAL PROPERTY KELVOR_STD_PCH_OWNER)
    if(_owner)
      target_precompile_headers(${name} REUSE_FROM ${_owner})
    else()
      target_precompile_headers(${name} PRIVATE ${CMAKE_SOURCE_DIR}/cmake/pch/std_pch.h)
      set_property(GLOBAL PROPERTY KELVOR_STD_PCH_OWNER ${name})
    endif()
  endif()
endfunction()

# Registers a target that writes generated files into the data tree.
function(kelvor_data_target target)
  set_property(GLOBAL APPEND PROPERTY KELVOR_DATA_TARGETS ${target})
endfunction()
