# Copies the hand-written shipped data (everything under data/ except the
# sources of generated files) into the build's data tree.
file(GLOB_RECURSE _files RELATIVE ${SRC} ${SRC}/*)
foreach(_f IN LISTS _files)
  if(_f MATCHES "^sources/" OR _f MATCHES "(^|/)README")
    continue()
  endif()
  get_filename_component(_dir ${_f} DIRECTORY)
  file(MAKE_DIRECTORY ${DST}/${_dir})
  file(COPY_FILE ${SRC}/${_f} ${DST}/${_f} ONLY_IF_DIFFERENT)
endforeach()
file(MAKE_DIRECTORY ${DST})
