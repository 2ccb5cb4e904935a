# Fails when a file includes a header from a layer above its own: the layers
# are units < platform < psych < engine < ui < app, Qt stays in platform/qt
# and app, and the rating (engine, psych) has no controls or message boxes. Run as: cmake -DROOT=<source dir> -P LayeringCheck.cmake
set(layers units platform psych engine ui app)
# The platform headers the rating may use; none includes another.
set(rating_platform "FileRead|ItemReader|NumberText|TextEncoding|Variant|Overloaded")
set(violations "")
list(LENGTH layers count)
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  list(GET layers ${i} layer)
  list(SUBLIST layers ${i} -1 above)
  list(REMOVE_AT above 0)
  file(GLOB_RECURSE sources "${ROOT}/${layer}/*.h" "${ROOT}/${layer}/*.cpp")
  foreach(source IN LISTS sources)
    string(REPLACE "${ROOT}/" "" relative "${source}")
    if(relative MATCHES "^platform/qt/")
      continue()
    endif()
    file(STRINGS "${source}" includes REGEX "^#include [<\"]")
    foreach(line IN LISTS includes)
      foreach(higher IN LISTS above)
        if(line MATCHES "^#include \"${higher}/")
          list(APPEND violations "${relative}: ${line}")
        endif()
      endforeach()
      if(NOT layer STREQUAL "app" AND line MATCHES "^#include <Q")
        list(APPEND violations "${relative}: ${line} (Qt outside platform/qt and app)")
      endif()
      # The rating takes from platform only what holds no control, window or
      # message box, directly or through what it includes.
      if((layer STREQUAL "engine" OR layer STREQUAL "psych") AND
         line MATCHES "^#include \"platform/" AND
         NOT line MATCHES "^#include \"platform/(${rating_platform})\\.h\"")
        list(APPEND violations
             "${relative}: ${line} (the rating has no controls or message boxes)")
      endif()
      if(NOT layer STREQUAL "app" AND line MATCHES "^#include \"platform/qt/")
        list(APPEND violations "${relative}: ${line} (the Qt layer from below it)")
      endif()
    endforeach()
  endforeach()
endforeach()
if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "A lower layer includes a higher one:\n  ${text}")
endif()
