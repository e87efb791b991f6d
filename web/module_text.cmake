# loftype_latin1(VARIABLE FILE): sets VARIABLE to the bytes of FILE as the text of a
# JavaScript string in single quotes, one character for each byte (U+0000 to U+00FF,
# written in UTF-8): gzip packs it about as small as the bytes themselves, where it
# packs base64 a third larger, and it is shorter than base64 as well. Only what a
# string may not hold as it is gets an escape: the quote, the backslash, the line
# ends and NUL (\0, or \x3N for a digit after it, which \0 may not precede); and <,
# so that in a page no "</script" or "<!--" changes how its script element is read.
function(loftype_latin1 variable file)
    file(READ ${file} hex HEX)
    # Each byte's text, in variables named by its two hexadecimal digits.
    foreach(code RANGE 1 255)
        math(EXPR high "${code} / 16")
        math(EXPR low "${code} % 16")
        string(SUBSTRING "0123456789abcdef" ${high} 1 h)
        string(SUBSTRING "0123456789abcdef" ${low} 1 l)
        if(code LESS 128)
            string(ASCII ${code} char)
        else()
            # UTF-8 of U+0080 to U+00FF: C2 or C3, then 80 to BF.
            math(EXPR lead "192 + ${code} / 64")
            math(EXPR trail "128 + ${code} % 64")
            string(ASCII ${lead} ${trail} char)
        endif()
        set(text_${h}${l} "${char}")
    endforeach()
    set(text_0a "\\n")
    set(text_0d "\\r")
    set(text_27 "\\'")
    set(text_5c "\\\\")
    set(text_3c "\\x3c")
    string(REGEX MATCHALL ".." bytes "${hex}")
    set(text "")
    set(after_nul FALSE)
    foreach(byte IN LISTS bytes)
        if(byte STREQUAL "00")
            string(APPEND text "\\0")
            set(after_nul TRUE)
            continue()
        endif()
        if(after_nul AND byte MATCHES "^3[0-9]$")
            string(APPEND text "\\x${byte}")
        else()
            string(APPEND text "${text_${byte}}")
        endif()
        set(after_nul FALSE)
    endforeach()
    set(${variable} "${text}" PARENT_SCOPE)
endfunction()
