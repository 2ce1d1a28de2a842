# Checks that no file includes a layer above its own, and that no folders
# include one another in a cycle (cmake -P).
#
#   cmake -DZAMO_LAYER_GRAPH=<build>/zamo_layers.cmake -DZAMO_ROOT=<source tree> -P CheckLayerIncludes.cmake
#
# Every .h/.cpp in a layer's folders may include "<path>" of another layer
# (the one whose folders hold <path>: "ui/shell/..." is ui_station's, though
# ui_station holds ui and ui_viewer ui/viewer) only for a layer in its closure
# (the graph that zamo_finish_layers wrote), and, outside the widget layers, no
# Qt Widgets or PrintSupport header. Tests under <root>/tests/<folder>/ keep
# the rules of <folder>/ (tests/ui/viewer those of ui/viewer/); tests/support,
# tests/bench and tests/tools are not checked, and tests/layers holds the
# check's own fixtures. Within a layer too, the folders of its files
# (ui/shell, ui/testwindow, ...) include one another without a cycle; tests
# are left out of that rule. Any crossing fails the check.

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

set(problems "")
set(edges) # "<folder>><folder>": a file of the first includes one of the second
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
      set(included_path ${CMAKE_MATCH_1})
      zamo_layer_of_path(${included_path} included)
      get_filename_component(from ${relative} DIRECTORY)
      get_filename_component(to ${included_path} DIRECTORY)
      if(included AND NOT relative MATCHES "^tests/" AND to AND NOT to STREQUAL from)
        set(edge "${from}>${to}")
        if(NOT edge IN_LIST edges)
          list(APPEND edges ${edge})
          string(MAKE_C_IDENTIFIER "${edge}" edge_id)
          string(STRIP "${line}" shown)
          set(edge_shown_${edge_id} "${relative}: ${shown}")
        endif()
      endif()
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
      string(STRIP "${line}" shown)
      string(APPEND problems "  ${relative}: ${shown} (${why})\n")
    endif()
  endforeach()
endforeach()

# The folders include one another without a cycle: leave out, again and
# again, the folders that include none of those left; any left over are in a
# cycle or lead into one.
set(left_edges ${edges})
set(removed TRUE)
while(removed)
  set(removed FALSE)
  set(sources)
  set(targets)
  foreach(edge IN LISTS left_edges)
    string(REPLACE ">" ";" pair "${edge}")
    list(GET pair 0 from)
    list(GET pair 1 to)
    list(APPEND sources ${from})
    list(APPEND targets ${to})
  endforeach()
  set(kept)
  foreach(edge IN LISTS left_edges)
    string(REPLACE ">" ";" pair "${edge}")
    list(GET pair 1 to)
    if(to IN_LIST sources)
      list(APPEND kept ${edge})
    else()
      set(removed TRUE)
    endif()
  endforeach()
  set(left_edges ${kept})
endwhile()
set(cycle "")
foreach(edge IN LISTS left_edges)
  string(MAKE_C_IDENTIFIER "${edge}" edge_id)
  string(REPLACE ">" " -> " arrow "${edge}")
  string(APPEND cycle "  ${arrow} (${edge_shown_${edge_id}})\n")
endforeach()

if(problems OR cycle)
  set(text "")
  if(problems)
    string(APPEND text "Includes that point up a layer:\n${problems}")
  endif()
  if(cycle)
    string(APPEND text "Folders that include one another in a cycle:\n${cycle}")
  endif()
  message(FATAL_ERROR "${text}")
endif()
list(LENGTH files count)
list(LENGTH edges folder_edges)
message(STATUS "Layer includes: ${count} files checked, no include points up a layer, "
               "${folder_edges} folder-to-folder includes, no cycle among them.")
