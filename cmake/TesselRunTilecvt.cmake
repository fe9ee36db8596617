# Run at build time by tessel_add_graphics: converts the images into OUT_DIR
# (emptied first, so no file of an earlier run is compiled), then writes
# SOURCES, which includes every C file tilecvt wrote, and HEADER, which
# declares their arrays.
foreach(variable TILECVT OUT_DIR NAME IMAGES SOURCES HEADER)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "TesselRunTilecvt.cmake: ${variable} is not set")
  endif()
endforeach()
string(REPLACE "|" ";" images "${IMAGES}")
string(REPLACE "|" ";" options "${OPTIONS}")

file(REMOVE_RECURSE "${OUT_DIR}")
file(MAKE_DIRECTORY "${OUT_DIR}")
execute_process(
  COMMAND "${TILECVT}" -q ${options} "-o${OUT_DIR}/" ${images}
  WORKING_DIRECTORY "${OUT_DIR}"
  RESULT_VARIABLE status
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  file(REMOVE_RECURSE "${OUT_DIR}")
  message(FATAL_ERROR "tilecvt failed (${status}) on ${images}:\n${output}${errors}")
endif()

file(GLOB written RELATIVE "${OUT_DIR}" "${OUT_DIR}/*.c")
list(SORT written)
if(NOT written)
  message(FATAL_ERROR "tilecvt wrote no C file for ${NAME}: give it an option that makes C "
                      "source (-fsrc) and something to save")
endif()

string(MAKE_C_IDENTIFIER "${NAME}_GRAPHICS_H" guard)
string(TOUPPER "${guard}" guard)
set(c "/* Written by tessel_add_graphics from the files tilecvt made. */\n")
string(CONCAT h "/* Written by tessel_add_graphics: the arrays of ${NAME}'s images. */\n"
       "#ifndef ${guard}\n#define ${guard}\n\n")
foreach(file IN LISTS written)
  string(APPEND c "#include \"files/${file}\"\n")
  file(STRINGS "${OUT_DIR}/${file}" declarations REGEX "^[A-Za-z_][A-Za-z0-9_ ]*\\[[0-9]*\\]")
  foreach(line IN LISTS declarations)
    # "const unsigned short master_Palette[16] = {" -> an extern declaration.
    string(REGEX REPLACE "[ \t]*=.*$" "" declaration "${line}")
    string(REGEX REPLACE "^extern[ \t]+" "" declaration "${declaration}")
    string(APPEND h "extern ${declaration};\n")
  endforeach()
endforeach()
string(APPEND h "\n#endif\n")

file(WRITE "${SOURCES}" "${c}")
file(WRITE "${HEADER}" "${h}")
