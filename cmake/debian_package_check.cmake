# SPDX-License-Identifier: GPL-3.0-or-later
# Read by cpack for each generator. Without dpkg-shlibdeps CPack would leave the Qt libraries out
# of Depends and still report success.
if(CPACK_GENERATOR STREQUAL "DEB")
    find_program(MARUTSUKE_DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(NOT MARUTSUKE_DPKG_SHLIBDEPS)
        message(FATAL_ERROR "dpkg-shlibdeps is missing: install dpkg-dev to make the Debian package")
    endif()
endif()
