cmake_minimum_required(VERSION 3.22)
# Fails when an include points up or sideways: each folder may include only from itself and
# from the folders below it, as its target_link_libraries says. Run by CTest:
#   cmake -DSOURCE_DIR=<repository> -P CheckLayers.cmake
#
# Each line: a folder, then the folders it may include from. The order is bottom to top.
set(LAYERS
  "support/base"
  "support/text support/base"
  "support/pictures support/base"
  "templates support/text support/base"
  "writers templates support/base"
  "generator writers templates support/base"
  "support/widgets support/pictures support/base"
  "cli generator writers templates support/text support/pictures support/base"
  "app support/widgets generator writers templates support/text support/pictures support/base")
# Headers of Qt Widgets, which nothing the converter is made of may use.
set(WIDGETS_HEADERS "QtWidgets|QWidget|QApplication|QMessageBox|QPushButton|QFileDialog|QDialog|QProgressDialog|QLabel")
set(GUI_FOLDERS "support/widgets" "app")

# Where every header of the product lives: header names are unique across the tree.
set(folders)
foreach(line IN LISTS LAYERS)
  string(REPLACE " " ";" parts "${line}")
  list(GET parts 0 folder)
  list(APPEND folders ${folder})
  file(GLOB headers RELATIVE "${SOURCE_DIR}/${folder}" "${SOURCE_DIR}/${folder}/*.h")
  foreach(header IN LISTS headers)
    if(DEFINED home_${header})
      message(SEND_ERROR "${header} is in ${home_${header}} and in ${folder}: names must be unique")
    endif()
    set(home_${header} ${folder})
  endforeach()
endforeach()

set(failures 0)
foreach(line IN LISTS LAYERS)
  string(REPLACE " " ";" allowed "${line}")
  list(GET allowed 0 folder)
  file(GLOB sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^#include [\"<]")
    foreach(include IN LISTS includes)
      if(include MATCHES "^#include \"([^\"]+)\"")
        set(name ${CMAKE_MATCH_1})
        if(NOT DEFINED home_${name})
          if(NOT name STREQUAL "TesseletVersion.h")
            message(SEND_ERROR "${source}: \"${name}\" is no header of the product")
            math(EXPR failures "${failures} + 1")
          endif()
        elseif(NOT home_${name} IN_LIST allowed)
          message(SEND_ERROR "${source}: includes ${home_${name}}/${name}, above or beside ${folder}")
          math(EXPR failures "${failures} + 1")
        endif()
      elseif(include MATCHES "^#include <(${WIDGETS_HEADERS})[/>]" AND NOT folder IN_LIST GUI_FOLDERS)
        message(SEND_ERROR "${source}: ${include}: Qt Widgets outside the window's folders")
        math(EXPR failures "${failures} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()

# A folder of the product that the table does not know would escape the check.
file(GLOB_RECURSE all_sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/support/*.h"
     "${SOURCE_DIR}/support/*.cpp" "${SOURCE_DIR}/app/*.cpp" "${SOURCE_DIR}/cli/*.cpp"
     "${SOURCE_DIR}/writers/*.cpp" "${SOURCE_DIR}/generator/*.cpp" "${SOURCE_DIR}/templates/*.cpp")
foreach(source IN LISTS all_sources)
  get_filename_component(folder "${source}" DIRECTORY)
  if(NOT folder IN_LIST folders)
    message(SEND_ERROR "${source}: its folder ${folder} has no place in the layers")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} include(s) against the layers")
endif()
message(STATUS "Layers: every include points down")
