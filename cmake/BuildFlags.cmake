# A Release build is made as Debian makes its packages: at -O2, and hardened with the flags of
# dpkg-buildflags (fortified libc calls, a strong stack protector, relocations read-only and
# bound at start, a position-independent executable). Other build types keep CMake's flags.

# CMake's -O3 buys these programs nothing measurable and makes GCC 12 warn falsely inside
# std::string (-Wrestrict). Optimisation flags a user gives are kept as given.
if(CMAKE_CXX_FLAGS_RELEASE STREQUAL "-O3 -DNDEBUG")
  set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")
endif()

option(KVARNET_HARDENING "Build Release with Debian's hardening flags" ON)
if(KVARNET_HARDENING AND CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT KVARNET_SANITIZE)
  find_program(KVARNET_DPKG_BUILDFLAGS dpkg-buildflags)
  mark_as_advanced(KVARNET_DPKG_BUILDFLAGS)
  set(hardening_compile)
  set(hardening_link)
  if(KVARNET_DPKG_BUILDFLAGS)
    # Every hardening feature (bindnow is off by default), then whatever the packager's own
    # options say. Run in the source folder, whose path its -ffile-prefix-map drops from the
    # binaries.
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
      execute_process(COMMAND ${CMAKE_COMMAND} -E env
                              "DEB_BUILD_MAINT_OPTIONS=hardening=+all $ENV{DEB_BUILD_MAINT_OPTIONS}"
                              ${KVARNET_DPKG_BUILDFLAGS} --get ${kind}
                      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} RESULT_VARIABLE failed
                      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      if(failed)
        message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
      endif()
      separate_arguments(flags UNIX_COMMAND "${flags}")
      if(kind STREQUAL "LDFLAGS")
        list(APPEND hardening_link ${flags})
      else()
        list(APPEND hardening_compile ${flags})
      endif()
    endforeach()
  else()
    set(hardening_compile -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2 -fstack-protector-strong
                          -Wformat -Wformat-security)
    set(hardening_link -Wl,-z,relro -Wl,-z,now)
  endif()
  # Debug information and optimisation stay the build type's; a warning dpkg-buildflags makes
  # an error stays a warning, since a user's build must never fail on one (KVARNET_WERROR
  # makes every warning an error where wanted).
  list(FILTER hardening_compile EXCLUDE REGEX "^-(g|O.*)$")
  list(TRANSFORM hardening_compile REPLACE "^-Werror=" "-W")
  list(FILTER hardening_compile EXCLUDE REGEX "^-Werror$")
  # A position-independent executable even where the compiler does not make one by default.
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  if(CMAKE_CXX_LINK_PIE_SUPPORTED)
    list(APPEND hardening_compile -fPIE)
    list(APPEND hardening_link -pie)
  endif()
  foreach(flag ${hardening_compile})
    add_compile_options($<$<CONFIG:Release>:${flag}>)
  endforeach()
  foreach(flag ${hardening_link})
    add_link_options($<$<CONFIG:Release>:${flag}>)
  endforeach()
endif()
