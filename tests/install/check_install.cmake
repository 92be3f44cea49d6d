# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DBUILD_DIR=… -DPREFIX=… -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()

foreach(file bin/marutsuke bin/marutsuke-sample share/applications/marutsuke.desktop
        share/icons/hicolor/scalable/apps/marutsuke.svg)
    if(NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
if(EXISTS "${PREFIX}/bin/marutsuke.workfolder")
    message(FATAL_ERROR "an installed copy must not carry the work folder marker")
endif()

file(READ "${PREFIX}/share/applications/marutsuke.desktop" desktop)
foreach(entry "Type=Application" "Exec=marutsuke" "Icon=marutsuke" "Name[ja]=丸付け名人")
    string(FIND "\n${desktop}" "\n${entry}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the desktop file lacks the line ${entry}")
    endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/start_installed_program.cmake)
expect_per_user_work_folder("${PREFIX}/bin/marutsuke" "${PREFIX}/home")
