# tessel_add_graphics(<target> IMAGES <image>... [OPTIONS <tilecvt option>...])
#
# Converts the images with tilecvt when the target is built, into the build
# tree, and compiles the C files it writes into <target>. The images are
# converted in one run, so they share one master palette (tilecvt merges the
# palettes of its inputs); an image that changes makes the run again.
#
# Besides the tool's own files, the run writes <target>_graphics.h, which
# declares every array as `extern`; the target can include it by that name.
# The options must make C source (-fsrc, the default when none is given);
# -o is set by the function.
include_guard(GLOBAL)

set(_TESSEL_GRAPHICS_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/TesselRunTilecvt.cmake")

function(tessel_add_graphics target)
  cmake_parse_arguments(PARSE_ARGV 1 G "" "" "IMAGES;OPTIONS")
  if(NOT TARGET ${target})
    message(FATAL_ERROR "tessel_add_graphics: ${target} is not a target")
  endif()
  if(NOT G_IMAGES)
    message(FATAL_ERROR "tessel_add_graphics(${target}): no IMAGES given")
  endif()
  if(G_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tessel_add_graphics(${target}): unknown arguments ${G_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT TARGET TesselWorks::tilecvt)
    message(FATAL_ERROR "tessel_add_graphics: TesselWorks::tilecvt is not defined "
                        "(find_package(TesselWorks) first)")
  endif()
  set(options ${G_OPTIONS})
  if(NOT options MATCHES "(^|;)-f")
    list(APPEND options -fsrc)
  endif()
  foreach(option IN LISTS options)
    if(option MATCHES "^-o")
      message(FATAL_ERROR "tessel_add_graphics(${target}): -o is chosen by the function")
    endif()
  endforeach()

  set(images "")
  foreach(image IN LISTS G_IMAGES)
    cmake_path(ABSOLUTE_PATH image BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}"
               OUTPUT_VARIABLE absolute)
    list(APPEND images "${absolute}")
  endforeach()

  set(out "${CMAKE_CURRENT_BINARY_DIR}/tessel_graphics/${target}")
  set(sources "${out}/${target}_graphics.c")
  set(header "${out}/${target}_graphics.h")
  # Lists cross the command line joined with '|' (no image or option has one).
  string(REPLACE ";" "|" joinedImages "${images}")
  string(REPLACE ";" "|" joinedOptions "${options}")
  add_custom_command(
    OUTPUT "${sources}" "${header}"
    COMMAND "${CMAKE_COMMAND}"
      "-DTILECVT=$<TARGET_FILE:TesselWorks::tilecvt>"
      "-DOUT_DIR=${out}/files"
      "-DNAME=${target}"
      "-DIMAGES=${joinedImages}"
      "-DOPTIONS=${joinedOptions}"
      "-DSOURCES=${sources}"
      "-DHEADER=${header}"
      -P "${_TESSEL_GRAPHICS_SCRIPT}"
    DEPENDS ${images} "$<TARGET_FILE:TesselWorks::tilecvt>" "${_TESSEL_GRAPHICS_SCRIPT}"
    COMMENT "tilecvt: converting the graphics of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE "${sources}" "${header}")
  target_include_directories(${target} PRIVATE "${out}")
endfunction()
