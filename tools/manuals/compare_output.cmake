# Writes each instruction document again into OUT, twice, as the build writes it
# (TOOL, its source in DOCS, the release date DATE), and compares every copy
# with the document of the data tree REF byte for byte: the same sources make
# the same bytes, whenever and however often they are built.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
foreach(_pair "instructions.md|Istruzioni.pdf" "short_instructions.md|Istruzioni_J.pdf" "booklet.md|Dispensa.pdf")
  string(REPLACE "|" ";" _pair "${_pair}")
  list(GET _pair 0 _src)
  list(GET _pair 1 _pdf)
  foreach(_run 1 2)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                            ${TOOL} ${DOCS}/${_src} ${OUT}/${_run}-${_pdf} ${DATE}
                    RESULT_VARIABLE _rc)
    if(NOT _rc EQUAL 0)
      message(FATAL_ERROR "make_manuals failed on ${_src}: ${_rc}")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${_run}-${_pdf} ${REF}/${_pdf}
                    RESULT_VARIABLE _diff)
    if(NOT _diff EQUAL 0)
      message(FATAL_ERROR "${_pdf} written again (run ${_run}) differs from ${REF}/${_pdf}")
    endif()
  endforeach()
endforeach()
