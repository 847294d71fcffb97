# Two builds of the same sources make the same files: every date the build stamps is
# SOURCE_DATE_EPOCH (seconds since 1970), the last change of the sources, instead of the
# checkout or build time. Taken from the environment when a packager sets it, else from the
# last commit, else from the newest entry of packaging/changelog.
#
# It reaches the tools that stamp dates: rcc (the resources' file times, see cmake/Embed.cmake)
# through every custom command, and cpack (the package's file and archive times) through
# CPACK_PROJECT_CONFIG_FILE (cmake/Install.cmake).
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(KVARNET_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
  set(epoch_from "the environment")
else()
  set(KVARNET_SOURCE_DATE_EPOCH)
  find_package(Git QUIET)
  if(GIT_FOUND AND EXISTS ${PROJECT_SOURCE_DIR}/.git)
    execute_process(COMMAND ${GIT_EXECUTABLE} -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
                    OUTPUT_VARIABLE KVARNET_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                    ERROR_QUIET)
    set(epoch_from "the last commit")
  endif()
  if(NOT KVARNET_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    # A release archive without its history: the date of its changelog, as dpkg takes it.
    file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog.in signature REGEX "^ -- ")
    list(GET signature 0 signature)
    string(REGEX REPLACE "^ -- .*>  " "" changed "${signature}")
    execute_process(COMMAND date -u -d "${changed}" +%s
                    OUTPUT_VARIABLE KVARNET_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                    ERROR_QUIET)
    set(epoch_from "packaging/changelog")
  endif()
endif()
if(KVARNET_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(STATUS "SOURCE_DATE_EPOCH ${KVARNET_SOURCE_DATE_EPOCH}, from ${epoch_from}")
  set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM
               "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${KVARNET_SOURCE_DATE_EPOCH}")
else()
  message(STATUS "No SOURCE_DATE_EPOCH: the files carry the times of this build")
  set(KVARNET_SOURCE_DATE_EPOCH)
endif()
