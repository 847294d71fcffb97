# kvarnet_embed(<target> <name> PREFIX <prefix> BASE <dir> FILES <file>... [OPTIONS <rcc option>...])
#
# Embeds files as Qt resources under :<prefix>/<path relative to BASE>, initialised by
# Q_INIT_RESOURCE(<name>). rcc writes them straight into an object file: compiling megabytes
# of fonts and pictures as C++ arrays would cost seconds of every clean build.
function(kvarnet_embed target name)
  cmake_parse_arguments(EMBED "" "PREFIX;BASE" "FILES;OPTIONS" ${ARGN})
  # rcc stamps each file with SOURCE_DATE_EPOCH (cmake/Reproducible.cmake); naming it here
  # makes a new date rewrite the list and so run rcc again.
  set(body "<!DOCTYPE RCC><RCC version=\"1.0\">\n")
  string(APPEND body "<!-- SOURCE_DATE_EPOCH ${KVARNET_SOURCE_DATE_EPOCH} -->\n")
  string(APPEND body "<qresource prefix=\"${EMBED_PREFIX}\">\n")
  foreach(file IN LISTS EMBED_FILES)
    get_filename_component(file ${file} ABSOLUTE)
    file(RELATIVE_PATH alias ${EMBED_BASE} ${file})
    string(APPEND body "  <file alias=\"${alias}\">${file}</file>\n")
  endforeach()
  string(APPEND body "</qresource>\n</RCC>\n")
  set(qrc ${CMAKE_CURRENT_BINARY_DIR}/${name}.qrc)
  file(CONFIGURE OUTPUT ${qrc} CONTENT "${body}" @ONLY)
  qt6_add_big_resources(objects ${qrc} OPTIONS ${EMBED_OPTIONS})
  target_sources(${target} PRIVATE ${objects})
endfunction()
