# loftype_base64(VARIABLE FILE [GZIP]): sets VARIABLE to FILE as base64 on one line,
# gzip-compressed first with GZIP.
function(loftype_base64 variable file)
    set(commands COMMAND base64 -w 0 ${file})
    if(ARGN STREQUAL "GZIP")
        set(commands COMMAND gzip -9 -n -c ${file} COMMAND base64 -w 0)
    endif()
    execute_process(${commands} OUTPUT_VARIABLE text RESULTS_VARIABLE statuses)
    if(statuses MATCHES "[^0;]") # a status other than 0
        message(FATAL_ERROR "could not turn ${file} into base64: ${statuses}")
    endif()
    set(${variable} "${text}" PARENT_SCOPE)
endfunction()
