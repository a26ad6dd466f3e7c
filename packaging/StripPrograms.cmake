# Run by CPack on the installed tree before packing it.
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
foreach(program IN LISTS programs)
    execute_process(
        COMMAND strip --remove-section=.comment --remove-section=.note --strip-unneeded ${program}
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
