# Installs this build into a temporary prefix, then configures and builds a
# copy of examples/cmake-game against it; touching an image must convert it
# again, and an unchanged tree must convert nothing.
foreach(variable BUILD_DIR EXAMPLE_DIR WORK_DIR GENERATOR)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "${variable} is not set")
  endif()
endforeach()

function(run)
  cmake_parse_arguments(R "" "OUTPUT" "COMMAND" ${ARGN})
  execute_process(COMMAND ${R_COMMAND} RESULT_VARIABLE status OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): ${R_COMMAND}\n${out}${err}")
  endif()
  if(R_OUTPUT)
    set(${R_OUTPUT} "${out}${err}" PARENT_SCOPE)
  endif()
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")
run(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}")

# GNUInstallDirs' folders for a prefix of its own (the library folder may
# carry the machine's name).
file(GLOB_RECURSE config RELATIVE "${prefix}" "${prefix}/*/TesselWorksConfig.cmake")
set(expected bin/tilecvt bin/hdrbake share/man/man1/tilecvt.1 share/man/man1/hdrbake.1)
if(EXISTS "${BUILD_DIR}/ui/tesselworks")
  list(APPEND expected bin/tesselworks share/man/man1/tesselworks.1
                       share/applications/tesselworks.desktop
                       share/icons/hicolor/scalable/apps/tesselworks.svg)
endif()
foreach(file ${expected})
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
if(NOT config MATCHES "cmake/TesselWorks/TesselWorksConfig.cmake$")
  message(FATAL_ERROR "no TesselWorksConfig.cmake installed (${config})")
endif()

# A copy, so that touching an image leaves the source tree alone.
set(source "${WORK_DIR}/game")
file(COPY "${EXAMPLE_DIR}/" DESTINATION "${source}")
set(build "${WORK_DIR}/build")
run(COMMAND "${CMAKE_COMMAND}" -S "${source}" -B "${build}" -G "${GENERATOR}"
            "-DCMAKE_PREFIX_PATH=${prefix}")
run(COMMAND "${CMAKE_COMMAND}" --build "${build}" OUTPUT first)
if(NOT first MATCHES "tilecvt: converting the graphics of game")
  message(FATAL_ERROR "the first build converted nothing:\n${first}")
endif()
run(COMMAND "${build}/game" OUTPUT printed)
# Map cells: one per 8 x 8 block of each picture (16 x 16, 16 x 8, 32 x 16).
foreach(line "palette [0-9]+ colours" "hero [0-9]+ tile bytes, 4 map cells"
             "grass [0-9]+ tile bytes, 2 map cells" "sky [0-9]+ tile bytes, 8 map cells")
  if(NOT printed MATCHES "${line}")
    message(FATAL_ERROR "the game printed\n${printed}\nwithout \"${line}\"")
  endif()
endforeach()

run(COMMAND "${CMAKE_COMMAND}" --build "${build}" OUTPUT unchanged)
if(unchanged MATCHES "tilecvt: converting")
  message(FATAL_ERROR "nothing changed, yet the images were converted again:\n${unchanged}")
endif()

# A newer image (the file's time only) converts again and relinks the game.
file(TOUCH "${source}/gfx/grass.png")
run(COMMAND "${CMAKE_COMMAND}" --build "${build}" OUTPUT touched)
if(NOT touched MATCHES "tilecvt: converting the graphics of game")
  message(FATAL_ERROR "a touched image was not converted again:\n${touched}")
endif()

# The console build, with the same installed tools.
find_program(ARM_GCC arm-none-eabi-gcc)
if(ARM_GCC)
  set(gba "${WORK_DIR}/build-gba")
  run(COMMAND "${CMAKE_COMMAND}" -S "${source}" -B "${gba}" -G "${GENERATOR}"
              "-DCMAKE_PREFIX_PATH=${prefix}"
              "-DCMAKE_TOOLCHAIN_FILE=${source}/gba-toolchain.cmake")
  run(COMMAND "${CMAKE_COMMAND}" --build "${gba}")
  file(READ "${gba}/game" elf LIMIT 20 HEX)
  # An ELF file for the ARM (machine 0x28).
  if(NOT elf MATCHES "^7f454c46" OR NOT elf MATCHES "2800$")
    message(FATAL_ERROR "the console build is no ARM program: ${elf}")
  endif()
  message(STATUS "built for the console with ${ARM_GCC}")
endif()
