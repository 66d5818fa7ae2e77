# plotwell_public_headers(<out var> [QT]): the headers a program may include,
# as paths relative to the source root.
#
# They are every header of the library folders except the internal ones
# (a name ending _p.h; the canvas's rasteriser, text engine, picture
# codecs and vector device; the chart's renderer and mouse handling),
# together with every header that one of them includes, followed include by
# include: a public header that includes an internal one makes it part of
# what is installed, so an installed header never includes a file that is
# not there.
function(plotwell_public_headers out)
  cmake_parse_arguments(H "QT" "" "" ${ARGN})
  set(root ${PROJECT_SOURCE_DIR})
  file(GLOB_RECURSE candidates RELATIVE ${root} CONFIGURE_DEPENDS
    ${root}/platform/*.h ${root}/base/*.h ${root}/scale/*.h ${root}/chart/*.h ${root}/resources/*.h)
  set(pending "")
  foreach(header IN LISTS candidates)
    if(header MATCHES "_p\\.h$"
       OR header MATCHES "^platform/graphics/(raster|text|bmp|vector)/"
       OR header MATCHES "^chart/(render|mouse)/"
       OR (header MATCHES "^platform/qt/" AND NOT H_QT))
      continue()
    endif()
    list(APPEND pending ${header})
  endforeach()

  set(public "")
  while(pending)
    list(POP_FRONT pending header)
    if(header IN_LIST public)
      continue()
    endif()
    list(APPEND public ${header})
    file(STRINGS ${root}/${header} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
      # Generated headers (plotwell/version.h) are installed on their own.
      if(EXISTS ${root}/${included} AND NOT included IN_LIST public)
        list(APPEND pending ${included})
      endif()
    endforeach()
  endwhile()
  list(SORT public)
  set(${out} ${public} PARENT_SCOPE)
endfunction()
