# What `cmake --install` puts under the prefix, for programs built against
# Plotwell:
#   include/plotwell/...        the public headers, mirroring the source tree,
#                               and plotwell/version.h
#   lib/libplotwell_*.a|.so*    the libraries
#   lib/cmake/Plotwell/         PlotwellConfig.cmake (find_package(Plotwell)):
#                               Plotwell::Plotwell, and Plotwell::Qt when Qt 6 is found
#   lib/pkgconfig/              plotwell.pc and plotwell-qt.pc
#   share/doc/Plotwell/LICENSE
# Two install components: Runtime (the shared objects of a shared build) and
# Development (everything else); cmake/PlotwellPackage.cmake makes one Debian
# package of each.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)
include(${CMAKE_CURRENT_LIST_DIR}/PlotwellHeaders.cmake)

set(PLOTWELL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Plotwell)

# Headers. A program includes <plotwell/chart/plotwell.h>; the headers include
# each other as "chart/...", "platform/...", which include/plotwell on the
# include path (the targets carry it) resolves.
if(PLOTWELL_QT)
  plotwell_public_headers(public_headers QT)
else()
  plotwell_public_headers(public_headers)
endif()
foreach(header IN LISTS public_headers)
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/${header}
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/plotwell/${folder} COMPONENT Development)
endforeach()
install(FILES ${PLOTWELL_GENERATED_INCLUDE_DIR}/plotwell/version.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/plotwell COMPONENT Development)

# Libraries: the core ones (Plotwell::Plotwell and what it stands on, and the
# cursors) in one export set, the Qt window system in its own, so that a
# program without Qt finds the package and a Qt program gets Plotwell::Qt.
get_property(libraries GLOBAL PROPERTY PLOTWELL_LIBRARIES)
set(core_libraries ${libraries})
list(REMOVE_ITEM core_libraries qtwindows)
if(BUILD_SHARED_LIBS)
  # The libraries find each other beside themselves wherever the prefix is.
  set_target_properties(${libraries} PROPERTIES INSTALL_RPATH "$ORIGIN")
endif()

function(plotwell_install_targets export_set)
  install(TARGETS ${ARGN} EXPORT ${export_set}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime
      NAMELINK_COMPONENT Development
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
  install(EXPORT ${export_set} NAMESPACE Plotwell:: DESTINATION ${PLOTWELL_CMAKE_DIR}
    COMPONENT Development)
endfunction()
plotwell_install_targets(PlotwellTargets ${core_libraries})
if(PLOTWELL_QT)
  plotwell_install_targets(PlotwellQtTargets qtwindows)
endif()

# The CMake package. A static build's libraries carry their own dependencies
# (FreeType, fontconfig, libpng, cairo; Qt 6 Widgets and PrintSupport) into
# the program's link, so the package finds them; a shared build's libraries
# link them themselves.
if(BUILD_SHARED_LIBS)
  set(PLOTWELL_STATIC OFF)
else()
  set(PLOTWELL_STATIC ON)
endif()
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/PlotwellConfig.cmake.in
  ${PROJECT_BINARY_DIR}/PlotwellConfig.cmake
  INSTALL_DESTINATION ${PLOTWELL_CMAKE_DIR})
# Before 1.0 a minor version may change the interface: 0.9.x satisfies a
# request for 0.9 only.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/PlotwellConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/PlotwellConfig.cmake ${PROJECT_BINARY_DIR}/PlotwellConfigVersion.cmake
  DESTINATION ${PLOTWELL_CMAKE_DIR} COMPONENT Development)

# pkg-config. The files find the prefix from where they lie (${pcfiledir}),
# so `cmake --install --prefix` anywhere gives working files. The libraries
# are listed users first, as a static link needs them.
set(PLOTWELL_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH PLOTWELL_PC_PREFIX /root/${PLOTWELL_PC_DIR} /root)
string(REGEX REPLACE "/$" "" PLOTWELL_PC_PREFIX "\${pcfiledir}/${PLOTWELL_PC_PREFIX}")
set(PLOTWELL_PC_LIBS "")
foreach(lib IN LISTS core_libraries)
  if(NOT lib STREQUAL "plotwell_resources")
    get_target_property(name ${lib} OUTPUT_NAME)
    list(PREPEND PLOTWELL_PC_LIBS -l${name})
  endif()
endforeach()
list(JOIN PLOTWELL_PC_LIBS " " PLOTWELL_PC_LIBS)
if(PLOTWELL_STATIC)
  set(PLOTWELL_PC_REQUIRES "Requires: freetype2 fontconfig libpng cairo")
  set(PLOTWELL_QT_PC_REQUIRES "Requires: plotwell Qt6Widgets Qt6PrintSupport")
else()
  set(PLOTWELL_PC_REQUIRES "")
  set(PLOTWELL_QT_PC_REQUIRES "Requires: plotwell Qt6Widgets")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/plotwell.pc.in ${PROJECT_BINARY_DIR}/plotwell.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/plotwell.pc DESTINATION ${PLOTWELL_PC_DIR} COMPONENT Development)
if(PLOTWELL_QT)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/plotwell-qt.pc.in ${PROJECT_BINARY_DIR}/plotwell-qt.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/plotwell-qt.pc DESTINATION ${PLOTWELL_PC_DIR} COMPONENT Development)
endif()

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT Development)
