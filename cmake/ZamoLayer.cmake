# The station's layers: one folder, one static library, dependencies pointing
# down only.
#
# zamo_add_layer(<folder> [DEPENDS <layer>...] [QT <component>...] [PACKAGES <target>...] [TRANSITIONAL])
#   A static library zamo_<folder> of every .h/.cpp under <folder> (not the
#   programs' *_main.cpp), linked PUBLIC to the layers it DEPENDS on, to the Qt
#   components and to the package targets. DEPENDS may name only layers
#   declared before it, so the graph has no cycle by construction; a layer may
#   use the transitive closure of its DEPENDS. Qt Widgets and PrintSupport only
#   on the widget layers (ZAMO_WIDGET_LAYERS: ui, and app through ui).
#   TRANSITIONAL marks a layer that is not clean yet: it also links Widgets,
#   PrintSupport and every other layer, as the station's libraries all linked
#   one another before the layers (static libraries in a cycle, repeated by the
#   linker), and the include check tolerates its crossings listed in
#   cmake/layer-exceptions.txt.
#
# zamo_finish_layers(<graph file>)
#   After the last layer: links each transitional layer to the other layers,
#   checks what every layer links (a zamo_ layer outside its closure, or
#   Widgets/PrintSupport below ui, stops the configure) and writes the layer
#   graph that cmake/CheckLayerIncludes.cmake reads.

if(NOT DEFINED ZAMO_WIDGET_LAYERS)
  set(ZAMO_WIDGET_LAYERS ui app)
endif()
set(ZAMO_WIDGET_COMPONENTS Widgets PrintSupport)

function(zamo_add_layer folder)
  cmake_parse_arguments(PARSE_ARGV 1 arg "TRANSITIONAL" "" "DEPENDS;QT;PACKAGES")
  get_property(declared GLOBAL PROPERTY ZAMO_LAYERS)
  if(folder IN_LIST declared)
    message(FATAL_ERROR "Layer ${folder} is declared twice.")
  endif()

  set(closure)
  foreach(dep IN LISTS arg_DEPENDS)
    if(NOT dep IN_LIST declared)
      message(FATAL_ERROR "Layer ${folder} DEPENDS on ${dep}, which is not a layer declared before it "
                          "(declared so far: ${declared}); a layer may only use layers below it.")
    endif()
    get_property(dep_closure GLOBAL PROPERTY ZAMO_LAYER_CLOSURE_${dep})
    list(APPEND closure ${dep} ${dep_closure})
  endforeach()
  list(REMOVE_DUPLICATES closure)

  foreach(component IN LISTS arg_QT)
    if(component IN_LIST ZAMO_WIDGET_COMPONENTS AND NOT folder IN_LIST ZAMO_WIDGET_LAYERS)
      message(FATAL_ERROR "Layer ${folder} asks for Qt ${component}, which only ${ZAMO_WIDGET_LAYERS} may use.")
    endif()
  endforeach()

  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/${folder}/*.h)
  list(FILTER sources EXCLUDE REGEX "_main\\.cpp$")
  if(NOT sources)
    set(stub ${CMAKE_BINARY_DIR}/stubs/zamo_${folder}_empty.cpp)
    file(WRITE ${stub} "// ${folder} has no sources yet\n")
    set(sources ${stub})
  endif()

  set(target zamo_${folder})
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  set(qt_targets)
  set(components ${arg_QT})
  if(arg_TRANSITIONAL)
    list(APPEND components ${ZAMO_WIDGET_COMPONENTS})
    list(REMOVE_DUPLICATES components)
  endif()
  foreach(component IN LISTS components)
    list(APPEND qt_targets Qt6::${component})
  endforeach()
  set(dep_targets)
  foreach(dep IN LISTS arg_DEPENDS)
    list(APPEND dep_targets zamo_${dep})
  endforeach()
  target_link_libraries(${target} PUBLIC ${dep_targets} ${qt_targets} ${arg_PACKAGES})

  set_property(GLOBAL APPEND PROPERTY ZAMO_LAYERS ${folder})
  set_property(GLOBAL PROPERTY ZAMO_LAYER_CLOSURE_${folder} ${closure})
  if(arg_TRANSITIONAL)
    set_property(GLOBAL APPEND PROPERTY ZAMO_TRANSITIONAL_LAYERS ${folder})
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

function(zamo_finish_layers graph_file)
  get_property(layers GLOBAL PROPERTY ZAMO_LAYERS)
  get_property(transitional GLOBAL PROPERTY ZAMO_TRANSITIONAL_LAYERS)

  # The layers that are not clean yet use any other, as before the layers.
  foreach(layer IN LISTS transitional)
    set(others)
    foreach(other IN LISTS layers)
      if(NOT other STREQUAL layer)
        list(APPEND others zamo_${other})
      endif()
    endforeach()
    if(others)
      target_link_libraries(zamo_${layer} PUBLIC ${others})
      set_property(TARGET zamo_${layer} PROPERTY LINK_INTERFACE_MULTIPLICITY 4)
    endif()
  endforeach()

  # What each layer links, against what it may use.
  foreach(layer IN LISTS layers)
    get_property(closure GLOBAL PROPERTY ZAMO_LAYER_CLOSURE_${layer})
    zamo_linked_libraries(zamo_${layer} linked)
    foreach(item IN LISTS linked)
      if(item MATCHES "^zamo_(.+)$" AND CMAKE_MATCH_1 IN_LIST layers)
        set(used ${CMAKE_MATCH_1})
        if(NOT used IN_LIST closure AND NOT layer IN_LIST transitional)
          message(FATAL_ERROR "Layer ${layer} links zamo_${used}, a layer it may not use "
                              "(it may use: ${closure}).")
        endif()
      elseif(item MATCHES "^Qt6::(.+)$" AND CMAKE_MATCH_1 IN_LIST ZAMO_WIDGET_COMPONENTS)
        if(NOT layer IN_LIST ZAMO_WIDGET_LAYERS AND NOT layer IN_LIST transitional)
          message(FATAL_ERROR "Layer ${layer} links ${item}, which only ${ZAMO_WIDGET_LAYERS} may use.")
        endif()
      endif()
    endforeach()
  endforeach()

  # The graph for the include check.
  set(text "# Written by zamo_finish_layers (cmake/ZamoLayer.cmake); read by cmake/CheckLayerIncludes.cmake.\n")
  string(APPEND text "set(ZAMO_LAYERS ${layers})\n")
  string(APPEND text "set(ZAMO_WIDGET_LAYERS ${ZAMO_WIDGET_LAYERS})\n")
  foreach(layer IN LISTS layers)
    get_property(closure GLOBAL PROPERTY ZAMO_LAYER_CLOSURE_${layer})
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
