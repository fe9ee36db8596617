# Compiler settings shared by every target of the repository.

function(tessel_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(TESSEL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# tessel_add_module(<name> SOURCES <files...> [USES <modules...>])
# One module of the core as the static library tessel_<name>; USES names the
# modules its headers and sources may include.
function(tessel_add_module name)
  cmake_parse_arguments(M "" "" "SOURCES;USES" ${ARGN})
  set(target tessel_${name})
  add_library(${target} STATIC ${M_SOURCES})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  foreach(use IN LISTS M_USES)
    target_link_libraries(${target} PUBLIC tessel_${use})
  endforeach()
  tessel_set_warnings(${target})
  if(name STREQUAL "platform")
    target_precompile_headers(${target} PRIVATE
      <algorithm> <cstdint> <cstring> <memory> <optional> <string> <string_view> <vector>)
  else()
    target_precompile_headers(${target} REUSE_FROM tessel_platform)
  endif()
endfunction()

if(TESSEL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Libraries the core links: image codecs (decode and encode).
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
find_package(GIF REQUIRED)
find_package(TIFF REQUIRED)
find_package(Threads REQUIRED)

if(TESSEL_FUZZ)
  # Coverage for libFuzzer in every library the fuzz targets link.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
