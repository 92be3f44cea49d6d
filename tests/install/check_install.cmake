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

# The installed program, started as root could write into its own folder; it must keep the
# examination in the per-user folder and say where. It waits at its first-use message, so it is
# stopped after telling.
set(data_home "${PREFIX}/home/.local/share")
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen "XDG_DATA_HOME=${data_home}"
        "${PREFIX}/bin/marutsuke"
    TIMEOUT 10
    ERROR_VARIABLE told OUTPUT_QUIET)
if(NOT told MATCHES "作業フォルダ: ${data_home}/marutsuke")
    message(FATAL_ERROR "the installed program did not name the per-user folder: ${told}")
endif()
if(NOT IS_DIRECTORY "${data_home}/marutsuke/ini")
    message(FATAL_ERROR "the per-user folder was not used")
endif()
if(EXISTS "${PREFIX}/bin/ini")
    message(FATAL_ERROR "the installed program used its own folder")
endif()
