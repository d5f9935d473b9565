# Adds each named subdirectory that already has a CMakeLists.txt, so the tree
# configures while areas are still being filled in.
function(varnelo_add_subdirectories)
    foreach(dir IN LISTS ARGN)
        if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
            add_subdirectory(${dir})
        endif()
    endforeach()
endfunction()
