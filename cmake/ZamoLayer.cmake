# The station's layers: a folder (or a few subfolders), one static library,
# dependencies pointing down only; and the programs, each on one layer.
#
# zamo_add_layer(<name> [FOLDERS <folder>...] [DEPENDS <layer>...] [QT <component>...] [PACKAGES <target>...])
#   A static library zamo_<name> of every .h/.cpp under its FOLDERS (by
#   default the folder <name>), not the programs' *_main.cpp and not the files
#   under a folder that a layer declared before it holds: ui/viewer of
#   ui_viewer, declared first, lies inside ui of ui_station and stays out of
#   it. A folder inside one that an earlier layer holds, or held twice, stops
#   the configure. The library links PUBLIC to the layers it DEPENDS on, to
#   the Qt components and to the package targets. DEPENDS may name only layers
#   declared before it, so the graph has no cycle by construction; a layer may
#   use the transitive closure of its DEPENDS. Qt Widgets and PrintSupport only
#   on the widget layers: those whose folders lie in ZAMO_WIDGET_FOLDERS (ui
#   and app).
#
# zamo_add_program(<name> LAYER <layer> SOURCES <file>... [LINK <target>...] [APART <layer>...])
#   An executable of SOURCES on one layer: it links zamo_<layer> and the LINK
#   targets (resources, packages). At the end of the configure, after every
#   target_link_libraries of the project, what the program links, followed
#   through every library, may hold no layer outside <layer> and its closure
#   and none of the APART layers (the report viewer holds none of the
#   station's windows, start-up, run or unit link); either stops the
#   configure.
#
# zamo_finish_layers(<graph file>)
#   After the last layer: checks what every layer links (a zamo_ layer outside its closure, or
#   Widgets/PrintSupport outside the widget layers, stops the configure) and
#   writes the layer graph that cmake/CheckLayerIncludes.cmake and the tests'
#   build read (cmake/ZamoLayerPaths.cmake finds a path's layer in it).

include(${CMAKE_CURRENT_LIST_DIR}/ZamoLayerPaths.cmake)

if(NOT DEFINED ZAMO_WIDGET_FOLDERS)
  set(ZAMO_WIDGET_FOLDERS ui app)
endif()
set(ZAMO_WIDGET_COMPONENTS Widgets PrintSupport)

# Whether every one of the folders lies in a widget folder.
function(zamo_is_widget_layer folders out)
  set(widget TRUE)
  foreach(folder IN LISTS folders)
    zamo_path_in_any_folder(${folder} "${ZAMO_WIDGET_FOLDERS}" inside)
    if(NOT inside)
      set(widget FALSE)
    endif()
  endforeach()
  set(${out} ${widget} PARENT_SCOPE)
endfunction()

function(zamo_add_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "FOLDERS;DEPENDS;QT;PACKAGES")
  get_property(declared GLOBAL PROPERTY ZAMO_LAYERS)
  if(name IN_LIST declared)
    message(FATAL_ERROR "Layer ${name} is declared twice.")
  endif()
  set(folders ${arg_FOLDERS})
  if(NOT folders)
    set(folders ${name})
  endif()

  set(closure)
  foreach(dep IN LISTS arg_DEPENDS)
    if(NOT dep IN_LIST declared)
      message(FATAL_ERROR "Layer ${name} DEPENDS on ${dep}, which is not a layer declared before it "
                          "(declared so far: ${declared}); a layer may only use layers below it.")
    endif()
    get_property(dep_closure GLOBAL PROPERTY ZAMO_LAYER_CLOSURE_${dep})
    list(APPEND closure ${dep} ${dep_closure})
  endforeach()
  list(REMOVE_DUPLICATES closure)

  zamo_is_widget_layer("${folders}" widget_layer)
  foreach(component IN LISTS arg_QT)
    if(component IN_LIST ZAMO_WIDGET_COMPONENTS AND NOT widget_layer)
      message(FATAL_ERROR "Layer ${name} asks for Qt ${component}, which only the layers in "
                          "${ZAMO_WIDGET_FOLDERS} may use.")
    endif()
  endforeach()

  # The folders of the layers declared before: none may hold one of ours, and
  # those inside ours keep their files.
  set(inner)
  foreach(other IN LISTS declared)
    get_property(other_folders GLOBAL PROPERTY ZAMO_LAYER_FOLDERS_${other})
    foreach(other_folder IN LISTS other_folders)
      foreach(folder IN LISTS folders)
        zamo_path_in_folder(${folder} ${other_folder} held)
        if(held)
          message(FATAL_ERROR "Layer ${name} holds ${folder}, which lies in ${other_folder} of layer ${other} "
                              "declared before it; declare the layer of the inner folder first.")
        endif()
        zamo_path_in_folder(${other_folder} ${folder} inside)
        if(inside)
          list(APPEND inner ${other_folder})
        endif()
      endforeach()
    endforeach()
  endforeach()

  set(sources)
  foreach(folder IN LISTS folders)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/${folder}/*.h)
    list(APPEND sources ${found})
  endforeach()
  list(FILTER sources EXCLUDE REGEX "_main\\.cpp$")
  set(own)
  foreach(source IN LISTS sources)
    file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${source})
    zamo_path_in_any_folder(${relative} "${inner}" held_inside)
    if(NOT held_inside)
      list(APPEND own ${source})
    endif()
  endforeach()
  set(sources ${own})
  if(NOT sources)
    set(stub ${CMAKE_BINARY_DIR}/stubs/zamo_${name}_empty.cpp)
    file(WRITE ${stub} "// ${name} has no sources yet\n")
    set(sources ${stub})
  endif()

  set(target zamo_${name})
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  set(qt_targets)
  foreach(component IN LISTS arg_QT)
    list(APPEND qt_targets Qt6::${component})
  endforeach()
  set(dep_targets)
  foreach(dep IN LISTS arg_DEPENDS)
    list(APPEND dep_targets zamo_${dep})
  endforeach()
  target_link_libraries(${target} PUBLIC ${dep_targets} ${qt_targets} ${arg_PACKAGES})

  set_property(GLOBAL APPEND PROPERTY ZAMO_LAYERS ${name})
  set_property(GLOBAL PROPERTY ZAMO_LAYER_FOLDERS_${name} ${folders})
  set_property(GLOBAL PROPERTY ZAMO_LAYER_CLOSURE_${name} ${closure})
  if(widget_layer)
    set_property(GLOBAL APPEND PROPERTY ZAMO_WIDGET_LAYERS ${name})
  endif()
endfunction()

# The libraries a target links, generator expressions of static libraries'
# private dependencies ($<LINK_ONLY:x>) unwrapped.
function(zamo_linked_libraries target out)
  set(items)
  foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
    get_target_property(linked ${target} ${property})
    if(linked)
      list(APPEND items ${linked})
    endif()
  endforeach()
  list(TRANSFORM items REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1")
  list(REMOVE_DUPLICATES items)
  set(${out} ${items} PARENT_SCOPE)
endfunction()

function(zamo_add_program name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "LAYER" "SOURCES;LINK;APART")
  get_property(declared GLOBAL PROPERTY ZAMO_LAYERS)
  foreach(layer IN ITEMS ${arg_LAYER} ${arg_APART})
    if(NOT layer IN_LIST declared)
      message(FATAL_ERROR "Program ${name} names ${layer}, which is not a layer (declared: ${declared}).")
    endif()
  endforeach()
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE zamo_${arg_LAYER} ${arg_LINK})
  set_property(TARGET ${name} PROPERTY ZAMO_PROGRAM_LAYER ${arg_LAYER})
  set_property(TARGET ${name} PROPERTY ZAMO_PROGRAM_APART ${arg_APART})
  get_property(programs GLOBAL PROPERTY ZAMO_PROGRAMS)
  if(NOT programs)
    cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL zamo_check_programs)
  endif()
  set_property(GLOBAL APPEND PROPERTY ZAMO_PROGRAMS ${name})
endfunction()

# The layers a program links, followed through every library it links.
function(zamo_program_layers program out)
  get_property(layers GLOBAL PROPERTY ZAMO_LAYERS)
  set(found)
  set(seen ${program})
  set(pending ${program})
  while(pending)
    list(POP_FRONT pending target)
    zamo_linked_libraries(${target} linked)
    foreach(item IN LISTS linked)
      if(TARGET ${item} AND NOT item IN_LIST seen)
        list(APPEND seen ${item})
        get_target_property(imported ${item} IMPORTED)
        if(imported)
          continue()
        endif()
        list(APPEND pending ${item})
        if(item MATCHES "^zamo_(.+)$" AND CMAKE_MATCH_1 IN_LIST layers)
          list(APPEND found ${CMAKE_MATCH_1})
        endif()
      endif()
    endforeach()
  endwhile()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(zamo_check_programs)
  get_property(programs GLOBAL PROPERTY ZAMO_PROGRAMS)
  foreach(program IN LISTS programs)
    get_target_property(layer ${program} ZAMO_PROGRAM_LAYER)
    get_target_property(apart ${program} ZAMO_PROGRAM_APART)
    get_property(closure GLOBAL PROPERTY ZAMO_LAYER_CLOSURE_${layer})
    zamo_program_layers(${program} linked)
    foreach(used IN LISTS linked)
      if(used IN_LIST apart)
        message(FATAL_ERROR "Program ${program} links zamo_${used}, which it keeps apart "
                            "(it links none of: ${apart}).")
      endif()
      if(NOT used STREQUAL layer AND NOT used IN_LIST closure)
        message(FATAL_ERROR "Program ${program} links zamo_${used}, a layer it may not use "
                            "(it stands on ${layer} and may use: ${closure}).")
      endif()
    endforeach()
  endforeach()
endfunction()

function(zamo_finish_layers graph_file)
  get_property(layers GLOBAL PROPERTY ZAMO_LAYERS)
  get_property(widget_layers GLOBAL PROPERTY ZAMO_WIDGET_LAYERS)

  # What each layer links, against what it may use.
  foreach(layer IN LISTS layers)
    get_property(closure GLOBAL PROPERTY ZAMO_LAYER_CLOSURE_${layer})
    zamo_linked_libraries(zamo_${layer} linked)
    foreach(item IN LISTS linked)
      if(item MATCHES "^zamo_(.+)$" AND CMAKE_MATCH_1 IN_LIST layers)
        set(used ${CMAKE_MATCH_1})
        if(NOT used IN_LIST closure)
          message(FATAL_ERROR "Layer ${layer} links zamo_${used}, a layer it may not use "
                              "(it may use: ${closure}).")
        endif()
      elseif(item MATCHES "^Qt6::(.+)$" AND CMAKE_MATCH_1 IN_LIST ZAMO_WIDGET_COMPONENTS)
        if(NOT layer IN_LIST widget_layers)
          message(FATAL_ERROR "Layer ${layer} links ${item}, which only ${widget_layers} may use.")
        endif()
      endif()
    endforeach()
  endforeach()

  # The graph for the include check.
  set(text "# Written by zamo_finish_layers (cmake/ZamoLayer.cmake); read by cmake/CheckLayerIncludes.cmake.\n")
  string(APPEND text "set(ZAMO_LAYERS ${layers})\n")
  string(APPEND text "set(ZAMO_WIDGET_LAYERS ${widget_layers})\n")
  foreach(layer IN LISTS layers)
    get_property(folders GLOBAL PROPERTY ZAMO_LAYER_FOLDERS_${layer})
    get_property(closure GLOBAL PROPERTY ZAMO_LAYER_CLOSURE_${layer})
    string(APPEND text "set(ZAMO_LAYER_FOLDERS_${layer} ${folders})\n")
    string(APPEND text "set(ZAMO_LAYER_CLOSURE_${layer} ${closure})\n")
  endforeach()
  # The header names of Qt Widgets and PrintSupport (<QLabel>, <qlabel.h>, ...),
  # but those that another Qt module has too (<qaction.h> is also in QtGui).
  set(headers)
  set(elsewhere)
  foreach(component IN ITEMS ${ZAMO_WIDGET_COMPONENTS} Core Gui Sql DBus Multimedia Test)
    if(TARGET Qt6::${component})
      get_target_property(dirs Qt6::${component} INTERFACE_INCLUDE_DIRECTORIES)
      foreach(dir IN LISTS dirs)
        if(dir MATCHES "/Qt${component}$" AND IS_DIRECTORY "${dir}")
          file(GLOB names RELATIVE "${dir}" "${dir}/*")
          if(component IN_LIST ZAMO_WIDGET_COMPONENTS)
            list(APPEND headers Qt${component} ${names})
          else()
            list(APPEND elsewhere ${names})
          endif()
        endif()
      endforeach()
    endif()
  endforeach()
  list(REMOVE_DUPLICATES headers)
  if(elsewhere)
    list(REMOVE_ITEM headers ${elsewhere})
  endif()
  list(SORT headers)
  string(REPLACE ";" ";Qt" modules "${ZAMO_WIDGET_COMPONENTS}")
  string(APPEND text "set(ZAMO_WIDGET_MODULES Qt${modules})\n")
  string(APPEND text "set(ZAMO_WIDGET_HEADERS ${headers})\n")
  file(WRITE ${graph_file} "${text}")
endfunction()
