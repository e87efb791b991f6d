# Makes the npm package's folder: cmake -DSOURCE=web -DMODULE=loftype.wasm
# -DLICENCE=License.txt -DVERSION=1.2.0 -DPACKAGE=folder -P make_package.cmake.
# index.cjs takes the glue and the module (one character for each byte, see
# loftype_latin1: the package instantiates it synchronously, with no decompression);
# package.json takes the version.

include(${CMAKE_CURRENT_LIST_DIR}/module_text.cmake)
loftype_latin1(module ${MODULE})
file(READ ${SOURCE}/loftype.js glue)
file(READ ${SOURCE}/npm/index.cjs entry)
string(REPLACE "// @LOFTYPE_GLUE@\n" "${glue}" entry "${entry}")
string(REPLACE "@LOFTYPE_MODULE@" "${module}" entry "${entry}")
file(REMOVE_RECURSE ${PACKAGE})
file(WRITE ${PACKAGE}/index.cjs "${entry}")
set(LOFTYPE_NPM_VERSION ${VERSION})
configure_file(${SOURCE}/npm/package.json.in ${PACKAGE}/package.json @ONLY)
configure_file(${LICENCE} ${PACKAGE}/LICENSE COPYONLY)
set(parts index.mjs esm.cjs index.d.ts cli.cjs README.md)
list(TRANSFORM parts PREPEND ${SOURCE}/npm/)
file(COPY ${parts} DESTINATION ${PACKAGE})
