# Makes the self-contained page: cmake -DSOURCE=web -DMODULE=loftype.wasm
# -DPAGE=loftype.html -P make_page.cmake. The template's placeholders take the style
# sheet, the module's glue, the module (gzip-compressed, then base64, so that it takes
# a third of the room) and the page's script.
include(${CMAKE_CURRENT_LIST_DIR}/base64.cmake)
loftype_base64(module ${MODULE} GZIP)
file(READ ${SOURCE}/page.html page)
foreach(part STYLE:page.css GLUE:loftype.js SCRIPT:page.js)
    string(REPLACE ":" ";" part ${part})
    list(GET part 0 name)
    list(GET part 1 file)
    file(READ ${SOURCE}/${file} text)
    # Without indentation and lines of comment, the page is a few per cent smaller.
    string(REGEX REPLACE "\n[ \t]+" "\n" text "${text}")
    string(REGEX REPLACE "\n//[^\n]*" "" text "${text}")
    string(REPLACE "@LOFTYPE_${name}@" "${text}" page "${page}")
endforeach()
string(REPLACE "@LOFTYPE_MODULE@" "${module}" page "${page}")
file(WRITE ${PAGE} "${page}")
