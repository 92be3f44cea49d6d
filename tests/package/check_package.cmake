# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DCPACK=… -DBUILD_DIR=… -DVERSION=… -DSCRATCH=… -P check_package.cmake
file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND "${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${SCRATCH}"
    RESULT_VARIABLE packed OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT packed EQUAL 0)
    message(FATAL_ERROR "cpack failed: ${log}")
endif()

execute_process(COMMAND dpkg --print-architecture
    OUTPUT_VARIABLE architecture OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(package "${SCRATCH}/marutsuke_${VERSION}_${architecture}.deb")
if(NOT EXISTS "${package}")
    file(GLOB made "${SCRATCH}/*.deb")
    message(FATAL_ERROR "cpack made ${made} instead of ${package}")
endif()

execute_process(COMMAND dpkg-deb -f "${package}" Depends
    OUTPUT_VARIABLE depends OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
foreach(dependency libqt6widgets6 libqpdf29 fonts-noto-cjk qt6-translations-l10n xdg-utils)
    if(NOT ", ${depends}," MATCHES ", ${dependency}[ ,]")
        message(FATAL_ERROR "Depends lacks ${dependency}: ${depends}")
    endif()
endforeach()

set(root "${SCRATCH}/root")
execute_process(COMMAND dpkg-deb -x "${package}" "${root}" COMMAND_ERROR_IS_FATAL ANY)
foreach(file bin/marutsuke bin/marutsuke-sample share/applications/marutsuke.desktop
        share/icons/hicolor/scalable/apps/marutsuke.svg)
    if(NOT EXISTS "${root}/usr/${file}")
        message(FATAL_ERROR "not in the package: /usr/${file}")
    endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/../install/start_installed_program.cmake)
expect_per_user_work_folder("${root}/usr/bin/marutsuke" "${root}/home")

# Kept only when a check fails, for a look inside.
file(REMOVE_RECURSE "${SCRATCH}")
