# Includes run downwards only: each library names the folders it may include
# from (besides its own), and every time it is linked its sources are checked,
# so that an include from a higher layer fails the build.
#
# tunewell_layer(TARGET [FOLDER folder] ALLOWED folder...): checks the sources
# of TARGET (only those under FOLDER when given).
function(tunewell_layer target)
  cmake_parse_arguments(ARG "" "FOLDER" "ALLOWED" ${ARGN})
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  set(checked "")
  foreach(source IN LISTS sources)
    if(NOT source MATCHES "\\.(cpp|h)$")
      continue()
    endif()
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${source_dir} NORMALIZE)
    if(ARG_FOLDER AND NOT source MATCHES "^${PROJECT_SOURCE_DIR}/${ARG_FOLDER}/")
      continue()
    endif()
    list(APPEND checked ${source})
  endforeach()
  string(MAKE_C_IDENTIFIER "${target}_${ARG_FOLDER}" name)
  set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_layer.txt)
  list(JOIN checked "\n" text)
  file(WRITE ${list_file} "${text}\n")
  list(JOIN ARG_ALLOWED "," allowed)
  add_custom_command(TARGET ${target} PRE_LINK
    COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} -DLIST=${list_file}
            "-DALLOWED=${allowed}"
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayer.cmake
    VERBATIM)
endfunction()

# tunewell_area(TARGET SOURCES... DEPS lib... ALLOWED folder...): one window
# area as a static library of its own, linked to the libraries below it and
# checked to include from their folders only.
function(tunewell_area target)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;ALLOWED" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  tunewell_warnings(${target})
  tunewell_layer(${target} ALLOWED ${ARG_ALLOWED})
endfunction()
