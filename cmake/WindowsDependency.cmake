# Runs `script` with `dir` once, while `dir`/`stamp` is missing: a library
# of the Windows build made from Debian's source packages, kept outside the
# build folder so that a new build folder reuses it.
function(kexporter_prepare_dependency what script dir stamp)
  if(NOT EXISTS ${dir}/${stamp})
    message(STATUS "Making ${what} from Debian's source packages (minutes)")
    execute_process(COMMAND ${script} ${dir} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "Could not make ${what} (${result})")
    endif()
  endif()
endfunction()
