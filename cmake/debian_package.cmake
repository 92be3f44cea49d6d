# SPDX-License-Identifier: GPL-3.0-or-later
# `cpack -G DEB` in a build tree makes marutsuke_<version>_<arch>.deb of what `cmake --install`
# installs, under /usr.
set(CPACK_PACKAGE_NAME marutsuke)
set(CPACK_PACKAGE_VENDOR "Marutsuke developers")
set(CPACK_PACKAGE_CONTACT "Marutsuke developers <maintainers@marutsuke.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "grade paper examinations from scans")
set(CPACK_PACKAGE_DESCRIPTION
    "A teacher points the program at a folder of scanned answer sheets, marks the answer fields on
one sheet, and grades every student's answer question by question. The program adds up the
scores, ranks the students, writes a grade table for a spreadsheet and prints the marked sheets.
The user interface is Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries come from dpkg-shlibdeps; what the program needs beyond them: Japanese dialog
# buttons, a Japanese font with a real bold face, and the desktop opener for the grade table.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, qt6-translations-l10n, xdg-utils")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/debian_package_check.cmake)
include(CPack)
