# One static library per layer, made of every source below its folder, so that
# adding a file never needs an edit here.
function(pelvane_layer name dir)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    list(FILTER sources INCLUDE REGEX ".*\\.cpp$")
    if(NOT sources)
        # A layer without code yet still links.
        set(placeholder ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
        file(WRITE ${placeholder} "// empty layer\n")
        set(sources ${placeholder})
    endif()
    file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${dir}/*.h)
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    pelvane_warnings(${name})
endfunction()
