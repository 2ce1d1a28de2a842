# Checks that no file includes a layer above its own (cmake -P).
#
#   cmake -DZAMO_LAYER_GRAPH=<build>/zamo_layers.cmake -DZAMO_ROOT=<source tree>
#         [-DZAMO_EXCEPTIONS=<file>] [-DZAMO_WRITE_EXCEPTIONS=<file>] -P CheckLayerIncludes.cmake
#
# Every .h/.cpp in a layer's folders may include "<path>" of another layer
# (the one whose folders hold <path>: "ui/shell/..." is ui_station's, though
# ui_station holds ui and ui_viewer ui/viewer) only for a layer in its closure
# (the graph that zamo_finish_layers wrote), and, outside the widget layers, no
# Qt Widgets or PrintSupport header. Tests under <root>/tests/<folder>/ keep
# the rules of <folder>/ (tests/ui/viewer those of ui/viewer/); tests/support, tests/bench and
# tests/tools are not checked, and tests/layers holds the check's own fixtures.
#
# A crossing is "<file> <included layer or Qt header>". The exceptions file
# lists the crossings tolerated while layers are TRANSITIONAL, one a line
# ('#' starts a comment); a crossing not in it fails the check, and so does a
# line of it that no file needs any more, so that the list only shrinks.
# ZAMO_WRITE_EXCEPTIONS writes the crossings found into that file instead.

cmake_minimum_required(VERSION 3.25)
foreach(var ZAMO_LAYER_GRAPH ZAMO_ROOT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckLayerIncludes.cmake needs -D${var}=...")
  endif()
endforeach()
include(${ZAMO_LAYER_GRAPH})

include(${CMAKE_CURRENT_LIST_DIR}/ZamoLayerPaths.cmake)

# The layer whose rules a file keeps: the one that holds it, or under tests/
# the one that holds the rest of its path (tests/ui/viewer/X.cpp keeps the
# rules of ui/viewer/); "" for a file that may include anything.
function(zamo_rule_layer relative out)
  set(path ${relative})
  if(relative MATCHES "^tests/(.+)$")
    set(path ${CMAKE_MATCH_1})
  endif()
  zamo_layer_of_path(${path} layer)
  set(${out} "${layer}" PARENT_SCOPE)
endfunction()

set(files)
foreach(layer IN LISTS ZAMO_LAYERS)
  foreach(layer_folder IN LISTS ZAMO_LAYER_FOLDERS_${layer})
    foreach(folder ${layer_folder} tests/${layer_folder})
      file(GLOB_RECURSE found RELATIVE ${ZAMO_ROOT} ${ZAMO_ROOT}/${folder}/*.h ${ZAMO_ROOT}/${folder}/*.cpp)
      list(APPEND files ${found})
    endforeach()
  endforeach()
endforeach()
list(REMOVE_DUPLICATES files)
list(SORT files)

set(crossings)
set(explained)
foreach(relative IN LISTS files)
  zamo_rule_layer(${relative} layer)
  if(NOT layer)
    continue()
  endif()
  set(allowed ${layer} ${ZAMO_LAYER_CLOSURE_${layer}})
  set(widgets_allowed FALSE)
  if(layer IN_LIST ZAMO_WIDGET_LAYERS)
    set(widgets_allowed TRUE)
  endif()
  file(STRINGS ${ZAMO_ROOT}/${relative} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS lines)
    set(token "")
    if(line MATCHES "include[ \t]*\"([^\"]+)\"")
      zamo_layer_of_path(${CMAKE_MATCH_1} included)
      if(included AND NOT included IN_LIST allowed)
        set(token ${included})
        string(REPLACE ";" ", " shown_allowed "${allowed}")
        set(why "a ${layer} file may include ${shown_allowed}")
      endif()
    elseif(NOT widgets_allowed AND line MATCHES "include[ \t]*<([^>]+)>")
      set(header ${CMAKE_MATCH_1})
      string(REGEX REPLACE "/.*" "" module "${header}")
      if(module IN_LIST ZAMO_WIDGET_MODULES OR header IN_LIST ZAMO_WIDGET_HEADERS)
        set(token ${header})
        string(REPLACE ";" ", " shown_layers "${ZAMO_WIDGET_LAYERS}")
        set(why "only ${shown_layers} may use Qt Widgets and PrintSupport")
      endif()
    endif()
    if(token)
      set(crossing "${relative} ${token}")
      if(NOT crossing IN_LIST crossings)
        list(APPEND crossings "${crossing}")
        string(STRIP "${line}" shown)
        list(APPEND explained "${relative}: ${shown} (${why})")
      endif()
    endif()
  endforeach()
endforeach()

if(DEFINED ZAMO_WRITE_EXCEPTIONS)
  set(text "# Includes that still cross a layer boundary, tolerated while the layers they\n")
  string(APPEND text "# cross are TRANSITIONAL. Delete the lines a change clears; never add one.\n")
  string(APPEND text "# <file> <included layer or Qt header>\n")
  foreach(crossing IN LISTS crossings)
    string(APPEND text "${crossing}\n")
  endforeach()
  file(WRITE ${ZAMO_WRITE_EXCEPTIONS} "${text}")
  list(LENGTH crossings count)
  message(STATUS "${count} crossings written to ${ZAMO_WRITE_EXCEPTIONS}")
  return()
endif()

set(tolerated)
if(DEFINED ZAMO_EXCEPTIONS)
  file(STRINGS ${ZAMO_EXCEPTIONS} entries)
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE "#.*" "" entry "${entry}")
    string(STRIP "${entry}" entry)
    string(REGEX REPLACE "[ \t]+" " " entry "${entry}")
    if(entry)
      list(APPEND tolerated "${entry}")
    endif()
  endforeach()
endif()

set(problems)
set(index 0)
foreach(crossing IN LISTS crossings)
  if(NOT crossing IN_LIST tolerated)
    list(GET explained ${index} text)
    string(APPEND problems "  ${text}\n")
  endif()
  math(EXPR index "${index} + 1")
endforeach()
set(stale)
foreach(entry IN LISTS tolerated)
  if(NOT entry IN_LIST crossings)
    string(APPEND stale "  ${entry}\n")
  endif()
endforeach()

if(problems OR stale)
  set(text "")
  if(problems)
    string(APPEND text "Includes that point up a layer:\n${problems}")
  endif()
  if(stale)
    string(APPEND text "Lines of ${ZAMO_EXCEPTIONS} that no file needs any more (delete them):\n${stale}")
  endif()
  message(FATAL_ERROR "${text}")
endif()
list(LENGTH files count)
list(LENGTH tolerated left)
message(STATUS "Layer includes: ${count} files checked, ${left} crossings still tolerated.")
