# Fails when a file of a layer includes a header of a layer it may not see.
#   cmake -DLAYERS=build/layers.cmake -P LayerCheck.cmake
# LAYERS sets VW_SOURCE_DIR and VW_LAYER_<layer>, the files of each layer relative to it.
cmake_minimum_required(VERSION 3.25)
include(${LAYERS})

# What each layer may include besides itself.
set(below_core "")
set(below_gst core)
set(below_platform core)
set(below_ui core platform)

set(layers core gst platform ui)
foreach(layer IN LISTS layers)
    foreach(file IN LISTS VW_LAYER_${layer})
        set("layer_of_${file}" ${layer})
    endforeach()
endforeach()

set(faults "")
foreach(layer IN LISTS layers)
    foreach(file IN LISTS VW_LAYER_${layer})
        file(STRINGS ${VW_SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line IN LISTS lines)
            string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${line}")
            set(header_layer "${layer_of_${header}}")
            if(header_layer STREQUAL "")
                if(EXISTS ${VW_SOURCE_DIR}/${header})
                    string(APPEND faults "${file} (${layer}) includes ${header}, which is in no library\n")
                endif()
            elseif(NOT header_layer STREQUAL layer AND NOT header_layer IN_LIST below_${layer})
                string(APPEND faults "${file} (${layer}) includes ${header} (${header_layer})\n")
            endif()
        endforeach()
    endforeach()
endforeach()

if(faults)
    message(FATAL_ERROR "Includes across the layers:\n${faults}")
endif()
message(STATUS "Layers kept: every include is of the file's own layer or one below it")
