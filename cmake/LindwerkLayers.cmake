# One static library per layer folder, from the bottom: platform, picture,
# document, gedcom and chart, print, session, then app and cli. A layer's
# headers are reachable only through a tree of links in the build folder
# that the layer and whoever links it see, so a file can include only the
# headers of the layers its library links: an include pointing up or sideways fails to build.
#
#   lindwerk_layer(lindwerk_chart SOURCES A.cpp A.h ... USES lindwerk_document ...)
#
# SOURCES are relative to the calling CMakeLists.txt; USES are the layers
# (and libraries) below it.
#
# The document holds bytes (Windows-1252 or UTF-8) and Qt holds UTF-16: in
# the layers without widgets no C string turns into a QString unseen, so
# every conversion names its encoding. Widgets (the `_gui` layers and the
# app) sit at the edge, where the texts are converted already.
function(lindwerk_guard_texts target)
  target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII)
endfunction()
function(lindwerk_expose_headers target visibility)
  set(tree ${CMAKE_BINARY_DIR}/layers/${target})
  file(REMOVE_RECURSE ${tree})
  get_target_property(sources ${target} SOURCES)
  foreach(source IN LISTS sources)
    if(NOT source MATCHES "\\.h$")
      continue()
    endif()
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
               NORMALIZE OUTPUT_VARIABLE absolute)
    cmake_path(RELATIVE_PATH absolute BASE_DIRECTORY ${PROJECT_SOURCE_DIR}
               OUTPUT_VARIABLE relative)
    cmake_path(GET relative PARENT_PATH folder)
    file(MAKE_DIRECTORY ${tree}/${folder})
    file(CREATE_LINK ${absolute} ${tree}/${relative} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${visibility} ${tree})
endfunction()

function(lindwerk_layer target)
  cmake_parse_arguments(LAYER "" "" "SOURCES;USES" ${ARGN})
  add_library(${target} STATIC ${LAYER_SOURCES})
  lindwerk_expose_headers(${target} PUBLIC)
  target_link_libraries(${target} PUBLIC ${LAYER_USES})
  if(NOT target MATCHES "_gui$" AND NOT target STREQUAL "lindwerk_app")
    lindwerk_guard_texts(${target})
  endif()
endfunction()
