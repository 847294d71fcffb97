# Checks the Debian package as a packager's tools and a user's system see it. Run by ctest as
# package, where cpack makes the package of BUILD_DIR into OUT with CPACK, and by
# scripts/test-package.sh on a Release build's DEB. HARDENED says whether the binaries were
# built with the hardening flags (cmake/BuildFlags.cmake); OVERRIDES is
# packaging/lintian-overrides.
cmake_minimum_required(VERSION 3.25)
if(NOT DEB)
  file(REMOVE_RECURSE ${OUT})
  execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${OUT}
                  RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
  file(GLOB DEB ${OUT}/*.deb)
  if(failed OR NOT DEB)
    message(FATAL_ERROR "cpack failed:\n${out}")
  endif()
endif()

# The program hands its documents to the desktop through xdg-open.
execute_process(COMMAND dpkg-deb -f ${DEB} Recommends OUTPUT_VARIABLE recommends
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
if(NOT recommends MATCHES "(^|, )xdg-utils(,|$)")
  message(FATAL_ERROR "the package does not recommend xdg-utils: Recommends: ${recommends}")
endif()

# The licence of the fonts inside the program, in the package's copyright file.
get_filename_component(unpacked ${DEB} DIRECTORY)
set(unpacked ${unpacked}/unpacked)
file(REMOVE_RECURSE ${unpacked})
execute_process(COMMAND dpkg-deb -x ${DEB} ${unpacked} COMMAND_ERROR_IS_FATAL ANY)
file(READ ${unpacked}/usr/share/doc/kvarnet/copyright copyright)
file(REMOVE_RECURSE ${unpacked})
if(NOT copyright MATCHES "License: OFL-1.1\n [^\n]*SIL Open Font License")
  message(FATAL_ERROR "the package's copyright file lacks the SIL Open Font License")
endif()

# lintian, as strict as it gets, says nothing but the overrides of packaging/lintian-overrides.
# Binaries built without the hardening flags (any build type but Release) may lack them.
find_program(lintian lintian)
if(NOT lintian)
  message(FATAL_ERROR "lintian is not installed (scripts/install-deps.sh installs it)")
endif()
execute_process(COMMAND ${lintian} --pedantic --display-info --display-experimental
                        --show-overrides ${DEB}
                OUTPUT_VARIABLE report ERROR_VARIABLE errors RESULT_VARIABLE failed)
string(REGEX MATCHALL "(^|\n)[EWIPXCO]: [^\n]*" tags "${report}") # N: lines are notes
file(STRINGS ${OVERRIDES} overridden REGEX "^kvarnet: ")
list(TRANSFORM overridden REPLACE "^kvarnet: " "O: kvarnet: ")
set(unexpected)
foreach(tag ${tags})
  string(STRIP "${tag}" tag)
  if(tag IN_LIST overridden)
    list(REMOVE_ITEM overridden "${tag}")
  elseif(NOT HARDENED AND tag MATCHES "^I: kvarnet: hardening-no-(fortify-functions|bindnow) ")
  else()
    string(APPEND unexpected "${tag}\n")
  endif()
endforeach()
if(overridden)
  string(APPEND unexpected "overrides that no tag needed: ${overridden}\n")
endif()
if(unexpected OR (failed AND NOT report))
  message(FATAL_ERROR "lintian on ${DEB}:\n${unexpected}${errors}")
endif()
message(STATUS "${DEB}: lintian clean, recommends xdg-utils, font licence shipped")
