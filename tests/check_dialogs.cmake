file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/app/*.cpp ${SOURCE_DIR}/app/*.h ${SOURCE_DIR}/store/*.cpp ${SOURCE_DIR}/store/*.h ${SOURCE_DIR}/files/*.cpp ${SOURCE_DIR}/files/*.h
  ${SOURCE_DIR}/ui/*.cpp ${SOURCE_DIR}/ui/*.h ${SOURCE_DIR}/editor/*.cpp ${SOURCE_DIR}/editor/*.h
  ${SOURCE_DIR}/reflists/*.cpp ${SOURCE_DIR}/reflists/*.h ${SOURCE_DIR}/quickadd/*.cpp ${SOURCE_DIR}/quickadd/*.h
  ${SOURCE_DIR}/export/*.cpp ${SOURCE_DIR}/export/*.h ${SOURCE_DIR}/backups/*.cpp ${SOURCE_DIR}/backups/*.h
  ${SOURCE_DIR}/loans/*.cpp ${SOURCE_DIR}/loans/*.h ${SOURCE_DIR}/import/*.cpp ${SOURCE_DIR}/import/*.h
  ${SOURCE_DIR}/stats/*.cpp ${SOURCE_DIR}/stats/*.h)
set(offenders "")
foreach(source ${sources})
  if(source STREQUAL "ui/DesktopPlatform.cpp")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "QMessageBox::|QFileDialog::|QDesktopServices::|QMessageBox [a-z]|QFileDialog [a-z]")
  if(lines)
    list(APPEND offenders "${source}: ${lines}")
  endif()
endforeach()
if(offenders)
  message(FATAL_ERROR "Dialogs or desktop calls outside the platform layer:\n${offenders}")
endif()
message(STATUS "1 passed, 0 failed")
