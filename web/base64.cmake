# loftype_base64(VARIABLE FILE): sets VARIABLE to FILE as base64 on one line.
function(loftype_base64 variable file)
    execute_process(COMMAND base64 -w 0 ${file} OUTPUT_VARIABLE text RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "could not turn ${file} into base64: ${status}")
    endif()
    set(${variable} "${text}" PARENT_SCOPE)
endfunction()
