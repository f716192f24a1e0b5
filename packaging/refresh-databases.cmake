# Run by `cmake --install` once the files are in place. An install into a live prefix refreshes that prefix's
# MIME and desktop-entry databases, so the desktop knows the document types and the program at once; a
# staged install (DESTDIR, as when a package is built) leaves that to the package system's triggers.
# LANESCOPE_DATADIR is set by the install step before this script.
if("$ENV{DESTDIR}" STREQUAL "")
    set(share "${CMAKE_INSTALL_PREFIX}/${LANESCOPE_DATADIR}")
    foreach(step "update-mime-database;mime" "update-desktop-database;applications")
        list(GET step 0 tool)
        list(GET step 1 folder)
        find_program(program ${tool})
        if(program AND IS_DIRECTORY "${share}/${folder}")
            execute_process(COMMAND ${program} "${share}/${folder}" RESULT_VARIABLE failed
                            OUTPUT_QUIET ERROR_QUIET)
            if(failed)
                message(STATUS "Not refreshed (no write access?): ${share}/${folder}; run ${tool} there")
            else()
                message(STATUS "Refreshed: ${share}/${folder}")
            endif()
        endif()
        unset(program CACHE)
        unset(program)
    endforeach()
endif()
