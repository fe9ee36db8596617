# The user documentation (docs/help, plain HTML) is installed beside the
# program, in share/doc/tesselworks/html; the program's F1 opens its index.html.
include(GNUInstallDirs)

# GNUInstallDirs names the folder after the CMake project (TesselWorks); the
# package's folder is in lower case. A DOCDIR given by the user is kept.
if(CMAKE_INSTALL_DOCDIR STREQUAL "${CMAKE_INSTALL_DATAROOTDIR}/doc/${PROJECT_NAME}")
  set(CMAKE_INSTALL_DOCDIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/tesselworks")
endif()

install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/help/
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/html
        COMPONENT documentation
        FILES_MATCHING PATTERN "*.html" PATTERN "*.css")
