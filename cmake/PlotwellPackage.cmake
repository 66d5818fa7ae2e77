# Debian packages: `cpack -G DEB` in the build directory.
#
# A shared build (-DBUILD_SHARED_LIBS=ON) gives two packages:
#   libplotwell<major>.<minor>  the shared objects; its dependencies come
#                               from dpkg-shlibdeps
#   libplotwell-dev             headers, the CMake package, pkg-config files
#                               and the development links
# A static build gives libplotwell-dev alone, with the static libraries and
# the development packages of what they link.
#
# The libraries go to lib/ under /usr unless the build was configured with
# -DCMAKE_INSTALL_PREFIX=/usr, for which GNUInstallDirs chooses Debian's
# multiarch folder (lib/x86_64-linux-gnu): configure so for packages meant
# to sit beside Debian's own.
set(PLOTWELL_ABI ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})

set(CPACK_PACKAGE_NAME plotwell)
set(CPACK_PACKAGE_VENDOR "Plotwell")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Plotwell maintainers <maintainers@plotwell.invalid>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libplotwell${PLOTWELL_ABI})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
# A description's first line is the package's synopsis; an empty summary keeps
# CPack from putting the project's description before it.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "Plotwell chart library: shared libraries
A chart component library with a software canvas and a Qt 6 window system.
This package holds the shared libraries that programs built with Plotwell
run with.")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
# The shlibs file, from which dpkg-shlibdeps derives the dependency of a
# package whose program links these libraries. CPack (3.25) reads only the
# package-wide switch, not a component's.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# Packages hold stripped libraries, as Debian's do.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libplotwell-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "Plotwell chart library: development files
A chart component library with a software canvas and a Qt 6 window system.
This package holds the headers (include/plotwell), the CMake package
(find_package(Plotwell): Plotwell::Plotwell, Plotwell::Qt) and the
pkg-config files (plotwell, plotwell-qt).")
# The Qt window system is optional for a program: Qt's development files are
# recommended, not required.
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_RECOMMENDS "qt6-base-dev, pkg-config")
if(BUILD_SHARED_LIBS)
  set(CPACK_COMPONENTS_ALL Runtime Development)
  set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "libplotwell${PLOTWELL_ABI} (= ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})")
else()
  set(CPACK_COMPONENTS_ALL Development)
  set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "libfreetype-dev, libfontconfig-dev, libpng-dev, libcairo2-dev, pkg-config")
endif()

include(CPack)
