# Debian's hardening flags, as dpkg-buildflags gives them with every
# hardening feature on: fortified C library calls, stack protector, format
# checks, full RELRO and binding at load time (bind-now). For the optimised
# builds that are installed and packaged; the fortified calls need
# optimisation, and the sanitizers and the fuzzer bring checks of their own.
# Without dpkg-buildflags (not Debian) the build goes on without them.
if(CMAKE_BUILD_TYPE MATCHES "^(Release|MinSizeRel)$" AND NOT RUBRIO_SANITIZE AND NOT RUBRIO_FUZZ)
    find_program(RUBRIO_DPKG_BUILDFLAGS dpkg-buildflags)
    if(RUBRIO_DPKG_BUILDFLAGS)
        foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
            execute_process(
                COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                        ${RUBRIO_DPKG_BUILDFLAGS} --get ${kind}
                OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
            separate_arguments(flags UNIX_COMMAND "${flags}")
            # The build type chooses debugging information and optimisation;
            # the prefix map names the folder dpkg-buildflags ran in.
            list(FILTER flags EXCLUDE REGEX "^-(g|O[0-9s]?|ffile-prefix-map=.*)$")
            if(kind STREQUAL "LDFLAGS")
                add_link_options(${flags})
            else()
                add_compile_options(${flags})
            endif()
        endforeach()
    endif()
endif()
