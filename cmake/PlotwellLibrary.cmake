# What every Plotwell library shares: its file name, its shared-object
# version, its include directories in the build and the install tree, and
# its place in the exported package.
#
# The headers include each other by their path in the source tree
# ("platform/graphics/Canvas.h"), so that root is an include directory; a
# program may also write <plotwell/chart/plotwell.h>, which the build tree
# answers through links under <build>/include/plotwell and the install tree
# by installing the headers under <prefix>/include/plotwell. The generated
# plotwell/version.h lives in <build>/include.

include(GNUInstallDirs)

set(PLOTWELL_GENERATED_INCLUDE_DIR ${PROJECT_BINARY_DIR}/include)
foreach(folder platform base scale chart resources)
  file(MAKE_DIRECTORY ${PLOTWELL_GENERATED_INCLUDE_DIR}/plotwell)
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${PLOTWELL_GENERATED_INCLUDE_DIR}/plotwell/${folder} SYMBOLIC)
endforeach()

# The libraries that the package installs and exports, in link order (each
# after the ones that use it); plotwell_library appends.
set_property(GLOBAL PROPERTY PLOTWELL_LIBRARIES "")

# plotwell_library(<target> <short name> [EXPORT_NAME <name>]): the target is
# built as libplotwell_<short name> (.a, or .so.<major>.<minor> with
# BUILD_SHARED_LIBS) and exported as Plotwell::<name> (default: the short
# name).
function(plotwell_library target short)
  cmake_parse_arguments(L "" "EXPORT_NAME" "" ${ARGN})
  if(NOT L_EXPORT_NAME)
    set(L_EXPORT_NAME ${short})
  endif()
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME plotwell_${short}
    EXPORT_NAME ${L_EXPORT_NAME}
    VERSION ${PROJECT_VERSION}
    # Before 1.0 every minor version may change the binary interface.
    SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<BUILD_INTERFACE:${PLOTWELL_GENERATED_INCLUDE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/plotwell>)
  target_compile_features(${target} PUBLIC cxx_std_20)
  if(BUILD_SHARED_LIBS AND CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT PLOTWELL_SANITIZE AND NOT PLOTWELL_FUZZ)
    # Every symbol a shared object uses must resolve when it is linked, so a
    # library calling a function that the library defining it does not
    # export fails here, not in a program linked later. (The sanitizers'
    # runtimes are resolved only in the program.)
    target_link_options(${target} PRIVATE LINKER:--no-undefined)
  endif()
  set_property(GLOBAL APPEND PROPERTY PLOTWELL_LIBRARIES ${target})
endfunction()
