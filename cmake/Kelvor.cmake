# One library per source folder: every .cpp in the folder belongs to it.
function(kelvor_library name)
  cmake_parse_arguments(A "" "" "EXCLUDE;LINK" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(_x IN LISTS A_EXCLUDE)
    list(REMOVE_ITEM _src ${CMAKE_CURRENT_SOURCE_DIR}/${_x})
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
  target_compile_definitions(${name} PUBLIC
    KELVOR_BUILD_DATA_DIR="${KELVOR_DATA_DIR}")
endfunction()

# Registers a target that writes generated files into the data tree.
function(kelvor_data_target target)
  set_property(GLOBAL APPEND PROPERTY KELVOR_DATA_TARGETS ${target})
endfunction()
