cmake_minimum_required(VERSION 3.22)
# Fails when an include points up or sideways. The arrows are those the build states: a folder
# may include from itself and from every folder its library reaches through target_link_libraries
# (directly or further down). The arrows themselves must not form a circle, and the window's
# toolkit, Qt Widgets, is for the window's folders alone. Run by CTest:
#   cmake -DSOURCE_DIR=<repository> -P CheckLayers.cmake

if(NOT DEFINED FOLDERS) # the tests of this check give their own
  set(FOLDERS support/base support/text support/pictures support/widgets templates writers
              generator cli app)
endif()
# Headers of Qt Widgets, which nothing the converter is made of may use.
set(WIDGETS_HEADERS "QtWidgets|QWidget|QApplication|QMessageBox|QPushButton|QFileDialog|QDialog|QProgressDialog|QLabel")
set(GUI_FOLDERS support/widgets app)

set(failures 0)
macro(fail text)
  message(SEND_ERROR "${text}")
  math(EXPR failures "${failures} + 1")
endmacro()

# Each folder's library and its direct arrows, read from the folder's CMakeLists.txt.
foreach(folder IN LISTS FOLDERS)
  set(lists "${SOURCE_DIR}/${folder}/CMakeLists.txt")
  if(NOT EXISTS "${lists}")
    fail("${folder} has no CMakeLists.txt")
    continue()
  endif()
  file(READ "${lists}" text)
  if(NOT text MATCHES "add_library\\(([A-Za-z0-9_]+) STATIC")
    fail("${folder}/CMakeLists.txt makes no static library")
    continue()
  endif()
  set(target ${CMAKE_MATCH_1})
  set(folder_of_${target} ${folder})
  set(links_${folder})
  if(text MATCHES "target_link_libraries\\(${target}[ \n]+(PUBLIC|PRIVATE|INTERFACE)([^)]*)\\)")
    string(REGEX MATCHALL "tesselet_[A-Za-z0-9_]+" links_${folder} "${CMAKE_MATCH_2}")
  endif()
endforeach()

# What each folder reaches, arrows followed to the end; a folder that reaches itself is a circle.
foreach(folder IN LISTS FOLDERS)
  set(reached)
  set(queue ${links_${folder}})
  while(queue)
    list(POP_FRONT queue target)
    set(next ${folder_of_${target}})
    if(next STREQUAL "" OR next IN_LIST reached)
      continue()
    endif()
    list(APPEND reached ${next})
    list(APPEND queue ${links_${next}})
  endwhile()
  if(folder IN_LIST reached)
    fail("${folder}: its library's arrows lead back to itself")
  endif()
  set(allowed_${folder} ${folder} ${reached})
endforeach()

# Where every header of the product lives: header names are unique across the tree.
foreach(folder IN LISTS FOLDERS)
  file(GLOB headers RELATIVE "${SOURCE_DIR}/${folder}" "${SOURCE_DIR}/${folder}/*.h")
  foreach(header IN LISTS headers)
    if(DEFINED home_${header})
      fail("${header} is in ${home_${header}} and in ${folder}: names must be unique")
    endif()
    set(home_${header} ${folder})
  endforeach()
endforeach()

foreach(folder IN LISTS FOLDERS)
  file(GLOB sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^#include [\"<]")
    foreach(include IN LISTS includes)
      if(include MATCHES "^#include \"([^\"]+)\"")
        set(name ${CMAKE_MATCH_1})
        if(name STREQUAL "TesseletVersion.h")
          continue() # generated into the base library's include root
        elseif(NOT DEFINED home_${name})
          fail("${source}: \"${name}\" is no header of the product")
        elseif(NOT home_${name} IN_LIST allowed_${folder})
          fail("${source}: includes ${home_${name}}/${name}, which ${folder}'s library does not link")
        endif()
      elseif(include MATCHES "^#include <(${WIDGETS_HEADERS})[/>]" AND NOT folder IN_LIST GUI_FOLDERS)
        fail("${source}: ${include}: Qt Widgets outside the window's folders")
      endif()
    endforeach()
  endforeach()
endforeach()

# A folder of the product that the list does not know would escape the check.
file(GLOB_RECURSE all_sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/support/*.cpp"
     "${SOURCE_DIR}/app/*.cpp" "${SOURCE_DIR}/cli/*.cpp" "${SOURCE_DIR}/writers/*.cpp"
     "${SOURCE_DIR}/generator/*.cpp" "${SOURCE_DIR}/templates/*.cpp")
foreach(source IN LISTS all_sources)
  get_filename_component(folder "${source}" DIRECTORY)
  if(NOT folder IN_LIST FOLDERS)
    fail("${source}: its folder ${folder} is not in the check's list")
  endif()
endforeach()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} fault(s) against the layers")
endif()
message(STATUS "Layers: every include follows an arrow of the build, and the arrows form no circle")
