# Adds every direct subfolder of the current folder that has a CMakeLists.txt,
# so that a new back end, test folder or benchmark needs no edit here.
function(orlenta_add_subdirectories)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child ${children})
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
