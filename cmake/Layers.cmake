# The program's layers, lowest first, as the README's Layout table gives them: the folders of each,
# and what each may include besides itself (its "May use" column). The build makes one library of
# each layer's folders; cmake/CheckLayers.cmake holds every source to its layer's column; the tests
# check that no folder of the program opens a dialog by itself.
set(CINABREL_LAYERS store files toolkit windows program)

set(CINABREL_FOLDERS_store store)
set(CINABREL_FOLDERS_files files)
set(CINABREL_FOLDERS_toolkit ui)
set(CINABREL_FOLDERS_windows ui/main editor reflists quickadd export backups loans import stats)
set(CINABREL_FILES_windows app/Connection.cpp app/Connection.h)
set(CINABREL_FILES_program app/main.cpp)

# Among the windows, the main window is the hub: it opens the others, which include none of it nor
# of each other, only the session they share.
set(CINABREL_HUB ui/main)
set(CINABREL_SHARED_BY_WINDOWS app/Connection.h)

# A layer named here may be included whole; a header, alone.
set(CINABREL_USES_store)
set(CINABREL_USES_files store/UserError.h store/Fold.h store/DiskSteps.h)
set(CINABREL_USES_toolkit store/UserError.h store/ListedRow.h store/FrenchText.h)
set(CINABREL_USES_windows toolkit files store)
set(CINABREL_USES_program windows ui/Toolkit.h)

# Every folder of the program, for the checks that cover them all.
set(CINABREL_PROGRAM_FOLDERS app)
foreach(layer ${CINABREL_LAYERS})
  list(APPEND CINABREL_PROGRAM_FOLDERS ${CINABREL_FOLDERS_${layer}})
endforeach()

# The program's sources and headers under the source folder, each path relative to it.
function(cinabrel_program_sources source_dir out)
  set(sources "")
  foreach(folder ${CINABREL_PROGRAM_FOLDERS})
    file(GLOB found RELATIVE ${source_dir} ${source_dir}/${folder}/*.cpp ${source_dir}/${folder}/*.h)
    list(APPEND sources ${found})
  endforeach()
  list(REMOVE_DUPLICATES sources)
  set(${out} ${sources} PARENT_SCOPE)
endfunction()
