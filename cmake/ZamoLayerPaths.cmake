# Which layer a file of the source tree belongs to (cmake/ZamoLayer.cmake, the
# tests' build and cmake/CheckLayerIncludes.cmake share it). Paths are
# relative to the source tree, with "/".

# zamo_path_in_folder(<path> <folder> <out>)
#   TRUE when path is folder or lies under it.
function(zamo_path_in_folder path folder out)
  string(LENGTH "${folder}/" length)
  string(SUBSTRING "${path}/" 0 ${length} start)
  if(start STREQUAL "${folder}/")
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

# zamo_path_in_any_folder(<path> <folders> <out>)
#   TRUE when path is one of the folders (a list) or lies under one.
function(zamo_path_in_any_folder path folders out)
  set(found FALSE)
  foreach(folder IN LISTS folders)
    zamo_path_in_folder("${path}" ${folder} in)
    if(in)
      set(found TRUE)
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# zamo_layer_of_path(<path> <out>)
#   The layer that holds path: the one with the deepest folder that holds it,
#   after ZAMO_LAYERS and ZAMO_LAYER_FOLDERS_<layer> as the layer graph file
#   sets them (ui/viewer/X.h: ui_viewer, ui/shell/X.h: ui_station); "" when
#   no layer holds it.
function(zamo_layer_of_path path out)
  set(found "")
  set(found_length -1)
  foreach(layer IN LISTS ZAMO_LAYERS)
    foreach(folder IN LISTS ZAMO_LAYER_FOLDERS_${layer})
      zamo_path_in_folder("${path}" ${folder} in)
      string(LENGTH "${folder}" length)
      if(in AND length GREATER found_length)
        set(found ${layer})
        set(found_length ${length})
      endif()
    endforeach()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()
