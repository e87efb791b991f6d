# Read by cpack once for each generator it runs.

if(CPACK_GENERATOR STREQUAL "DEB")
    # Each Debian package opens its description with a summary of its own; the
    # project-wide summary would be put in front of it.
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CPACK_DEFAULT_PACKAGE_DESCRIPTION_SUMMARY}")
endif()
