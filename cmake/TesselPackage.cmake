# Installing: the three programs, their manual pages, the desktop entry and
# its icon, and the CMake package that lets a game's build find the tools
# (find_package(TesselWorks)) and convert its images (tessel_add_graphics).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(_tessel_programs tilecvt hdrbake)
if(TARGET tesselworks)
  list(APPEND _tessel_programs tesselworks)
  install(FILES ${CMAKE_SOURCE_DIR}/docs/man/tesselworks.1
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/tesselworks.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/tesselworks.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
install(TARGETS ${_tessel_programs} EXPORT TesselWorksTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/docs/man/tilecvt.1 ${CMAKE_SOURCE_DIR}/docs/man/hdrbake.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(_tessel_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/TesselWorks)
install(EXPORT TesselWorksTargets NAMESPACE TesselWorks:: DESTINATION ${_tessel_package_dir})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/TesselWorksConfig.cmake.in
  ${CMAKE_BINARY_DIR}/TesselWorksConfig.cmake INSTALL_DESTINATION ${_tessel_package_dir})
# The tools are programs for the build machine: any game project, whatever
# its target processor, may use them.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/TesselWorksConfigVersion.cmake
  COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES ${CMAKE_BINARY_DIR}/TesselWorksConfig.cmake
              ${CMAKE_BINARY_DIR}/TesselWorksConfigVersion.cmake
              ${CMAKE_CURRENT_LIST_DIR}/TesselGraphics.cmake
              ${CMAKE_CURRENT_LIST_DIR}/TesselRunTilecvt.cmake
        DESTINATION ${_tessel_package_dir})

# In this tree the function works on the tool just built.
add_executable(TesselWorks::tilecvt ALIAS tilecvt)
include(${CMAKE_CURRENT_LIST_DIR}/TesselGraphics.cmake)
