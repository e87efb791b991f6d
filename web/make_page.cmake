# Makes the self-contained page: cmake -DSOURCE=web -DMODULE=loftype.wasm
# -DPAGE=loftype.html -P make_page.cmake. The template's placeholders take the style
# sheet, the module's glue, the module (one character for each byte, see
# module_text.cmake) and the page's script, each as it is written: no minifier, which
# would save a few kilobytes (a tenth of the page, less gzipped) at the risk of
# changing the code.
include(${CMAKE_CURRENT_LIST_DIR}/module_text.cmake)
loftype_latin1(module ${MODULE})
file(READ ${SOURCE}/page.html page)
foreach(part STYLE:page.css:style GLUE:loftype.js:script SCRIPT:page.js:script)
    string(REPLACE ":" ";" part ${part})
    list(GET part 0 name)
    list(GET part 1 file)
    list(GET part 2 element)
    file(READ ${SOURCE}/${file} text)
    # Inside its element, a part must not close it.
    string(TOLOWER "${text}" lower)
    string(FIND "${lower}" "</${element}" closing)
    if(NOT closing EQUAL -1)
        message(FATAL_ERROR "${file} holds \"</${element}\", which would end its element in the page")
    endif()
    string(REPLACE "@LOFTYPE_${name}@" "${text}" page "${page}")
endforeach()
string(REPLACE "@LOFTYPE_MODULE@" "${module}" page "${page}")
file(WRITE ${PAGE} "${page}")
