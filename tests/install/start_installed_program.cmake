# SPDX-License-Identifier: GPL-3.0-or-later
# An installed program, started as root, could write into its own folder; it must keep the
# examination in the per-user folder under HOME_DIR and say where. It waits at its first-use
# message, so it is stopped after telling.
function(expect_per_user_work_folder program home_dir)
    set(data_home "${home_dir}/.local/share")
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen "XDG_DATA_HOME=${data_home}"
            "${program}"
        TIMEOUT 10
        ERROR_VARIABLE told OUTPUT_QUIET)
    if(NOT told MATCHES "作業フォルダ: ${data_home}/marutsuke")
        message(FATAL_ERROR "${program} did not name the per-user folder: ${told}")
    endif()
    if(NOT IS_DIRECTORY "${data_home}/marutsuke/ini")
        message(FATAL_ERROR "${program} did not use the per-user folder")
    endif()
    cmake_path(GET program PARENT_PATH program_dir)
    if(EXISTS "${program_dir}/ini")
        message(FATAL_ERROR "${program} used its own folder")
    endif()
endfunction()
