# kelpa_layer(target)
# Gives a target its own include root, holding only its own headers: each
# header among the target's sources appears as a symbolic link under
# <build>/layers/<target>/ at its path from the top of the tree
# ("main/Kelpa.h"), and that folder is the target's PUBLIC (for a header-only
# library INTERFACE) include directory.
# A file then finds the headers of its own target and of the libraries the
# target links (PUBLIC ones passed on), and no others, so an include of an
# undeclared library's header fails the build. Includes name the folder
# ("transfer/UrlSplit.h", never "UrlSplit.h"): the compiler looks beside the
# including file first, which no include root limits. Called once per target,
# after every source of it is added.
function(kelpa_layer target)
    set(layer ${CMAKE_BINARY_DIR}/layers/${target})
    file(REMOVE_RECURSE ${layer})
    get_target_property(sources ${target} SOURCES)
    get_target_property(source_dir ${target} SOURCE_DIR)
    foreach(source IN LISTS sources)
        if(NOT source MATCHES "\\.h$")
            continue()
        endif()
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${source_dir} NORMALIZE
                   OUTPUT_VARIABLE header)
        cmake_path(RELATIVE_PATH header BASE_DIRECTORY ${CMAKE_SOURCE_DIR}
                   OUTPUT_VARIABLE name)
        cmake_path(GET name PARENT_PATH folder)
        file(MAKE_DIRECTORY ${layer}/${folder})
        file(CREATE_LINK ${header} ${layer}/${name} SYMBOLIC)
    endforeach()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE ${layer})
    else()
        target_include_directories(${target} PUBLIC ${layer})
    endif()
endfunction()
